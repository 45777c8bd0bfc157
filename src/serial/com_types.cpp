#include "serial/com_types.h"

#include <array>

namespace {

constexpr std::array<int, 16> kRates = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                                        14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};

template<std::size_t N>
QString TextAt(const std::array<const char *, N> &texts, int index)
{
    return index >= 0 && index < int(N) ? QString::fromLatin1(texts[std::size_t(index)])
                                        : QString();
}

} // namespace

int BaudRateToInt(TBaudRate rate)
{
    return kRates[std::size_t(rate)];
}

QString BaudRateToStr(TBaudRate rate)
{
    if (rate == TBaudRate::brCustom)
        return QStringLiteral("Custom");
    return QString::number(BaudRateToInt(rate));
}

QString DataBitsToStr(TDataBits bits)
{
    return TextAt(std::array {"5", "6", "7", "8"}, int(bits));
}

QString StopBitsToStr(TStopBits bits)
{
    return TextAt(std::array {"1", "1.5", "2"}, int(bits));
}

QString ParityToStr(TParityBits bits)
{
    return TextAt(std::array {"None", "Odd", "Even", "Mark", "Space"}, int(bits));
}

QString FlowControlToStr(TFlowControl flow)
{
    return TextAt(std::array {"Hardware", "Software", "None", "Custom"}, int(flow));
}
