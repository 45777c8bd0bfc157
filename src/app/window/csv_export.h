#pragma once

#include "chart/chart_item.h"

#include <QString>

#include <vector>

// The CSV export of the fast display: one number per channel per CR LF line, numbers in the
// general format with the locale's decimal separator.
namespace CsvExport {

// One channel: the samples of channel 1, one per line.
QByteArray OneChannel(const std::vector<double> &samples);

// Two channels: Y1 of items 0 and 1, Y2 of items 0 and 1, then Y2 of item q and q + 1 for
// q = 2, 4, ...; an index past the end repeats the last item read. `separator` 0 writes ';'.
QByteArray TwoChannels(const TChartItem *items, int count, char separator);

// Three channels or more: line i holds sample i of every column, split by `separator` (0
// writes ';'); a column shorter than the others leaves its field empty.
QByteArray Columns(const std::vector<std::vector<double>> &columns, char separator);

// Writes the bytes to fileName, raising EInOutError on any failure.
void WriteFile(const QString &fileName, const QByteArray &bytes);

} // namespace CsvExport
