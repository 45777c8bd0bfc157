#include "trend_fixture.h"

#include "instruments/trend_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <iterator>
#include <limits>

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

// A load that fails or reads nothing adds no separator and changes no record; it still stops
// the recording.
TEST_F(TrendSessionTest, FailedOrEmptyLoadChangesNoRecordAndStillStops)
{
    Tick(2);
    EXPECT_EQ(2, trend->LoadFromFile(dir.filePath(QStringLiteral("missing.vns"))));
    EXPECT_EQ(2, trend->Records().Count());
    EXPECT_FALSE(Registered());
    EXPECT_EQ(0, trend->LoadFromFile(WriteSession("empty.vns", 0)));
    EXPECT_EQ(5, trend->LoadFromFile(dir.path()));
    EXPECT_EQ(2, trend->Records().Count());
    EXPECT_EQ(0, trend->LoadRecords(WriteSession("empty.vns", 0), true));
    EXPECT_EQ(0, trend->Records().Count()) << "cleared first, the file's nothing is shown";
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

// Any file may be opened as a session: record times without a calendar date (NaN, infinite, or
// beyond what a date-time holds) draw, hint and move the cursor with empty labels.
TEST_F(TrendSessionTest, TimesWithoutADateDrawEmptyLabels)
{
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double kInf = std::numeric_limits<double>::infinity();
    const double odd[] = {kNaN, kInf, -kInf, 1e300, -1e19, 9.3e18, -9.3e18, 1.1e11};
    TTrendRecords records;
    for (int i = 0; i < 190; ++i) {
        TTrendRecord r;
        r.Time = 46023.5 + i / 86400.0;
        if (i % 20 == 5 || i == 120 || i == 180)
            r.Time = odd[i % std::size(odd)];
        r.Word[0] = static_cast<std::uint16_t>(100 + i);
        records.Append(r);
    }
    const QString path = dir.filePath(QStringLiteral("odd.vns"));
    ASSERT_EQ(0, WriteTrendFile(path, records));

    trend->SetOptions(trend->Options().Include(TTrendOption::opDate));
    Show();
    ASSERT_EQ(0, trend->LoadRecords(path, true));
    trend->RedrawRange(0, trend->Records().Count() - 1);
    for (int x = 0; x < 190; x += 3)
        MoveToColumn(x);
    trend->repaint();

    // Grid columns 60, 120 and 180 carry labels; only the one with a date shows text.
    const QImage &plot = trend->PlotImage();
    const int h = plot.height();
    const QRect row(0, trend->ZeroY() + 1, plot.width(), h - trend->ZeroY() - 1);
    EXPECT_TRUE(HasColorIn(plot, row & QRect(40, 0, 41, h), clMaroon));
    EXPECT_FALSE(HasColorIn(plot, row & QRect(100, 0, 41, h), clMaroon));
    EXPECT_FALSE(HasColorIn(plot, row & QRect(160, 0, 41, h), clMaroon));
}

} // namespace
