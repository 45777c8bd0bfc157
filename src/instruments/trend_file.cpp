#include "instruments/trend_file.h"

#include "platform/exception.h"
#include "platform/system_file.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

constexpr int kRecordsPerBlock = 4096;

} // namespace

int WriteTrendFile(const QString &fileName, const TTrendRecords &records)
{
    TSystemFile file;
    if (const int code = file.Open(fileName, TSystemFile::Mode::Create); code != 0)
        return code;

    std::vector<unsigned char> block;
    block.reserve(kRecordsPerBlock * kTrendRecordSize);
    for (int first = 0; first < records.Count(); first += kRecordsPerBlock) {
        const int last = std::min(records.Count(), first + kRecordsPerBlock);
        block.clear();
        for (int i = first; i < last; ++i) {
            const TTrendRecordBytes bytes = EncodeTrendRecord(records[i]);
            block.insert(block.end(), bytes.begin(), bytes.end());
        }
        file.Write(std::string_view(reinterpret_cast<const char *>(block.data()), block.size()));
    }
    file.Close();
    return 0;
}

int ReadTrendFile(const QString &fileName, TTrendRecords &records)
{
    TSystemFile file;
    TRecordCount count;
    // Read into a list of their own, then copied behind the trend's records: twice their size.
    if (const int code
        = file.OpenRecords(fileName, kTrendRecordSize, 2 * sizeof(TTrendRecord), count);
        code != 0)
        return code;
    if (count.Records > std::numeric_limits<int>::max() - records.Count())
        throw EOutOfMemory();

    const auto total = static_cast<int>(count.Records);
    records.Reserve(records.Count() + total);
    std::vector<unsigned char> block(kRecordsPerBlock * kTrendRecordSize);
    for (int done = 0; done < total;) {
        const int n = std::min(kRecordsPerBlock, total - done);
        file.ReadExactly(reinterpret_cast<char *>(block.data()),
                         static_cast<std::size_t>(n) * kTrendRecordSize);
        for (int i = 0; i < n; ++i)
            records.Append(DecodeTrendRecord(block.data() + i * kTrendRecordSize));
        done += n;
    }
    file.Close();
    return 0;
}
