#include "chart_fixture.h"

#include "chart/bmp_writer.h"
#include "platform/exception.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstring>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(ChartFiles, SavedItemsAppendAfterThePresentOnes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("run.vnx");
    auto source = MakeChart();
    source->SetDataColor(clBlue);
    source->AddMoveTo(0, 1.5);
    source->AddLineTo(1, 2.5);
    source->SetActiveLayer(2);
    source->SetDataColor(clRed);
    source->AddLine(1, 2, 3, 4);
    source->SaveData(path);

    const QByteArray bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 3 * 104);
    EXPECT_EQ(std::memcmp(bytes.constData(), source->Items(), 3 * 104), 0);
    EXPECT_EQ(bytes.mid(8, 8), QByteArray::fromHex("000000000000F83F"));
    EXPECT_EQ(bytes.at(61), 8);

    auto target = MakeChart();
    target->AddLine(0, 0, 1, 1);
    target->AddLine(1, 1, 2, 2);
    target->LoadData(path, true);
    ASSERT_EQ(target->ItemCount(), 5);
    TChartItem item {};
    target->GetItem(4, item);
    EXPECT_EQ(item.Layer, 2);
    EXPECT_EQ(item.Color, clRed);
    EXPECT_EQ(item.Kind, TItemKind::ikLine);
    EXPECT_DOUBLE_EQ(item.Y2, 4);
    EXPECT_EQ(std::memcmp(target->Items() + 2, source->Items(), 3 * 104), 0);

    target->LoadData(path, false);
    EXPECT_EQ(target->ItemCount(), 3);
}

TEST(ChartFiles, TrailingPartialRecordIsIgnored)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("odd.vnx");
    QByteArray bytes(1000, '\0');
    for (int i = 0; i < 9; ++i) {
        bytes[i * 104 + 61] = 3;
        bytes[i * 104 + 64] = 1;
    }
    WriteAll(path, bytes);
    auto chart = MakeChart();
    chart->LoadData(path, true);
    EXPECT_EQ(chart->ItemCount(), 9);
}

TEST(ChartFiles, EmptyListGivesAnEmptyFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("empty.vnx");
    auto chart = MakeChart();
    chart->SaveData(path);
    EXPECT_EQ(QFile(path).size(), 0);
    chart->AddMoveTo(1, 1);
    chart->LoadData(path, true);
    EXPECT_EQ(chart->ItemCount(), 1);
}

// Failing files are reported: the user must not believe the data saved or loaded.
TEST(ChartFiles, FailuresRaiseAndKeepTheList)
{
    QTemporaryDir dir;
    auto chart = MakeChart();
    chart->AddMoveTo(1, 1);
    chart->AddLineTo(2, 2);
    EXPECT_THROW(chart->SaveData(dir.filePath("missing/dir/run.vnx")), EInOutError);
    EXPECT_THROW(chart->LoadData(dir.filePath("nothing.vnx"), false), EInOutError);
    try {
        chart->LoadData(dir.path(), false);
        ADD_FAILURE() << "a folder loaded";
    } catch (const EInOutError &e) {
        EXPECT_EQ(e.Message(), dir.path() + QStringLiteral(" ist ein Ordner, keine Datei"));
    }
    EXPECT_EQ(chart->ItemCount(), 2);
}

TEST(ChartFiles, BitmapNameReplacesOnlyTheLastExtension)
{
    const struct
    {
        const char *in, *out;
    } cases[] = {{"/d/run.1.final.dat", "/d/run.1.final.bmp"},
                 {"/d/run", "/d/run.bmp"},
                 {"/d/Run.BMP", "/d/Run.BMP"},
                 {"/d.x/run", "/d.x/run.bmp"},
                 {"/d/.hidden", "/d/.hidden.bmp"}};
    for (const auto &c : cases) {
        EXPECT_EQ(BitmapFileName(c.in), c.out) << c.in;
    }
}

// Black and white: items black, backgrounds white, shadow silver, axes black, drawn with a
// palette of its own: the chart's colours and the picture the window shows stay as they were.
TEST(ChartFiles, BlackAndWhiteBitmapLeavesTheChartAlone)
{
    QTemporaryDir dir;
    auto chart = MakeChart();
    chart->SetChartColor(clYellow);
    chart->Scale1X().SetVisible(true);
    chart->Scale1X().SetColorScale(clRed);
    chart->SetDataColor(clBlue);
    chart->AddMoveTo(0, 5);
    chart->AddLineTo(1000, 5);
    chart->SetShadowStyle(TShadowStyle::ssFlying);
    chart->SetShadowWidth(3);
    chart->Redraw();
    const QImage shown = chart->ControlImage();
    chart->SaveAsBitmap(dir.filePath("shot.png"), true);
    EXPECT_EQ(chart->ControlImage(), shown);
    const QPoint tick = chart->UserToPixel(1, 200, 0) + QPoint(0, 4); // a major tick's mark
    const QPoint item = chart->UserToPixel(1, 500, 5);

    const QImage image(dir.filePath("shot.bmp"));
    ASSERT_EQ(image.size(), QSize(708, 384));
    EXPECT_EQ(image.pixel(item), Rgb(clBlack));
    EXPECT_EQ(image.pixel(item - QPoint(0, 50)), Rgb(clWhite));
    EXPECT_EQ(image.pixel(706, 200), Rgb(clSilver));
    EXPECT_EQ(image.pixel(tick), Rgb(clBlack));
    EXPECT_EQ(CountPixels(image, Rgb(clRed), 0, 0, 708, 384), 0);
    EXPECT_EQ(CountPixels(image, Rgb(clBlue), 0, 0, 708, 384), 0);

    EXPECT_EQ(chart->ChartColor(), clYellow);
    EXPECT_EQ(chart->Scale1X().ColorScale(), clRed);
    EXPECT_EQ(chart->AxisX(1).ColorScale(), clRed);
    EXPECT_FALSE(chart->PaintSuppressed());
    chart->Redraw();
    EXPECT_EQ(chart->ControlImage().pixel(tick), Rgb(clRed));
}

TEST(ChartFiles, FailedBitmapWriteStillRestores)
{
    QTemporaryDir dir;
    auto chart = MakeChart();
    chart->SetWindColor(clMoneyGreen);
    chart->SuppressPaint(true);
    EXPECT_THROW(chart->SaveAsBitmap(dir.filePath("no/such/dir/x.bmp"), true), EInOutError);
    EXPECT_EQ(chart->WindColor(), clMoneyGreen);
    EXPECT_FALSE(chart->PaintSuppressed());
}

TEST(ChartFiles, ClipboardGetsTheWholeControl)
{
    auto chart = MakeChart();
    chart->CopyToClipboard(false);
    const QImage image = QGuiApplication::clipboard()->image();
    EXPECT_EQ(image.size(), QSize(708, 384));
}

TEST(ChartFiles, BmpEncodingIsBottomUpWithPaddedRows)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(1, 2, 3));
    const std::string bmp = EncodeBmp(image);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(bmp.substr(54 + 12, 3), std::string("\x03\x02\x01", 3)); // top row stored last
}

} // namespace
