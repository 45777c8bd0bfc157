// The number texts: the window's conversions both ways in a dot and a comma locale, the
// picture and date-time formats with fuzzed pictures and values, and the packet number reader.
#include "fuzz_input.h"
#include "fuzz_support.h"

#include "app/run/number_reader.h"
#include "platform/date_time.h"
#include "platform/exception.h"
#include "platform/number_text.h"

#include <QLocale>

#include <cmath>
#include <cstdlib>

namespace {

template<typename F>
void IgnoringConvertErrors(F f)
{
    try {
        f();
    } catch (const EConvertError &) { }
}

// What FloatToStr writes, StrToFloat reads back to within its 15 significant digits.
void CheckRoundTrip(double value, const QLocale &locale)
{
    if (!std::isfinite(value))
        return;
    const QString text = FloatToStr(value, locale);
    double back = 0;
    if (!TryStrToFloat(text, back, locale))
        std::abort();
    if (std::fabs(back - value) > std::fabs(value) * 1e-14)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const double value = input.Take<double>();
    const int precision = input.TakeInt(1, 18);
    const int decimals = input.TakeInt(0, 18);
    const std::string_view rest = input.Rest();
    const QString text = QString::fromUtf8(rest.data(), static_cast<qsizetype>(rest.size()));

    const float packetValue = ParseNumber(rest);
    if (std::isnan(packetValue))
        std::abort();

    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        double parsed = 0;
        if (TryStrToFloat(text, parsed, locale))
            CheckRoundTrip(parsed, locale);
        CheckRoundTrip(value, locale);
        IgnoringConvertErrors([&] { (void)StrToFloat(text, locale); });
        (void)FormatFloat(text, value, locale);
        (void)FloatToStrFixed(value, precision, decimals, locale);
        (void)NormalizeFloatField(text, decimals, locale);
        (void)WriteFloatField(value, decimals, locale);
    }
    IgnoringConvertErrors([&] { (void)StrToInt(text); });
    IgnoringConvertErrors([&] { (void)StrToInt64(text); });
    IgnoringConvertErrors([&] { (void)LeadingDigitsToInt(text); });
    (void)FormatDateTime(text, value);
    (void)DateTimeToQt(value);
    return 0;
}
