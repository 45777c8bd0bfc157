// The window on a small screen (960 x 540, what 1920 x 1080 at 200 % leaves) and one name per
// channel wherever a channel is named: legends, meters, their pickers and readouts, the table.
#include "app/run/channel_colors.h"
#include "app/run/slow_display_feed.h"
#include "app/window/channel_legend.h"
#include "app/window/window_placement.h"
#include "instruments/trend.h"
#include "instruments/value_indicator.h"
#include "instruments/vmeter.h"
#include "main_window_fixture.h"
#include "platform/color.h"
#include "platform/demo_device.h"
#include "widget_pixels.h"

#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTableWidget>
#include <QToolButton>

namespace {

TEST(FittedWindowFrame, TheWholeWindowGoesOnTheScreen)
{
    const QSize design(960, 600);
    const QSize minimum = kMinimumWindowSize;
    struct Case
    {
        const char *name;
        QRect free;
        QSize frameExtra;
        QRect frame;
    };
    const Case cases[] = {
            {.name = "room to spare: design size, centred",
             .free = QRect(0, 0, 1280, 800),
             .frameExtra = QSize(2, 30),
             .frame = QRect(159, 85, 962, 630)},
            {.name = "1920 x 1080 at 200 %: as high as the screen",
             .free = QRect(0, 0, 960, 540),
             .frameExtra = QSize(0, 30),
             .frame = QRect(0, 0, 960, 540)},
            {.name = "a panel on top",
             .free = QRect(0, 27, 960, 513),
             .frameExtra = QSize(2, 32),
             .frame = QRect(0, 27, 960, 513)},
            {.name = "smaller than the minimum: title bar and menu stay on the screen",
             .free = QRect(100, 20, 800, 400),
             .frameExtra = QSize(0, 30),
             .frame = QRect(100, 20, minimum.width(), minimum.height() + 30)},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(FittedWindowFrame(c.free, design, minimum, c.frameExtra), c.frame) << c.name;
    }
    EXPECT_LE(minimum.width(), 960);
    EXPECT_LE(minimum.height() + 40, 540) << "room for a title bar";
}

// Named controls of the form, shown, that a person may need.
QList<QWidget *> ShownControls(QWidget &form)
{
    QList<QWidget *> shown;
    for (QWidget *widget : form.findChildren<QWidget *>()) {
        if (!widget->objectName().isEmpty()
            && !widget->objectName().startsWith(QLatin1String("qt_")) && widget->isVisibleTo(&form))
            shown << widget;
    }
    return shown;
}

void SetChannelCount(Ui::TForm1 &ui, int channels)
{
    if (channels == 1)
        ui.Ch1RadioButton->setChecked(true);
    else if (channels == 2)
        ui.CH2RadioButton->setChecked(true);
    else
        ui.ChannelCountSpinBox->setValue(channels);
    ui.ChNRadioButton->setChecked(channels >= 3);
}

class WindowFitTest : public MainWindowTest
{
protected:
    // Every page of the settings and of the displays, one after the other.
    template<typename Check>
    void OnEveryPage(Check check)
    {
        for (QTabWidget *pages : {ui().SettingsPages, ui().PageControl2}) {
            for (int page = 0; page < pages->count(); ++page) {
                if (!pages->isTabVisible(page))
                    continue;
                pages->setCurrentIndex(page);
                QCoreApplication::processEvents();
                SCOPED_TRACE(pages->tabText(page).toStdString());
                check();
            }
        }
    }
};

TEST_F(WindowFitTest, EverythingIsReachableAt960x540)
{
    ui().ChannelCountSpinBox->setValue(8); // every settings page shows
    QCoreApplication::processEvents(); // the window placed on the test's screen
    form->resize(960, 540);
    QCoreApplication::processEvents();
    ASSERT_EQ(form->size(), QSize(960, 540));

    const QRect window = form->rect();
    OnEveryPage([&] {
        for (QWidget *control : ShownControls(*form)) {
            // Inside its parent (pages scroll where they are too low) and inside the window.
            QWidget *parent = control->parentWidget();
            if (parent->objectName().isEmpty()
                && qobject_cast<QScrollArea *>(parent->parentWidget()->parentWidget())) {
                continue;
            }
            EXPECT_TRUE(parent->rect().contains(control->geometry()))
                    << control->objectName().toStdString() << " cut off by "
                    << parent->objectName().toStdString();
        }
        for (QScrollArea *scroll : ui().SettingsPages->findChildren<QScrollArea *>()) {
            if (!scroll->isVisibleTo(form.get()))
                continue;
            const int hidden = scroll->widget()->height() - scroll->viewport()->height();
            EXPECT_GE(scroll->verticalScrollBar()->maximum(), hidden) << "a page part unreachable";
            EXPECT_EQ(scroll->widget()->width(), scroll->viewport()->width()) << "cut at the side";
        }
    });
    for (QWidget *button :
         {static_cast<QWidget *>(ui().StartButton), static_cast<QWidget *>(ui().StopButton)}) {
        EXPECT_TRUE(window.contains(QRect(button->mapTo(form.get(), QPoint()), button->size())));
    }
    QMenuBar &menu = *form->menuBar();
    for (QAction *item : menu.actions())
        EXPECT_TRUE(menu.rect().contains(menu.actionGeometry(item))) << item->text().toStdString();
}

// Controls placed by hand on a panel or group never cover each other.
TEST_F(WindowFitTest, NoControlCoversAnother)
{
    ui().ChannelCountSpinBox->setValue(8);
    QCoreApplication::processEvents();
    form->resize(960, 540);
    OnEveryPage([&] {
        for (QWidget *control : ShownControls(*form)) {
            QWidget *parent = control->parentWidget();
            if (parent->layout())
                continue;
            for (QWidget *other : ShownControls(*form)) {
                if (other != control && other->parentWidget() == parent && control < other) {
                    EXPECT_FALSE(control->geometry().intersects(other->geometry()))
                            << control->objectName().toStdString() << " and "
                            << other->objectName().toStdString();
                }
            }
        }
    });
}

TEST_F(WindowFitTest, EverySettingsTabShowsWithoutScrolling)
{
    for (int channels : {1, 2, 3, 8}) {
        SCOPED_TRACE(channels);
        SetChannelCount(ui(), channels);
        QCoreApplication::processEvents();
        QTabBar &tabs = *ui().SettingsPages->tabBar();
        for (int tab = 0; tab < tabs.count(); ++tab) {
            if (tabs.isTabVisible(tab)) {
                EXPECT_TRUE(tabs.rect().contains(tabs.tabRect(tab)))
                        << tabs.tabText(tab).toStdString();
            }
        }
        for (const QToolButton *arrow : tabs.findChildren<QToolButton *>())
            EXPECT_FALSE(arrow->isVisible()) << "scroll arrows";
    }
}

QStringList Items(const QComboBox &pick)
{
    QStringList items;
    for (int i = 0; i < pick.count(); ++i)
        items << pick.itemText(i);
    return items;
}

// Meter 1 picked channel 3 and meter 2 channel 2 with eight channels; then the count changes.
TEST_F(WindowFitTest, PickersOfferTheRunsChannelsAndFallBackToChannelOne)
{
    SetChannelCount(ui(), 8);
    ui().ComboBoxMeter1Channel->setCurrentIndex(2);
    ui().ComboBoxMeter2Channel->setCurrentIndex(1);
    struct Case
    {
        int channels;
        int meter1;
        int meter2;
    };
    const Case cases[] = {
            {.channels = 2, .meter1 = 1, .meter2 = 2}, {.channels = 1, .meter1 = 1, .meter2 = 1},
            {.channels = 4, .meter1 = 3, .meter2 = 2}, {.channels = 3, .meter1 = 3, .meter2 = 2},
            {.channels = 8, .meter1 = 3, .meter2 = 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.channels);
        SetChannelCount(ui(), c.channels);
        QStringList expected;
        for (int channel = 1; channel <= c.channels; ++channel)
            expected << QStringLiteral("CH%1").arg(channel);
        EXPECT_EQ(Items(*ui().ComboBoxMeter1Channel), expected);
        EXPECT_EQ(Items(*ui().ComboBoxMeter2Channel), expected);
        EXPECT_EQ(ui().ComboBoxMeter1Channel->currentIndex() + 1, c.meter1);
        EXPECT_EQ(ui().ComboBoxMeter2Channel->currentIndex() + 1, c.meter2);
        EXPECT_EQ(form->Run().SlowDisplay().MeterChannel(1), c.meter1);
        EXPECT_EQ(form->Run().SlowDisplay().MeterChannel(2), c.meter2);
        EXPECT_EQ(ui().AbVMeter1->SignalSettings().Name1(), QStringLiteral("CH%1").arg(c.meter1));
        EXPECT_EQ(ui().AbVMeter2->SignalSettings().Name1(), QStringLiteral("CH%1").arg(c.meter2));
    }
}

TEST_F(WindowFitTest, ARenamedChannelHasItsNameEverywhere)
{
    SetChannelCount(ui(), 4);
    ui().ChannelTable->item(0, 0)->setText(QStringLiteral("Square"));
    ui().Ch1NameEdit->setText(QStringLiteral("Temp"));
    ui().ComboBoxMeter1Channel->setCurrentIndex(2);
    const QStringList names {QStringLiteral("Temp"), QStringLiteral("CH2"),
                             QStringLiteral("Square"), QStringLiteral("CH4")};

    EXPECT_EQ(Items(*ui().ComboBoxMeter1Channel), names);
    EXPECT_EQ(Items(*ui().ComboBoxMeter2Channel), names);
    for (const ChannelLegend *legend : {&form->Legend(), &form->TrendLegend()}) {
        QStringList shown;
        for (const ChannelLegend::Entry &entry : legend->Entries())
            shown << entry.Name;
        EXPECT_EQ(shown, names);
    }
    EXPECT_EQ(ui().AbVMeter1->SignalSettings().Name1(), QStringLiteral("Square"));
    EXPECT_EQ(ui().AbValueInd1->SignalSettings().ValueUnit(), QStringLiteral("Square"));
    EXPECT_EQ(ui().AbVMeter2->SignalSettings().Name1(), QStringLiteral("CH2"));
    EXPECT_EQ(ui().AbValueInd2->SignalSettings().ValueUnit(), QStringLiteral("CH2"));
    EXPECT_EQ(form->ChannelName(3), QStringLiteral("Square"));

    // The table shows the whole name: tick, swatch and text within the column.
    QTableWidget &table = *ui().ChannelTable;
    ui().SettingsPages->setCurrentWidget(ui().SheetKanal3bis8);
    QStyleOptionViewItem option;
    option.initFrom(table.viewport());
    option.font = table.font();
    option.widget = &table;
    option.decorationSize = table.iconSize().isValid() ? table.iconSize() : QSize(16, 16);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration;
    const QModelIndex square = table.model()->index(0, 0);
    EXPECT_LE(table.itemDelegate()->sizeHint(option, square).width(), table.columnWidth(0));
    EXPECT_LE(table.horizontalHeader()->length(), table.viewport()->width()) << "table cut";
}

class SlowDisplayRunTest : public WindowFitTest
{
protected:
    void SetUp() override
    {
        WindowFitTest::SetUp();
        ChoosePort(QString::fromLatin1(DemoPortName));
        ui().PageControl2->setCurrentWidget(ui().TabSheetSlowDisplay);
    }
};

// Meter 1 kept channel 3 from an eight-channel setup; a two-channel run shows channel 1 there.
TEST_F(SlowDisplayRunTest, AMeterShowsAChannelOfTheRun)
{
    SetChannelCount(ui(), 8);
    ui().ComboBoxMeter1Channel->setCurrentIndex(2);
    SetChannelCount(ui(), 2);
    Click(ui().StartButton);
    ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
    EXPECT_EQ(ui().AbVMeter1->SignalSettings().Name1(), QStringLiteral("CH1"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return ui().AbVMeter1->HasValue(); }));
}

// The readouts follow the newest values; over a record the cursor's, and the newest again
// when the mouse leaves the plot.
TEST_F(SlowDisplayRunTest, ReadoutsFollowTheRunOrTheCursor)
{
    SetChannelCount(ui(), 2);
    Click(ui().StartButton);
    ASSERT_TRUE(messages.Errors.isEmpty()) << messages.Errors.join('\n').toStdString();
    TAbValueInd *readouts[] = {ui().AbValueInd1, ui().AbValueInd2};
    for (TAbValueInd *readout : readouts)
        ASSERT_TRUE(ProcessEventsUntil([&] { return readout->HasValue(); }));
    TAbTrend &trend = *ui().AbTrend1;
    ASSERT_TRUE(ProcessEventsUntil([&] { return trend.Records().Count() >= 3; }, 20000));
    const QString before = readouts[0]->ValueText();
    EXPECT_TRUE(ProcessEventsUntil([&] { return readouts[0]->ValueText() != before; }))
            << "the newest values";

    auto moveTo = [&](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, trend.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&trend, &move);
    };
    moveTo(trend.PlotRect().topLeft() + QPoint(1, 10));
    ASSERT_TRUE(trend.CursorShown());
    ASSERT_TRUE(trend.ValueAtCursor().DataValid());
    const float atCursor = trend.ValueAtCursor().ValueCh(1);
    EXPECT_FLOAT_EQ(readouts[0]->Value(), atCursor);
    QCoreApplication::processEvents();
    EXPECT_FLOAT_EQ(readouts[0]->Value(), atCursor) << "held while the cursor is placed";

    moveTo(QPoint(0, 0));
    EXPECT_FALSE(trend.CursorShown());
    EXPECT_TRUE(readouts[0]->HasValue());
}

TEST_F(WindowFitTest, TheSlowDisplayNamesMoreThanTwoChannels)
{
    ui().PageControl2->setCurrentWidget(ui().TabSheetSlowDisplay);
    SetChannelCount(ui(), 2);
    EXPECT_FALSE(form->TrendLegend().isVisible());
    SetChannelCount(ui(), 3);
    QCoreApplication::processEvents();
    const ChannelLegend &legend = form->TrendLegend();
    ASSERT_TRUE(legend.isVisible());
    ASSERT_EQ(legend.Entries().size(), 3u);
    Grab(*ui().AbTrend1); // the trend works out its plot as it paints
    QCoreApplication::processEvents();
    const QImage image = Grab(*ui().AbTrend1);
    EXPECT_TRUE(ui().AbTrend1->PlotRect().contains(legend.geometry()));
    for (int channel = 1; channel <= 3; ++channel) {
        EXPECT_GT(FindPixels(image, legend.geometry(), Exactly(ToQColor(ChannelColor(channel))))
                          .Count,
                  5)
                << channel;
    }
}

} // namespace
