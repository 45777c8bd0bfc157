// What the window shows, driven through its buttons with the built-in demo device: the design
// fonts and colours of every control, the terminal's text and echo, the curves, meters and
// trend of a run.
#include "app/run/channel_colors.h"
#include "app/window/channel_legend.h"
#include "chart/num_lab.h"
#include "instruments/led.h"
#include "instruments/trend.h"
#include "instruments/value_indicator.h"
#include "instruments/vmeter.h"
#include "main_window_fixture.h"
#include "platform/color.h"
#include "platform/demo_device.h"
#include "platform/termination_signals.h"
#include "serial/com_port.h"
#include "serial/com_terminal.h"
#include "widget_pixels.h"

#include <QDir>
#include <QFileInfo>
#include <QTabBar>
#include <QTableWidget>

#include <algorithm>
#include <csignal>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include <unistd.h>

namespace {

// A font as the window's tables give it; a height of 0 or no colour leaves that out.
struct FontFacts
{
    QString Name;
    int Height = 0;
    std::optional<TColor> Colour;
    bool Bold = false;
    bool Underline = false;
};

FontFacts Font(const char *name, int height = 0, std::optional<TColor> colour = {},
               bool bold = false, bool underline = false)
{
    return {QString::fromLatin1(name), height, colour, bold, underline};
}

FontFacts Facts(const TFont &f)
{
    return {f.Name, f.Height, f.Color, f.Bold, f.Underline};
}

FontFacts Facts(const TAbFont &f)
{
    return {f.Name(), f.Height(), f.Color(), f.Style().Contains(TFontStyle::fsBold),
            f.Style().Contains(TFontStyle::fsUnderline)};
}

FontFacts Facts(const QFont &f)
{
    return {f.family(), f.pixelSize() > 0 ? -f.pixelSize() : 0, std::nullopt, f.bold(),
            f.underline()};
}

void ExpectFont(const char *control, const FontFacts &actual, const FontFacts &expected)
{
    SCOPED_TRACE(control);
    EXPECT_EQ(actual.Name, expected.Name);
    if (expected.Height != 0) {
        EXPECT_EQ(actual.Height, expected.Height);
    }
    if (expected.Colour) {
        EXPECT_EQ(ColorToRGB(actual.Colour.value_or(0x1000000)), ColorToRGB(*expected.Colour));
    }
    EXPECT_EQ(actual.Bold, expected.Bold);
    EXPECT_EQ(actual.Underline, expected.Underline);
}

// The samples of one chart layer, in order: channel 1 is layer 1, channel 2 layer 2.
std::vector<double> LayerValues(TRChart &chart, int layer)
{
    std::vector<double> values;
    for (int i = 0; i < chart.ItemCount(); ++i) {
        TChartItem item {};
        chart.GetItem(i, item);
        if (item.Layer == layer)
            values.push_back(item.Y2);
    }
    return values;
}

// How often a signal crosses the middle of 0..10: a full period crosses it twice.
int MidCrossings(const std::vector<double> &values)
{
    int crossings = 0;
    for (std::size_t i = 1; i < values.size(); ++i)
        crossings += (values[i - 1] < 5.0) != (values[i] < 5.0);
    return crossings;
}

int ThreadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task"))
                       .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                       .size());
}

// Descriptors of this process open on a pseudo-terminal, master or slave.
int PseudoTerminalCount()
{
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = fd.symLinkTarget();
        count += target == QStringLiteral("/dev/ptmx")
                || target.startsWith(QStringLiteral("/dev/pts/"));
    }
    return count;
}

class WindowViewTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ChoosePort(QString::fromLatin1(DemoPortName));
    }

    void StartTwoChannels(QWidget *page)
    {
        ui().PageControl2->setCurrentWidget(page);
        ui().CH2RadioButton->setChecked(true);
        Click(ui().StartButton);
        ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
    }
};

TEST_F(WindowViewTest, EveryControlHasItsDesignFontAndColours)
{
    const TAbVMeter *meters[] = {ui().AbVMeter1, ui().AbVMeter2};
    const TAbValueInd *indicators[] = {ui().AbValueInd1, ui().AbValueInd2};
    TAbTrend &trend = *ui().AbTrend1;
    TRChart &c = chart();
    const struct
    {
        const char *control;
        FontFacts actual;
        FontFacts expected;
    } fonts[] = {
            {"window", Facts(form->font()), Font("Arial Narrow")},
            {"ComTerminal1", Facts(ui().ComTerminal1->Font()), Font("Courier New", -17, clBlack)},
            {"RChart1", Facts(c.Font()), Font("Tahoma", -15, clBlack)},
            {"Scale1X", Facts(c.Scale1X().Font()), Font("MS Sans Serif", -13, clWindowText)},
            {"Scale1Y", Facts(c.Scale1Y().Font()), Font("MS Sans Serif", -13, clWindowText)},
            {"Scale2X", Facts(c.Scale2X().Font()), Font("MS Sans Serif", -13, clWindowText)},
            {"Scale2Y", Facts(c.Scale2Y().Font()), Font("MS Sans Serif", -13, clWindowText)},
            {"AbVMeter1", Facts(meters[0]->Font()), Font("Arial", -13, clWindowText)},
            {"AbVMeter2", Facts(meters[1]->Font()), Font("Arial", -13, clWindowText)},
            {"AbVMeter1 value", Facts(meters[0]->FontValue()), Font("Arial", -15, clLime, true)},
            {"AbVMeter2 value", Facts(meters[1]->FontValue()), Font("Arial", -15, clLime, true)},
            {"AbVMeter1 scale", Facts(ui().AbVMeter1->ScaleSettings().Font()),
             Font("Arial", -20, clBlack)},
            {"AbVMeter2 scale", Facts(ui().AbVMeter2->ScaleSettings().Font()),
             Font("Arial", -20, clBlack)},
            {"AbValueInd1", Facts(indicators[0]->Font()), Font("Arial", -13, clBlack)},
            {"AbValueInd2", Facts(indicators[1]->Font()), Font("Arial", -13, clBlack)},
            {"AbValueInd1 value", Facts(indicators[0]->FontValue()), Font("Arial", -13, clBlack)},
            {"AbValueInd2 value", Facts(indicators[1]->FontValue()), Font("Arial", -13, clBlack)},
            {"AbTrend1", Facts(trend.Font()), Font("Arial", -13, clBlack)},
            {"AbTrend1 caption", Facts(trend.CaptionFont()),
             Font("Arial", -23, std::nullopt, false, true)},
            {"AbLED1", Facts(ui().AbLED1->font()), Font("Arial", -13)},
            {"NumLab1", Facts(ui().NumLab1->font()), Font("Arial Narrow")},
    };
    for (const auto &f : fonts)
        ExpectFont(f.control, f.actual, f.expected);

    const struct
    {
        const char *what;
        TColor actual;
        TColor expected;
    } colours[] = {
            {"ComTerminal1 background", ui().ComTerminal1->Color(), clWhite},
            {"RChart1 window", c.WindColor(), clWhite},
            {"RChart1 plot", c.ChartColor(), clWhite},
            {"RChart1 frame", c.ChartFrameColor(), clBlack},
            {"RChart1 grid", c.GridColor(), clSilver},
            {"RChart1 shadow", c.ShadowColor(), clGray},
            {"RChart1 shadow background", c.ShadowBakColor(), clBtnFace},
            {"RChart1 crosshair", c.CrossHair1().Color(), clFuchsia},
            {"Scale1X", c.Scale1X().ColorScale(), clBlack},
            {"Scale1Y", c.Scale1Y().ColorScale(), clBlack},
            {"Scale2X", c.Scale2X().ColorScale(), clMaroon},
            {"Scale2Y", c.Scale2Y().ColorScale(), clMaroon},
            {"AbVMeter1 value box", meters[0]->BevelValue().Color(), clBlack},
            {"AbVMeter1 inner bevel", meters[0]->BevelInner().Color(), clWhite},
            {"AbVMeter1 outer bevel pen", meters[0]->BevelOuter().PenColor(), clGray},
            {"AbVMeter1 scale", ui().AbVMeter1->ScaleSettings().Color(), clBlack},
            {"AbVMeter1 pointer", ui().AbVMeter1->ScaleSettings().PointerColor(), clLime},
            {"AbVMeter2 pointer", ui().AbVMeter2->ScaleSettings().PointerColor(), clLime},
            {"AbValueInd1 value box", indicators[0]->BevelValue().Color(), clSilver},
            {"AbValueInd2 value box", indicators[1]->BevelValue().Color(), clSilver},
            {"AbTrend1 plot", trend.BevelInner().Color(), clWhite},
            {"AbTrend1 outer bevel", trend.BevelOuter().Color(), clBtnFace},
            {"AbTrend1 grid", trend.ColorGrid(), clGray},
            {"AbTrend1 separator", trend.ColorSeparator(), clMoneyGreen},
            {"AbTrend1 time", trend.ColorTime(), clMaroon},
            {"AbTrend1 cursor line", trend.ColorCursorLine(), 0x00FF00},
            {"AbTrend1 channel 1", trend.Channel1().Color(), clBlue},
            {"AbTrend1 channel 2", trend.Channel2().Color(), clRed},
            {"AbLED1 on", ui().AbLED1->LED().ColorOn(), clRed},
            {"AbLED8 off", ui().AbLED8->LED().ColorOff(), clMoneyGreen},
            {"NumLab1 field", ui().NumLab1->ColorLabBakG(), clBtnFace},
            {"NumLab1 number", ui().NumLab1->ColorLabText(), clBlack},
            {"NumLab1 outside", ui().NumLab1->ColorOutBakG(), clBtnFace},
            {"NumLab1 texts", ui().NumLab1->ColorOutText(), clBlack},
    };
    for (const auto &k : colours)
        EXPECT_EQ(ColorToRGB(k.actual), ColorToRGB(k.expected)) << k.what;
}

// The meters show no min/max marks: every value a run brings would otherwise leave a triangle.
TEST_F(WindowViewTest, MetersShowNoMinMaxMarks)
{
    for (const TAbVMeter *meter : {ui().AbVMeter1, ui().AbVMeter2}) {
        EXPECT_FALSE(meter->MinMax().MinVisible());
        EXPECT_FALSE(meter->MinMax().MaxVisible());
        EXPECT_FALSE(meter->MinMax().UseSectorCol());
    }
}

// Colours that only the drawn window tells: captions, titles and the active tab.
TEST_F(WindowViewTest, CaptionsAndTabsShowTheirDesignColours)
{
    ui().CH2RadioButton->setChecked(true);
    ui().PageControl2->setCurrentWidget(ui().TabSheetFastDisplay);
    const QRect titleStrip(0, 0, 180, 16);
    const struct
    {
        const char *what;
        QWidget *widget;
        QRect area; // empty: the whole widget
        QColor colour;
        int tolerance; // text is antialiased; fills are exact
        std::function<void()> show;
    } cases[] = {
            {"Label11 hint text", ui().Label11, {}, ToQColor(clGray), 24, nullptr},
            {"GroupBox2 title", ui().GroupBox2, titleStrip, ToQColor(clBlue), 24,
             [&] { ui().SettingsPages->setCurrentWidget(ui().SheetKanal1); }},
            {"GroupBox3 title", ui().GroupBox3, titleStrip, ToQColor(clMaroon), 24,
             [&] { ui().SettingsPages->setCurrentWidget(ui().SheetKanal2); }},
            {"LED caption", ui().AbLED3, QRect(0, 0, 17, 18), ToQColor(clBlack), 24, nullptr},
            {"active display tab", ui().PageControl2->tabBar(),
             ui().PageControl2->tabBar()->tabRect(ui().PageControl2->currentIndex()),
             ToQColor(clInfoBk), 0, nullptr},
    };
    for (const auto &k : cases) {
        if (k.show)
            k.show();
        const QImage image = Grab(*k.widget);
        const QRect area = k.area.isEmpty() ? image.rect() : k.area;
        EXPECT_GE(FindPixels(image, area, Near(k.colour, k.tolerance)).Count, 3) << k.what;
    }
}

TEST_F(WindowViewTest, TerminalShowsDarkTextOnLightAndTheEcho)
{
    // A slow line keeps the echo on the screen among the demo's own lines.
    ui().ComboBoxBaud->setCurrentText(QStringLiteral("300"));
    ui().PageControl2->setCurrentWidget(ui().TabSheetTerminal);
    Click(ui().BtnTerminalStart);
    ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
    TComTerminal &terminal = *ui().ComTerminal1;
    ui().ButtonClearTerminal->click();
    ui().EditTerminalSendString->setText(QStringLiteral("hello"));
    Click(ui().BtnTerminalSend);
    auto shows = [&](const std::string &text) {
        for (int row = 1; row <= terminal.Rows(); ++row) {
            std::string line;
            for (int column = 1; column <= terminal.Columns(); ++column)
                line += terminal.Buffer().GetCell(column, row).Ch;
            if (line.find(text) != std::string::npos)
                return row;
        }
        return 0;
    };
    // The demo device's own lines scroll by as well; the echo is one of them.
    int row = 0;
    ASSERT_TRUE(ProcessEventsUntil([&] { return (row = shows("echo: hello")) != 0; }));
    Click(ui().BtnTerminalStop);
    ASSERT_LE(row, terminal.ClientRect().height() / terminal.FontHeight());

    const QImage image = Grab(terminal);
    const QRect client = terminal.ClientRect();
    const QRect line(client.left(), client.top() + (row - 1) * terminal.FontHeight(),
                     11 * terminal.FontWidth(), terminal.FontHeight());
    EXPECT_GE(FindPixels(image, line, Darker(96)).Count, 40) << "dark text of the echo";
    EXPECT_GT(FindPixels(image, client, Lighter(224)).Count, client.width() * client.height() / 2)
            << "light background";
}

TEST_F(WindowViewTest, FastDisplayDrawsBothDemoChannelsInsideThePlot)
{
    StartTwoChannels(ui().TabSheetFastDisplay);
    // The design's 1,000 samples end the run by themselves.
    ASSERT_TRUE(ProcessEventsUntil([&] { return !messages.Infos.isEmpty(); }, 20000));
    ASSERT_EQ(messages.Infos, QStringList {QStringLiteral("Speicher-/Sample-Maximum erreicht")});

    const struct
    {
        int layer;
        QColor colour;
    } channels[] = {{1, QColor(0, 0, 255)}, {2, QColor(255, 0, 0)}};
    const QImage image = Grab(chart());
    const QRect plot(chart().MarginLeft(), chart().MarginTop(),
                     chart().width() - chart().MarginLeft() - chart().MarginRight(),
                     chart().height() - chart().MarginTop() - chart().MarginBottom());
    for (const auto &ch : channels) {
        SCOPED_TRACE(ch.layer);
        const std::vector<double> values = LayerValues(chart(), ch.layer);
        ASSERT_GE(values.size(), 990u);
        const auto [low, high] = std::minmax_element(values.begin(), values.end());
        EXPECT_GE(*low, 0.0);
        EXPECT_LE(*high, 10.0);
        EXPECT_LT(*low, 1.0);
        EXPECT_GT(*high, 9.0);
        EXPECT_GE(MidCrossings(values), 2) << "a full period within the first 1,000 samples";

        const PixelSpan curve = FindPixels(image, image.rect(), Exactly(ch.colour));
        EXPECT_TRUE(plot.contains(curve.Bounds)) << "curve outside the plot";
        EXPECT_GT(curve.Bounds.height(), plot.height() * 3 / 4) << "curve squeezed or clipped";
        EXPECT_GT(curve.Bounds.width(), plot.width() * 3 / 4);
    }
}

TEST_F(WindowViewTest, FastDisplayDrawsEightDemoChannelsWithTheirLegend)
{
    ChoosePort(QString::fromLatin1(Demo8PortName));
    ui().PageControl2->setCurrentWidget(ui().TabSheetFastDisplay);
    ui().ChannelCountSpinBox->setValue(8); // picks "3 to 8" as well
    ASSERT_TRUE(ui().ChNRadioButton->isChecked());
    Click(ui().StartButton);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !messages.Infos.isEmpty(); }, 20000));
    ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();

    const QImage image = Grab(chart());
    const QRect plot(chart().MarginLeft(), chart().MarginTop(),
                     chart().width() - chart().MarginLeft() - chart().MarginRight(),
                     chart().height() - chart().MarginTop() - chart().MarginBottom());
    const ChannelLegend &legend = form->Legend();
    ASSERT_EQ(legend.Entries().size(), 8u);
    std::set<QRgb> colours;
    for (int channel = 1; channel <= kMaxChannels; ++channel) {
        SCOPED_TRACE(channel);
        const QColor colour = ToQColor(ChannelColor(channel));
        colours.insert(colour.rgb());
        const std::vector<double> values = LayerValues(chart(), channel);
        ASSERT_GE(values.size(), 990u);
        const auto [low, high] = std::minmax_element(values.begin(), values.end());
        EXPECT_GE(*low, 0.0);
        EXPECT_LE(*high, 10.0);

        // Black is also the frame's and the labels' colour: only count it inside the frame.
        const QRect area = colour == Qt::black ? plot.adjusted(1, 1, -1, -1) : image.rect();
        const PixelSpan curve = FindPixels(image, area, Exactly(colour));
        EXPECT_TRUE(plot.contains(curve.Bounds)) << "curve outside the plot";
        EXPECT_GT(curve.Bounds.width(), plot.width() * 3 / 4);
        EXPECT_GT(curve.Bounds.height(), plot.height() / 5);

        const ChannelLegend::Entry &entry = legend.Entries()[size_t(channel - 1)];
        EXPECT_EQ(entry.Name, QStringLiteral("CH%1").arg(channel));
        EXPECT_EQ(entry.Color, ChannelColor(channel));
        EXPECT_GT(FindPixels(image, legend.geometry(), Exactly(colour)).Count, 5) << "swatch";
    }
    EXPECT_EQ(colours.size(), 8u) << "eight colours";

    // Over the plot the legend reads each channel's sample under the cursor.
    form->RChart1MouseMoveInChart(true, {}, 500.2, 5.0);
    for (int channel = 1; channel <= kMaxChannels; ++channel) {
        const std::optional<double> value = legend.Entries()[size_t(channel - 1)].Value;
        ASSERT_TRUE(value.has_value()) << channel;
        EXPECT_EQ(*value, LayerValues(chart(), channel)[499]) << channel; // lines end at 1, 2, ...
    }
    form->RChart1MouseMoveInChart(false, {}, 0, 0);
    EXPECT_FALSE(legend.Entries()[0].Value.has_value());

    // A channel ticked off leaves the plot and the legend.
    ui().ChannelTable->item(5 - 3, 0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(legend.Entries().size(), 7u);
    EXPECT_EQ(FindPixels(Grab(chart()), plot, Exactly(ToQColor(ChannelColor(5)))).Count, 0);
}

TEST_F(WindowViewTest, SlowDisplayMetersAndTrendFollowTheDemo)
{
    StartTwoChannels(ui().TabSheetSlowDisplay);
    TAbTrend &trend = *ui().AbTrend1;
    TAbVMeter *meters[] = {ui().AbVMeter1, ui().AbVMeter2};

    // Two views of each meter during the run: pointer and value text where the value says.
    for (int look = 0; look < 2; ++look) {
        const QString before = meters[0]->ValueText();
        ASSERT_TRUE(ProcessEventsUntil([&] { return meters[0]->ValueText() != before; }));
        for (TAbVMeter *meter : meters) {
            SCOPED_TRACE(meter->objectName().toStdString());
            EXPECT_GE(meter->Value(), 0.0f);
            EXPECT_LE(meter->Value(), 10.0f);
            const QImage image = Grab(*meter);
            const PixelSpan pointer = FindPixels(image, meter->ScaleArea(), Exactly(Qt::green));
            ASSERT_GT(pointer.Count, 0);
            EXPECT_NEAR(pointer.Bounds.center().y(), meter->PointerY(meter->PosPerMille()), 2);
            EXPECT_GT(FindPixels(image, meter->ValueBox(), Near(Qt::green, 60)).Count, 10)
                    << "value text";
        }
    }

    ASSERT_TRUE(ProcessEventsUntil([&] { return trend.Records().Count() >= 15; }, 20000));
    Click(ui().StopButton);
    const QImage image = Grab(trend);
    const QColor colours[] = {QColor(0, 0, 255), QColor(255, 0, 0)};
    for (const QColor &colour : colours) {
        const PixelSpan curve = FindPixels(image, trend.PlotRect(), Exactly(colour));
        EXPECT_GE(curve.Bounds.width(), 10) << colour.name().toStdString();
        EXPECT_GT(curve.Bounds.height(), 5) << colour.name().toStdString();
    }
}

TEST_F(WindowViewTest, TerminationSignalDuringADemoRunLeavesNothingBehind)
{
    const int threads = ThreadCount();
    const int terminals = PseudoTerminalCount();
    int received = 0;
    TerminationSignals termination([&](int signal) {
        received = signal;
        form->close();
    });
    ShowFastDisplay();
    Click(ui().StartButton);
    ASSERT_TRUE(ProcessEventsUntil([&] { return chart().ItemCount() > 10; }));
    EXPECT_GT(ThreadCount(), threads);
    EXPECT_GT(PseudoTerminalCount(), terminals);

    ASSERT_EQ(::kill(::getpid(), SIGTERM), 0);
    ASSERT_TRUE(ProcessEventsUntil([&] { return received == SIGTERM; }));
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->ComPort1().Connected());
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount() == threads; })) << ThreadCount();
    EXPECT_EQ(PseudoTerminalCount(), terminals);
}

} // namespace
