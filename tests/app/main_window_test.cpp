// Runs on the fast and the slow display pages, from Start to Stop.
#include "app/run/run_settings.h"
#include "instruments/led.h"
#include "instruments/trend.h"
#include "instruments/vmeter.h"
#include "main_window_fixture.h"
#include "serial/com_port.h"
#include "support/fake_ports.h"
#include "widget_pixels.h"

#include <QAbstractItemDelegate>
#include <QTableWidget>
#include <QValidator>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

namespace {

TEST_F(MainWindowTest, ShowsTheDesignTimeState)
{
    EXPECT_EQ(ui().PageControl2->currentWidget(), ui().TabSheetSlowDisplay);
    EXPECT_EQ(ui().SettingsPages->currentWidget(), ui().SheetCOM);
    EXPECT_FALSE(ui().SettingsPages->isTabVisible(ui().SettingsPages->indexOf(ui().SheetKanal2)));
    EXPECT_FALSE(ui().StopButton->isEnabled());
    EXPECT_FALSE(ui().GroupBoxGrafik->isVisible());
    EXPECT_EQ(ui().DatSkalEdit->text(), QStringLiteral("1,000000"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("      V a n t o r  Vers. 1.0"));
    ShowFastDisplay();
    EXPECT_TRUE(ui().GroupBoxGrafik->isVisible());
}

TEST_F(MainWindowTest, BothPortListsOfferTheDemoDevices)
{
    const QString demos[] = {QStringLiteral("DEMO"), QStringLiteral("DEMO 8")};
    for (const QString &demo : demos)
        EXPECT_GE(ui().ComComboBox1->findText(demo), 0) << demo.toStdString();
    ui().CheckBoxAutoCom->setChecked(false);
    EXPECT_EQ(ui().ComComboBox1->count(), 27);
    EXPECT_EQ(ui().ComComboBox1->itemText(25), QStringLiteral("DEMO"));
    EXPECT_EQ(ui().ComComboBox1->itemText(26), QStringLiteral("DEMO 8"));
    ui().CheckBoxAutoCom->setChecked(true);
    for (const QString &demo : demos)
        EXPECT_GE(ui().ComComboBox1->findText(demo), 0) << demo.toStdString();
}

TEST_F(MainWindowTest, DemoDeviceDrawsOnTheFastDisplay)
{
    ShowFastDisplay();
    ui().ComComboBox1->SetText(QStringLiteral("DEMO"));
    Click(ui().StartButton);
    ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
    ASSERT_TRUE(ProcessEventsUntil([&] { return chart().ItemCount() >= 20; }));
    for (int i = 1; i < chart().ItemCount(); ++i) {
        EXPECT_GE(Item(i).Y1, 0.0);
        EXPECT_LE(Item(i).Y1, 10.0);
    }
    Click(ui().StopButton);
    EXPECT_FALSE(form->ComPort1().Connected());
}

TEST_F(MainWindowTest, FastDisplayOneChannelRun)
{
    ShowFastDisplay();
    Click(ui().StartButton);
    ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
    EXPECT_FALSE(ui().StartButton->isEnabled());
    EXPECT_TRUE(ui().StopButton->isEnabled());
    Send("x\r\n1\r\n2.5\r\n-3\r\n");
    ASSERT_TRUE(WaitForItems(3));
    EXPECT_EQ(Item(0).Kind, TItemKind::ikMoveTo);
    EXPECT_DOUBLE_EQ(Item(2).X1, 2.0);
    EXPECT_DOUBLE_EQ(Item(2).Y1, -3.0);

    Send("clr\r\n7\r\n");
    ASSERT_TRUE(ProcessEventsUntil([&] { return chart().ItemCount() == 1 && Item(0).Y1 == 7.0; }));
    EXPECT_EQ(Item(0).Kind, TItemKind::ikMoveTo);

    Click(ui().StopButton);
    EXPECT_TRUE(ui().StartButton->isEnabled());
    EXPECT_FALSE(form->ComPort1().Connected());
    EXPECT_EQ(chart().ItemCount(), 1);
}

TEST_F(MainWindowTest, FastDisplayTwoChannelRun)
{
    ShowFastDisplay();
    ui().CH2RadioButton->setChecked(true);
    EXPECT_EQ(ui().ComboBoxUpdateRate->currentText(), QStringLiteral("1000"));
    EXPECT_TRUE(ui().SettingsPages->isTabVisible(ui().SettingsPages->indexOf(ui().SheetKanal2)));
    Click(ui().StartButton);
    Send("x\r\n1;10\r\n2;20\r\n3;30\r\n");
    ASSERT_TRUE(WaitForItems(4));
    EXPECT_EQ(Item(0).Layer, 1);
    EXPECT_EQ(Item(1).Layer, 2);
    EXPECT_DOUBLE_EQ(Item(3).Y2, 30.0);
}

// Lines written in pieces of many sizes, from a byte to several kilobytes, with a pause after
// each (slow enough that a busy machine stays far from the input queue's 80 % mark): every sample
// reaches the chart once and in order, across many hand-overs and many times the display list's
// first allocation.
TEST_F(MainWindowTest, AStreamOfLinesReachesTheFastDisplayWholeAndInOrder)
{
    ShowFastDisplay();
    ui().ComboBoxMaxSamples->setCurrentText(QStringLiteral("100000"));
    Click(ui().StartButton);
    ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
    constexpr int kLines = 12000;
    std::string text = "x\r\n";
    for (int i = 0; i < kLines; ++i)
        text += std::to_string(i % 1000) + ".25\r\n";
    std::thread writer([&] {
        constexpr std::size_t kPieces[] = {1, 7, 300, 13, 5000, 2, 4096, 50};
        std::size_t at = 0;
        for (int n = 0; at < text.size(); ++n) {
            const std::size_t size = std::min(kPieces[n % 8], text.size() - at);
            if (!pty.Write(text.substr(at, size)))
                return;
            at += size;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    const bool complete
            = ProcessEventsUntil([&] { return form->State().SampleCount >= kLines; }, 60000);
    writer.join();
    ASSERT_TRUE(complete);
    ASSERT_EQ(chart().ItemCount(), kLines);
    for (int i = 0; i < kLines; ++i) {
        const TChartItem item = Item(i);
        ASSERT_DOUBLE_EQ(item.X1, double(i)) << i;
        ASSERT_DOUBLE_EQ(item.Y1, double(i % 1000) + 0.25) << i;
    }
    EXPECT_TRUE(form->StatusText(2).isEmpty()) << form->StatusText(2).toStdString();
}

// The message comes once the run has stopped, with every sample up to the limit on screen:
// the last ten samples (at 8, after 90 at 2) show as a blue run at the plot's right end.
TEST_F(MainWindowTest, SampleLimitStopsTheRunAndTellsWithEverySampleShown)
{
    ShowFastDisplay();
    ui().ComboBoxMaxSamples->setCurrentText(QStringLiteral("100"));
    ui().GraphXmaxEdit->setText(QStringLiteral("100"));
    QStringList told;
    bool idleWhenTold = false;
    QImage shownWhenTold;
    const MessagePresenter recorder = SetMessagePresenter(
            [&](TMessageKind, const QString &, const QString &text, const QString &) {
                told << text;
                idleWhenTold = ui().StartButton->isEnabled() && !form->ComPort1().Connected();
                shownWhenTold = Grab(chart());
            });
    Click(ui().StartButton);
    Send("x\r\n" + Lines(91, "2") + Lines(59, "8"));
    const bool toldInTime = ProcessEventsUntil([&] { return !told.isEmpty(); });
    SetMessagePresenter(recorder);
    ASSERT_TRUE(toldInTime);
    EXPECT_EQ(told, QStringList {QStringLiteral("Speicher-/Sample-Maximum erreicht")});
    EXPECT_TRUE(idleWhenTold);
    EXPECT_EQ(form->State().LimitCount, 101);
    EXPECT_EQ(chart().ItemCount(), 101);

    const QPoint from = chart().UserToPixel(1, 92, 8);
    const QPoint to = chart().UserToPixel(1, 100, 8);
    const PixelSpan last = FindPixels(shownWhenTold, QRect(from, to).adjusted(0, -1, 0, 1),
                                      Exactly(QColor(0, 0, 255)));
    EXPECT_GE(last.Count, to.x() - from.x()) << "the samples before the limit are not drawn";
}

TEST_F(MainWindowTest, TrendRunScrollsAndStopEmptiesTheChart)
{
    ShowFastDisplay();
    ui().TrendCheckBox->setChecked(true);
    EXPECT_EQ(ui().GraphXmaxEdit->text(), QStringLiteral("2000"));
    EXPECT_DOUBLE_EQ(chart().Scale1X().RangeHigh(), 2000.0);
    Click(ui().StartButton);
    Send("x\r\n" + Lines(2500, "1"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->State().SampleCount == 2500; }));
    const int window = chart().ItemCount();
    EXPECT_EQ(window, 1996);
    EXPECT_DOUBLE_EQ(chart().Scale1X().RangeHigh(), 2000.0 + 2500 - 1996);
    Send(Lines(100, "2"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->State().SampleCount == 2600; }));
    EXPECT_EQ(chart().ItemCount(), window);

    // Stop keeps the last window on screen, with its items and X range, until Start or Clear.
    const double high = chart().Scale1X().RangeHigh();
    Click(ui().StopButton);
    EXPECT_FALSE(ui().TrendCheckBox->isChecked());
    EXPECT_TRUE(ui().NormalRadioButton->isChecked());
    EXPECT_EQ(chart().ItemCount(), window);
    EXPECT_DOUBLE_EQ(chart().Scale1X().RangeHigh(), high);
    const QImage shown = Grab(chart());
    const QPoint from = chart().UserToPixel(1, high - 90, 2);
    const QPoint to = chart().UserToPixel(1, high - 10, 2);
    EXPECT_GE(FindPixels(shown, QRect(from, to).adjusted(0, -1, 0, 1), Exactly(QColor(0, 0, 255)))
                      .Count,
              to.x() - from.x())
            << "the last samples are not on screen";
    Click(ui().ClearGraphButton);
    EXPECT_EQ(chart().ItemCount(), 0);
}

// Before the first sample of a run nothing shows a value: not at start, not after Start.
TEST_F(MainWindowTest, NoValuesBeforeTheFirstSample)
{
    TAbVMeter *meters[] = {ui().AbVMeter1, ui().AbVMeter2};
    TAbTrend &trend = *ui().AbTrend1;
    auto expectNoValue = [&](const char *when) {
        SCOPED_TRACE(when);
        for (TAbVMeter *meter : meters) {
            EXPECT_EQ(meter->ValueText(), QStringLiteral("\u2013"));
            EXPECT_EQ(meter->PosPerMille(), 0);
            EXPECT_FALSE(meter->Blinking());
            const QImage image = Grab(*meter);
            const PixelSpan pointer
                    = FindPixels(image, meter->ScaleArea(), Exactly(QColor(0, 255, 0)));
            ASSERT_GT(pointer.Count, 0)
                    << "no pointer; no room: " << meter->NoRoom() << ", height " << meter->height();
            EXPECT_NEAR(pointer.Bounds.center().y(), meter->PointerY(0), 2) << "at the low end";
        }
        EXPECT_EQ(ui().AbValueInd1->ValueText(), QStringLiteral("\u2013"));
        EXPECT_EQ(ui().AbValueInd2->ValueText(), QStringLiteral("\u2013"));
        EXPECT_EQ(trend.Records().Count(), 0);
        EXPECT_FALSE(trend.StartRecording()) << "an empty trend records nothing yet";
    };
    expectNoValue("shown");
    ui().CH2RadioButton->setChecked(true);
    Click(ui().StartButton);
    ProcessPendingEvents();
    expectNoValue("started");

    Send("x\r\n3.5;7\r\n");
    ASSERT_TRUE(ProcessEventsUntil([&] { return ui().AbVMeter2->HasValue(); }));
    EXPECT_FLOAT_EQ(ui().AbVMeter1->Value(), 3.5f);
    EXPECT_TRUE(ui().AbVMeter1->ValueText().startsWith(QStringLiteral("3,5")));
    EXPECT_TRUE(trend.StartRecording());
}

TEST_F(MainWindowTest, SlowDisplayFeedsMetersAndTrend)
{
    ui().CH2RadioButton->setChecked(true);
    ui().DatSkal2Edit->setText(QStringLiteral("1,000000"));
    Click(ui().StartButton);
    ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
    Send("x\r\n3.5;12\r\n");
    ASSERT_TRUE(ProcessEventsUntil([&] { return ui().AbVMeter2->Value() == 12.0f; }));
    EXPECT_FLOAT_EQ(ui().AbVMeter1->Value(), 3.5f);
    EXPECT_FLOAT_EQ(ui().AbTrend1->Channel1().Value(), 3.5f);
    EXPECT_FLOAT_EQ(ui().AbTrend1->Channel2().Value(), 12.0f);
    EXPECT_EQ(chart().ItemCount(), 0);
}

// A one-channel run measures nothing on channel 2: its meter keeps showing no value.
// The pickers offer the run's channels only: with one, both meters show it.
TEST_F(MainWindowTest, OneChannelRunShowsItsChannelOnBothMeters)
{
    Click(ui().StartButton);
    Send("x\r\n3.5\r\n");
    ASSERT_TRUE(ProcessEventsUntil([&] { return ui().AbVMeter1->HasValue(); }));
    for (const TAbVMeter *meter : {ui().AbVMeter1, ui().AbVMeter2}) {
        EXPECT_FLOAT_EQ(meter->Value(), 3.5f);
        EXPECT_EQ(meter->SignalSettings().Name1(), QStringLiteral("CH1"));
    }
}

TEST_F(MainWindowTest, PortModeShowsChannelOneOnTheLeds)
{
    ui().CheckBoxPort->setChecked(true);
    EXPECT_EQ(ui().PageControl2->currentWidget(), ui().TabSheetSlowDisplay);
    EXPECT_TRUE(ui().PanelSlowTrendSettings->isHidden());
    Click(ui().StartButton);
    EXPECT_FLOAT_EQ(ui().AbVMeter1->SignalSettings().ValueTo(), 300.0f);
    EXPECT_EQ(ui().AbVMeter1->ScaleSettings().ValueFormat(), QStringLiteral("##0"));
    Send("x\r\n5.9\r\n");
    ASSERT_TRUE(ProcessEventsUntil([&] { return ui().AbLED3->Checked(); }));
    const TAbLED *leds[] = {ui().AbLED1, ui().AbLED2, ui().AbLED3, ui().AbLED4,
                            ui().AbLED5, ui().AbLED6, ui().AbLED7, ui().AbLED8};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(leds[k]->Checked(), k == 0 || k == 2) << "LED" << k + 1;
}

TEST_F(MainWindowTest, MeterFormatFollowsTheRangeAtStart)
{
    const struct
    {
        const char *yMax;
        const char *format;
    } cases[] = {{"10,000", "##0.00"},
                 {"0,500", "#0.0000"},
                 {"20000000,000", "#0.0000"}}; // too large: kept
    for (const auto &c : cases) {
        ui().GraphYmaxEdit->setText(QString::fromUtf8(c.yMax));
        Click(ui().StartButton);
        EXPECT_EQ(ui().AbVMeter1->ScaleSettings().ValueFormat(), QString::fromUtf8(c.format))
                << c.yMax;
        Click(ui().StopButton);
    }
}

TEST_F(MainWindowTest, BufferOverflowStopsTheRun)
{
    ShowFastDisplay();
    ui().ComboBoxMaxSamples->setCurrentText(QStringLiteral("100000"));
    Click(ui().StartButton);
    // The user-interface thread is busy: the event thread fills the input queue meanwhile.
    // 88 % of the queue, less than the queue and the kernel's buffers hold together, in lines
    // long enough to stay below the sample limit.
    const int size = form->ComPort1().Buffer().InputSize();
    Send(Lines(size * 7 / 8 / 15, "1234567890123"));
    EXPECT_TRUE(WaitUntil([&] { return form->ComPort1().QueuedInput() >= size * 8 / 10; }));
    ASSERT_TRUE(ProcessEventsUntil(
            [&] { return form->StatusText(2) == QStringLiteral("Buffer Overflow"); }));
    EXPECT_TRUE(ui().StartButton->isEnabled());
    EXPECT_FALSE(form->ComPort1().Connected());
}

TEST_F(MainWindowTest, StartAndStopSetTheControlsOfBothPages)
{
    QMenu *menus[] = {ui().Datei, ui().Mathematik, ui().Tools};
    for (const bool fast : {true, false}) {
        ui().PageControl2->setCurrentWidget(fast ? ui().TabSheetFastDisplay
                                                 : ui().TabSheetSlowDisplay);
        Click(ui().StartButton);
        ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
        EXPECT_FALSE(ui().StartButton->isEnabled());
        EXPECT_FALSE(ui().SettingsPages->isEnabled());
        EXPECT_FALSE(ui().GroupBoxPort->isEnabled());
        EXPECT_FALSE(ui().ClearGraphButton->isEnabled());
        for (QMenu *menu : menus)
            EXPECT_FALSE(menu->menuAction()->isEnabled()) << fast;
        EXPECT_EQ(ui().PageControl2->isTabEnabled(0), fast);
        EXPECT_EQ(ui().PageControl2->isTabEnabled(1), !fast);
        EXPECT_FALSE(ui().PageControl2->isTabEnabled(2));
        EXPECT_EQ(ui().AbTrend1->isVisibleTo(ui().TabSheetSlowDisplay), !fast);

        Click(ui().StopButton);
        EXPECT_TRUE(ui().StartButton->isEnabled());
        EXPECT_FALSE(ui().StopButton->isEnabled());
        EXPECT_TRUE(ui().SettingsPages->isEnabled());
        EXPECT_EQ(ui().ClearGraphButton->isEnabled(), fast);
        EXPECT_TRUE(ui().Datei->menuAction()->isEnabled());
        EXPECT_EQ(ui().Tools->menuAction()->isEnabled(), fast);
        for (int tab = 0; tab < 3; ++tab)
            EXPECT_TRUE(ui().PageControl2->isTabEnabled(tab));
        EXPECT_TRUE(ui().AbTrend1->isVisibleTo(ui().TabSheetSlowDisplay));
    }
}

// Start reads every field before it changes anything: a text that does not convert is named
// with its page and label, no port opens, the window stays Idle and the last run's samples stay.
TEST_F(MainWindowTest, AFieldThatDoesNotConvertStopsStartBeforeAnythingChanges)
{
    ShowFastDisplay();
    Click(ui().StartButton);
    Send(Lines(4, "5"));
    ASSERT_TRUE(WaitForItems(3));
    Click(ui().StopButton);
    ui().ChNRadioButton->setChecked(true); // the table's channel 3 is used
    ui().ChannelCountSpinBox->setValue(3);

    const struct
    {
        const char *name;
        QLineEdit *edit = nullptr; // or a cell, or else the MaxSamples combo
        QTableWidgetItem *cell = nullptr;
        QString text;
        QWidget *page;
        QString message;
    } cases[] = {
            {.name = "two decimal points",
             .edit = ui().DatSkalEdit,
             .text = QStringLiteral("0,5.5"),
             .page = ui().SheetKanal1,
             .message
             = QStringLiteral("CH 1 › Scale Factor: '0,5.5' ist kein gültiger Gleitkommawert")},
            {.name = "a cell of the channel table",
             .cell = ui().ChannelTable->item(0, 1),
             .text = QStringLiteral("1e"),
             .page = ui().SheetKanal3bis8,
             .message
             = QStringLiteral("CH 3-8 › Kanal 3 Scale: '1e' ist kein gültiger Gleitkommawert")},
            {.name = "letters in a range",
             .edit = ui().GraphYmaxEdit,
             .text = QStringLiteral("abc"),
             .page = ui().SheetKanal1,
             .message
             = QStringLiteral("CH 1 › Graph Y max: 'abc' ist kein gültiger Gleitkommawert")},
            {.name = "an empty sample limit",
             .text = QString(),
             .page = ui().SheetCOM,
             .message = QStringLiteral("COM › MaxSamples: '' ist kein gültiger Integerwert")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        messages.Errors.clear();
        const QString before = c.edit ? c.edit->text()
                : c.cell              ? c.cell->text()
                                      : ui().ComboBoxMaxSamples->currentText();
        if (c.edit)
            c.edit->setText(c.text);
        else if (c.cell)
            c.cell->setText(c.text);
        else
            ui().ComboBoxMaxSamples->setCurrentIndex(ui().ComboBoxMaxSamples->count() - 1);
        ui().SettingsPages->setCurrentWidget(ui().SheetCOM == c.page ? ui().SheetKanal1
                                                                     : ui().SheetCOM);

        Click(ui().StartButton);
        EXPECT_EQ(messages.Errors, QStringList {c.message});
        EXPECT_TRUE(ui().StartButton->isEnabled());
        EXPECT_FALSE(ui().StopButton->isEnabled());
        EXPECT_TRUE(ui().GroupBox1->isEnabled()) << "settings unlocked";
        EXPECT_FALSE(form->ComPort1().Connected());
        EXPECT_EQ(chart().ItemCount(), 3) << "the last run's samples stay";
        EXPECT_EQ(ui().SettingsPages->currentWidget(), c.page) << "the field is shown";
        EXPECT_EQ(form->maximumSize(), QSize(2056, 2000)) << "window resizable";

        if (c.edit)
            c.edit->setText(before);
        else if (c.cell)
            c.cell->setText(before);
        else
            ui().ComboBoxMaxSamples->setCurrentText(before);
    }
    messages.Errors.clear();
    Click(ui().StartButton); // every field converts again
    EXPECT_TRUE(messages.Errors.isEmpty());
    EXPECT_TRUE(ui().StopButton->isEnabled());
}

// A field without thousands grouping reads '.' and ',' alike as the decimal point, in either
// locale; a text that is neither names the field and nothing is taken. The table's cell editor
// does not take it either.
TEST_F(MainWindowTest, NumbersTypedInEitherFormReadAlikeInEitherLocale)
{
    const struct
    {
        const char *name;
        QLineEdit *(*edit)(Ui::TForm1 &);
        int cellRow; // or a cell of the channel table
        int cellColumn;
        float (*value)(const RunSettings &);
        QString field;
    } fields[] = {
            {.name = "scale",
             .edit = [](Ui::TForm1 &f) { return static_cast<QLineEdit *>(f.DatSkalEdit); },
             .cellRow = -1,
             .cellColumn = -1,
             .value = [](const RunSettings &s) { return s.Decode.Scale1; },
             .field = QStringLiteral("CH 1 › Scale Factor")},
            {.name = "range",
             .edit = [](Ui::TForm1 &f) { return static_cast<QLineEdit *>(f.GraphYmaxEdit); },
             .cellRow = -1,
             .cellColumn = -1,
             .value = [](const RunSettings &s) { return float(s.Fast.YMax1); },
             .field = QStringLiteral("CH 1 › Graph Y max")},
            {.name = "table scale",
             .edit = nullptr,
             .cellRow = 0,
             .cellColumn = 1,
             .value = [](const RunSettings &s) { return s.Decode.Scale(3); },
             .field = QStringLiteral("CH 3-8 › Kanal 3 Scale")},
            {.name = "table offset",
             .edit = nullptr,
             .cellRow = 1,
             .cellColumn = 2,
             .value = [](const RunSettings &s) { return s.Decode.Offset(4); },
             .field = QStringLiteral("CH 3-8 › Kanal 4 Offset")},
    };
    const struct
    {
        QString text;
        bool reads;
    } texts[] = {{QStringLiteral("0.5"), true},
                 {QStringLiteral("0,5"), true},
                 {QStringLiteral("0,5.5"), false},
                 {QStringLiteral("1e"), false}};

    for (const QLocale &locale : {LocaleGuard::German(), LocaleGuard::C()}) {
        SCOPED_TRACE(locale.name().toStdString());
        const LocaleGuard pinned(locale);
        MakeForm();
        ShowFastDisplay();
        ui().ChNRadioButton->setChecked(true);
        ui().ChannelCountSpinBox->setValue(4);
        for (const auto &f : fields) {
            QTableWidgetItem *cell
                    = f.edit ? nullptr : ui().ChannelTable->item(f.cellRow, f.cellColumn);
            const auto set = [&](const QString &text) {
                f.edit ? f.edit(ui())->setText(text) : cell->setText(text);
            };
            const QString before = f.edit ? f.edit(ui())->text() : cell->text();
            for (const auto &t : texts) {
                SCOPED_TRACE(std::string(f.name) + " " + t.text.toStdString());
                messages.Errors.clear();
                set(t.text);
                Click(ui().StartButton);
                if (t.reads) {
                    EXPECT_TRUE(messages.Errors.isEmpty())
                            << messages.Errors.join('\n').toStdString();
                    EXPECT_TRUE(ui().StopButton->isEnabled());
                    EXPECT_EQ(f.value(form->Run().Settings()), 0.5f);
                    Click(ui().StopButton);
                } else {
                    EXPECT_EQ(messages.Errors,
                              QStringList {QStringLiteral("%1: '%2' ist kein gültiger "
                                                          "Gleitkommawert")
                                                   .arg(f.field, t.text)});
                    EXPECT_TRUE(ui().StartButton->isEnabled()) << "nothing taken";
                }
                set(before);
            }
        }

        // The cell editor takes a text in either form, shown in the locale's form, and keeps
        // the cell as it was for one that is not a number.
        QTableWidget &table = *ui().ChannelTable;
        const QModelIndex index = table.model()->index(2, 1);
        QAbstractItemDelegate *delegate = table.itemDelegateForColumn(1);
        QWidget *editor = delegate->createEditor(table.viewport(), {}, index);
        auto *edit = qobject_cast<QLineEdit *>(editor);
        ASSERT_NE(edit, nullptr);
        const QString point = locale.decimalPoint();
        for (const auto &[typed, cellText] :
             {std::pair {QStringLiteral("0.25"), QLatin1Char('0') + point + QStringLiteral("25")},
              std::pair {QStringLiteral("0,75"), QLatin1Char('0') + point + QStringLiteral("75")},
              std::pair {QStringLiteral("-"), QLatin1Char('0') + point + QStringLiteral("75")}}) {
            edit->setText(typed);
            delegate->setModelData(editor, table.model(), index);
            EXPECT_EQ(table.item(2, 1)->text(), cellText) << typed.toStdString();
        }
        for (const auto &[typed, state] :
             {std::pair {QStringLiteral("0.5"), QValidator::Acceptable},
              std::pair {QStringLiteral("0,5"), QValidator::Acceptable},
              std::pair {QStringLiteral("0,5.5"), QValidator::Invalid}}) {
            QString text = typed;
            int position = 0;
            EXPECT_EQ(edit->validator()->validate(text, position), state) << typed.toStdString();
        }
        delete editor;
        form.reset(); // before its locale goes
    }
}

// A port that does not open leaves nothing running: the window is back to Idle by itself, as
// after Stop, and the port's message is unchanged.
TEST_F(MainWindowTest, APortThatCannotOpenReturnsTheWindowToIdle)
{
    ShowFastDisplay();
    ui().ComComboBox1->addItem(QStringLiteral("/dev/vantor-missing"));
    ui().ComComboBox1->SetText(QStringLiteral("/dev/vantor-missing"));
    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt);
        Click(ui().StartButton);
        ASSERT_EQ(messages.Errors.size(), attempt);
        EXPECT_EQ(messages.Errors.last(), QStringLiteral("Unable to open com port (Error: 2)"));
        EXPECT_TRUE(ui().StartButton->isEnabled());
        EXPECT_FALSE(ui().StopButton->isEnabled());
        EXPECT_TRUE(ui().GroupBox1->isEnabled()) << "settings unlocked";
        EXPECT_TRUE(ui().GroupBoxPort->isEnabled());
        EXPECT_EQ(form->maximumSize(), QSize(2056, 2000)) << "window resizable again";
    }
}

TEST_F(MainWindowTest, StartWithoutAPortOrWithAMissingOneSaysWhatToDo)
{
    FakePorts ports({{QStringLiteral("ttyUSB0"), {}, {}, {}, {}}});
    ShowFastDisplay();
    ui().ComComboBox1->setCurrentIndex(-1); // as at start when the design's port is not there
    Click(ui().StartButton);
    Click(ui().StopButton);
    ui().ComComboBox1->addItem(QStringLiteral("/dev/vantor-missing"));
    ui().ComComboBox1->SetText(QStringLiteral("/dev/vantor-missing"));
    Click(ui().StartButton);
    Click(ui().StopButton);

    EXPECT_EQ(messages.Errors,
              (QStringList {QStringLiteral("Unable to open com port (Error: 21)"),
                            QStringLiteral("Unable to open com port (Error: 2)")}));
    ASSERT_EQ(messages.Advice.size(), 2);
    EXPECT_TRUE(messages.Advice[0].contains(QStringLiteral("No port is chosen")));
    EXPECT_TRUE(messages.Advice[0].contains(QStringLiteral("\n    ttyUSB0\n")));
    EXPECT_TRUE(messages.Advice[1].startsWith(
            QStringLiteral("There is no device /dev/vantor-missing. Is it plugged in")));
    EXPECT_TRUE(ui().StartButton->isEnabled());
}

TEST_F(MainWindowTest, CursorReadoutConvertsSamplesToTime)
{
    ui().editMCSampleTime->setText(QStringLiteral("0,5"));
    form->RChart1MouseMoveInChart(true, {}, 1000, 5);
    EXPECT_DOUBLE_EQ(ui().NumLab1->Value(), 500.0);
    EXPECT_EQ(ui().NumLab1->RightText(), QStringLiteral("ms"));
    ui().editMCSampleTime->setText(QStringLiteral("abc"));
    form->RChart1MouseMoveInChart(true, {}, 1000, 5);
    EXPECT_EQ(ui().NumLab1->RightText(), QStringLiteral("n/c"));
    EXPECT_TRUE(messages.Errors.isEmpty());
}

} // namespace
