#include "instruments/trend_file.h"
#include "instruments/trend_record.h"
#include "instruments/trend_records.h"

#include "platform/date_time.h"
#include "platform/exception.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TTrendRecord MakeRecord(TDateTime time, std::uint16_t first, std::uint16_t second = 0)
{
    TTrendRecord record;
    record.Time = time;
    record.Word[0] = first;
    record.Word[1] = second;
    return record;
}

QByteArray ReadAllBytes(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(TrendRecord, EncodesTimeAndWordsLittleEndian)
{
    const TDateTime noon = DateTimeFromQt(QDateTime(QDate(2026, 1, 1), QTime(12, 0)));
    const TTrendRecordBytes bytes = EncodeTrendRecord(MakeRecord(noon, 500));
    const unsigned char expected[24] = {0x00, 0x00, 0x00, 0x00, 0xF0, 0x78, 0xE6, 0x40, 0xF4, 0x01};
    EXPECT_EQ(0, std::memcmp(bytes.data(), expected, sizeof expected));

    const TTrendRecord back = DecodeTrendRecord(bytes.data());
    EXPECT_EQ(noon, back.Time);
    EXPECT_EQ(500, back.Word[0]);
    // The in-memory record is the file record.
    const TTrendRecord original = MakeRecord(noon, 500);
    EXPECT_EQ(0, std::memcmp(&original, bytes.data(), sizeof original));
}

TEST(TrendRecord, RelativeDigitIsClampedToTheWordRange)
{
    const struct
    {
        int relDigit;
        std::uint16_t word;
    } cases[] = {{-1, 0}, {-70000, 0}, {0, 0}, {1000, 1000}, {65535, 65535}, {65536, 65535}};
    for (const auto &c : cases)
        EXPECT_EQ(c.word, TrendWordFromRelDigit(c.relDigit)) << c.relDigit;
}

TEST(TrendRecords, InsertsAndRemovesOldest)
{
    TTrendRecords list;
    for (int i = 0; i < 4; ++i)
        list.Append(MakeRecord(1.0 + i, static_cast<std::uint16_t>(i)));
    list.Insert(3, 2, MakeRecord(0.0, 2));
    ASSERT_EQ(6, list.Count());
    EXPECT_TRUE(IsSeparator(list[3]));
    EXPECT_TRUE(IsSeparator(list[4]));
    EXPECT_EQ(4.0, list.Last().Time);

    list.RemoveFirst(2);
    EXPECT_EQ(4, list.Count());
    EXPECT_EQ(3.0, list[0].Time);
}

class TrendFile : public ::testing::Test
{
protected:
    QString Path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
};

TEST_F(TrendFile, SavesAndReloadsRecordsByteForByte)
{
    TTrendRecords saved;
    for (int i = 0; i < 1000; ++i)
        saved.Append(i % 100 == 50
                             ? MakeRecord(0.0, 7)
                             : MakeRecord(46023.5 + i / 864000.0, static_cast<std::uint16_t>(i),
                                          static_cast<std::uint16_t>(65535 - i)));
    const QString path = Path("session.vns");
    ASSERT_EQ(0, WriteTrendFile(path, saved));
    const QByteArray bytes = ReadAllBytes(path);
    ASSERT_EQ(24000, bytes.size());
    EXPECT_EQ(0, std::memcmp(saved.Data(), bytes.constData(), 24000));

    // A read-only session file loads too.
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    TTrendRecords loaded;
    ASSERT_EQ(0, ReadTrendFile(path, loaded));
    ASSERT_EQ(1000, loaded.Count());
    EXPECT_EQ(0, std::memcmp(saved.Data(), loaded.Data(), 24000));
}

TEST_F(TrendFile, AppendsWholeRecordsAndIgnoresATrailingPart)
{
    TTrendRecords source;
    source.Append(MakeRecord(46023.5, 1));
    source.Append(MakeRecord(46023.6, 2));
    const QString path = Path("fifty.vns");
    ASSERT_EQ(0, WriteTrendFile(path, source));
    WriteBytes(path, ReadAllBytes(path) + QByteArray("xy"));

    TTrendRecords list;
    list.Append(MakeRecord(1.0, 9));
    ASSERT_EQ(0, ReadTrendFile(path, list));
    ASSERT_EQ(3, list.Count());
    EXPECT_EQ(9, list[0].Word[0]);
    EXPECT_EQ(1, list[1].Word[0]);
    EXPECT_EQ(2, list[2].Word[0]);
}

TEST_F(TrendFile, EmptyListGivesEmptyFile)
{
    const QString path = Path("empty.vns");
    ASSERT_EQ(0, WriteTrendFile(path, TTrendRecords()));
    EXPECT_EQ(0, QFile(path).size());
    TTrendRecords list;
    EXPECT_EQ(0, ReadTrendFile(path, list));
    EXPECT_EQ(0, list.Count());
}

TEST_F(TrendFile, FailedOpenReturnsTheCodeAndChangesNothing)
{
    TTrendRecords list;
    list.Append(MakeRecord(1.0, 1));
    EXPECT_EQ(2, ReadTrendFile(Path("missing.vns"), list));
    EXPECT_EQ(5, ReadTrendFile(m_dir.path(), list)); // a directory is no record file
    EXPECT_EQ(1, list.Count());

    EXPECT_NE(0, WriteTrendFile(Path("no/such/dir.vns"), list));
    EXPECT_EQ(5, WriteTrendFile(m_dir.path(), list));
}

TEST_F(TrendFile, FailedWriteRaises)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full";
    TTrendRecords list;
    list.Append(MakeRecord(1.0, 1));
    try {
        WriteTrendFile(QStringLiteral("/dev/full"), list);
        FAIL() << "no error raised";
    } catch (const EInOutError &error) {
        EXPECT_EQ(101, error.ErrorCode());
    }
}

} // namespace
