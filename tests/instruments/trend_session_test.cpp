#include "trend_fixture.h"

#include "instruments/trend_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstring>

namespace {

class TrendSessionTest : public TrendTest
{
protected:
    // A session file of n records with channel 1 words 1000 + i.
    QString WriteSession(const char *name, int n)
    {
        TTrendRecords records;
        for (int i = 0; i < n; ++i) {
            TTrendRecord r;
            r.Time = 46023.5 + i / 86400.0;
            r.Word[0] = static_cast<std::uint16_t>(1000 + i);
            records.Append(r);
        }
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_EQ(0, WriteTrendFile(path, records));
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(TrendSessionTest, LoadAppendsBehindSeparatorsAndStopsRecording)
{
    Tick(10);
    const TDateTime tenth = trend->Records()[9].Time;
    EXPECT_EQ(0, trend->LoadFromFile(WriteSession("three.vns", 3)));
    ASSERT_EQ(18, trend->Records().Count());
    for (int i = 9; i < 14; ++i)
        EXPECT_TRUE(IsSeparator(trend->Records()[i])) << i;
    EXPECT_EQ(tenth, trend->Records()[14].Time);
    EXPECT_EQ(1000, trend->Records()[15].Word[0]);
    EXPECT_EQ(1002, trend->Records().Last().Word[0]);
    EXPECT_EQ(18u, trend->RecordInfo().TotalRecords());

    EXPECT_FALSE(trend->StartRecording());
    EXPECT_FALSE(Registered());
    timer.Step(50);
    EXPECT_EQ(18, trend->Records().Count());
    // Clearing later keeps it stopped.
    trend->ClearRecords();
    EXPECT_FALSE(Registered());
}

TEST_F(TrendSessionTest, LoadIntoOneRecordOrClearedList)
{
    Tick();
    const QString path = WriteSession("two.vns", 2);
    EXPECT_EQ(0, trend->LoadFromFile(path));
    EXPECT_EQ(3, trend->Records().Count()) << "no separators after a single record";
    EXPECT_EQ(0, trend->LoadRecords(path, true));
    EXPECT_EQ(2, trend->Records().Count());
}

TEST_F(TrendSessionTest, FailedOpenReturnsTheCodeAndStillStops)
{
    Tick(2);
    EXPECT_EQ(2, trend->LoadFromFile(dir.filePath(QStringLiteral("missing.vns"))));
    EXPECT_EQ(7, trend->Records().Count());
    EXPECT_FALSE(Registered());
}

TEST_F(TrendSessionTest, SaveWritesTheListAndReportsAFailedCreate)
{
    Tick(4);
    trend->SetInterval(1000);
    Tick();
    const QString path = dir.filePath(QStringLiteral("saved.vns"));
    ASSERT_EQ(0, trend->SaveToFile(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(10 * 24, bytes.size());
    EXPECT_EQ(0, std::memcmp(trend->Records().Data(), bytes.constData(), bytes.size()));
    EXPECT_TRUE(Registered()) << "saving leaves the recording alone";

    EXPECT_NE(0, trend->SaveToFile(dir.filePath(QStringLiteral("no/dir/x.vns"))));
}

TEST_F(TrendSessionTest, LoadShowsTheFirstOrTheNewestRecords)
{
    Show();
    const QString path = WriteSession("long.vns", 1000);
    trend->LoadRecords(path, true);
    EXPECT_EQ(0, trend->ViewStart());
    EXPECT_EQ(0, trend->RecordInfo().FirstDisplayedRec());

    trend->SetOptions(trend->Options().Include(TTrendOption::opShowLast));
    trend->LoadRecords(path, true);
    EXPECT_EQ(999 - trend->VisibleRecords(), trend->ViewStart());
    EXPECT_EQ(999, trend->RecordInfo().LastDisplayedRec());
}

} // namespace
