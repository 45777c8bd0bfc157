#include "instruments/trend_file.h"

#include "platform/exception.h"
#include "platform/system_file.h"

#include <cerrno>

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
    if (const int code = file.Open(fileName, TSystemFile::Mode::Read); code != 0)
        return code;
    if (file.IsDirectory())
        return InOutCodeFromErrno(EISDIR);

    const auto total = static_cast<long long>(file.Size() / kTrendRecordSize);
    std::vector<unsigned char> block(kRecordsPerBlock * kTrendRecordSize);
    for (long long done = 0; done < total;) {
        const auto n = static_cast<int>(std::min<long long>(kRecordsPerBlock, total - done));
        file.ReadExactly(reinterpret_cast<char *>(block.data()),
                         static_cast<std::size_t>(n * kTrendRecordSize));
        for (int i = 0; i < n; ++i)
            records.Append(DecodeTrendRecord(block.data() + i * kTrendRecordSize));
        done += n;
    }
    file.Close();
    return 0;
}
