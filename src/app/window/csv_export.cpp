#include "app/window/csv_export.h"

#include "platform/exception.h"
#include "platform/number_text.h"
#include "platform/system_file.h"

#include <algorithm>

namespace {

void AppendLine(QByteArray &out, double a, char separator, double b)
{
    out += FloatToStr(a).toLatin1();
    out += separator;
    out += FloatToStr(b).toLatin1();
    out += "\r\n";
}

} // namespace

QByteArray CsvExport::OneChannel(const std::vector<double> &samples)
{
    QByteArray out;
    for (double v : samples) {
        out += FloatToStr(v).toLatin1();
        out += "\r\n";
    }
    return out;
}

QByteArray CsvExport::TwoChannels(const TChartItem *items, int count, char separator)
{
    if (separator == '\0')
        separator = ';';
    // Reads like the display list's GetItem: past the end the buffer keeps the last item.
    TChartItem buffer {};
    auto read = [&](int index) -> const TChartItem & {
        if (index >= 0 && index < count)
            buffer = items[index];
        return buffer;
    };
    QByteArray out;
    const double y1a = read(0).Y1;
    const double y1b = read(1).Y1;
    AppendLine(out, y1a, separator, y1b);
    const double y2a = read(0).Y2;
    const double y2b = read(1).Y2;
    AppendLine(out, y2a, separator, y2b);
    for (int q = 2; q <= count - 1; q += 2) {
        const double a = read(q).Y2;
        const double b = read(q + 1).Y2;
        AppendLine(out, a, separator, b);
    }
    return out;
}

QByteArray CsvExport::Columns(const std::vector<std::vector<double>> &columns, char separator)
{
    if (separator == '\0')
        separator = ';';
    size_t rows = 0;
    for (const std::vector<double> &column : columns)
        rows = std::max(rows, column.size());
    QByteArray out;
    for (size_t row = 0; row < rows; ++row) {
        for (size_t c = 0; c < columns.size(); ++c) {
            if (c > 0)
                out += separator;
            if (row < columns[c].size())
                out += FloatToStr(columns[c][row]).toLatin1();
        }
        out += "\r\n";
    }
    return out;
}

void CsvExport::WriteFile(const QString &fileName, const QByteArray &bytes)
{
    TSystemFile file(fileName, TSystemFile::Mode::Create);
    file.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    file.Close();
}
