#include "app/window/main_window.h"

#include "app/run/channel_samples.h"
#include "app/run/run_recording.h"
#include "app/tools/statistics_window.h"
#include "app/tools/version_check.h"
#include "app/tools/web_data.h"
#include "app/window/dialog_file_names.h"
#include "app/window/window_placement.h"
#include "chart/rchart.h"
#include "instruments/led.h"
#include "instruments/trend.h"
#include "serial/com_port.h"
#include "serial/com_terminal.h"
#include "serial/data_packet.h"
#include "ui_main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TForm1>())
    , m_comPort1(std::make_unique<TComPort>())
    , m_comDataPacket1(std::make_unique<TComDataPacket>())
    , m_fileNames(std::make_unique<DialogFileNames>())
{
    ui->setupUi(this);
    MakeSettingsPagesScrollable();
    SetupStatusBar();
    SetupAcquisition();
    SetupChannels();
    ApplyDesignTimeSettings();
    FillMeterPickers();
    SetupRecording();

    m_webData1 = std::make_unique<TWebData>();
    m_webData1->SetAgent(QStringLiteral("WebData"));
    m_versionCheck = std::make_unique<VersionCheck>(*m_webData1);
    m_versionCheck->OnBusyChanged
            = [this](bool busy) { ui->BtnCheckNewVersion->setEnabled(!busy); };

    ConnectActions();
    FreezeWindowSize(false);
    FitIntoScreen();
}

TForm1::~TForm1()
{
    // The run, the framer and the terminal refer to the port: let go of it before it goes.
    m_acquisition.reset();
    m_comDataPacket1->SetComPort(nullptr);
    ui->ComTerminal1->SetComPort(nullptr);
}

void TForm1::BringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TForm1::SetStatisticsWindow(TFormStatistics *window)
{
    m_statistics = window;
    if (m_statistics) {
        m_statistics->SampleSource = [this] {
            const TRChart &chart = *ui->RChart1;
            return LayerSamples(chart.Items(), chart.ItemCount(), 1);
        };
    }
}

void TForm1::SetFileNameSource(std::unique_ptr<FileNameSource> source)
{
    m_fileNames = std::move(source);
}

QString TForm1::ChooseFileName(FileNameSource::Purpose purpose)
{
    return m_fileNames->FileName(purpose, this);
}

TDisplayPage TForm1::ActivePage() const
{
    const QWidget *page = ui->PageControl2->currentWidget();
    if (page == ui->TabSheetFastDisplay)
        return TDisplayPage::dpFastDisplay;
    if (page == ui->TabSheetSlowDisplay)
        return TDisplayPage::dpSlowDisplay;
    return TDisplayPage::dpTerminal;
}

void TForm1::ConnectActions()
{
    auto onClick = [this](QAbstractButton *button, void (TForm1::*action)()) {
        connect(button, &QAbstractButton::clicked, this, [this, action] { (this->*action)(); });
    };
    // A check box set from code runs its action like a click; a radio button only when
    // switched on.
    auto onToggle = [this](QAbstractButton *button, void (TForm1::*action)()) {
        connect(button, &QAbstractButton::toggled, this, [this, action] { (this->*action)(); });
    };
    auto onSwitchedOn = [this](QAbstractButton *button, void (TForm1::*action)()) {
        connect(button, &QAbstractButton::toggled, this, [this, action](bool on) {
            if (on)
                (this->*action)();
        });
    };
    auto onMenu = [this](QAction *item, void (TForm1::*action)()) {
        connect(item, &QAction::triggered, this, [this, action] { (this->*action)(); });
    };

    onClick(ui->StartButton, &TForm1::StartButtonClick);
    onClick(ui->StopButton, &TForm1::StopButtonClick);
    onClick(ui->ClearGraphButton, &TForm1::ClearGraphButtonClick);
    onClick(ui->ResetAxisButton, &TForm1::ResetAxisButtonClick);
    onSwitchedOn(ui->Ch1RadioButton, &TForm1::Ch1RadioButtonClick);
    onSwitchedOn(ui->CH2RadioButton, &TForm1::CH2RadioButtonClick);
    onToggle(ui->CheckBoxAutoCom, &TForm1::CheckBoxAutoComClick);
    onToggle(ui->CheckBoxPort, &TForm1::CheckBoxPortClick);

    onToggle(ui->ShowGridCheckBox, &TForm1::ShowGridCheckBoxClick);
    onToggle(ui->DoubleTicsCheckBox, &TForm1::DoubleTicsCheckBoxClick);
    onSwitchedOn(ui->NormalRadioButton, &TForm1::NormalRadioButtonClick);
    onSwitchedOn(ui->ZoomRadioButton, &TForm1::ZoomRadioButtonClick);
    onToggle(ui->TrendCheckBox, &TForm1::TrendCheckBoxClick);
    ui->RChart1->OnMouseMoveInChart
            = [this](TCustomRChart *, bool inChart, TShiftState shift, double x, double y) {
                  RChart1MouseMoveInChart(inChart, shift, x, y);
              };

    // Show actions follow every page change; the change action only the user's.
    connect(ui->PageControl2, &QTabWidget::currentChanged, this, [this] {
        if (ui->PageControl2->currentWidget() == ui->TabSheetFastDisplay)
            TabSheetFastDisplayShow();
        else if (ui->PageControl2->currentWidget() == ui->TabSheetSlowDisplay)
            TabSheetSlowDisplayShow();
        else
            UpdateWindowState();
    });
    connect(ui->PageControl2->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index != ui->PageControl2->currentIndex()
            && ui->PageControl2->isTabEnabled(index)) {
            ui->PageControl2->setCurrentIndex(index);
            PageControl2Change();
        }
    });

    connect(ui->ComboBoxTrendInterval, &QComboBox::currentTextChanged, this,
            &TForm1::ComboBoxTrendIntervalChange);
    onClick(ui->BigJumpRevBtn, &TForm1::BigJumpRevBtnClick);
    onClick(ui->JumpRevBtn, &TForm1::JumpRevBtnClick);
    onClick(ui->JumpFwdBtn, &TForm1::JumpFwdBtnClick);
    onClick(ui->BigJumpFwdBtn, &TForm1::BigJumpFwdBtnClick);
    ui->AbTrend1->OnNewCursorPos = [this](TAbTrend *) { AbTrend1NewCursorPos(); };
    onToggle(ui->CheckBoxThickCh1, &TForm1::CheckBoxThickCh1Click);
    onToggle(ui->CheckBoxThickCh2, &TForm1::CheckBoxThickCh2Click);

    onMenu(ui->Grafikdrucken1, &TForm1::Grafikdrucken1Click);
    onMenu(ui->ErfassungSpeichern, &TForm1::ErfassungSpeichernClick);
    onMenu(ui->Erfassungladen, &TForm1::ErfassungladenClick);
    onMenu(ui->DatenExportimCSVFormat1, &TForm1::DatenExportimCSVFormat1Click);
    onMenu(ui->MenueFFT, &TForm1::DatenExportimCSVFormat1Click);
    onMenu(ui->MenueFilter, &TForm1::DatenExportimCSVFormat1Click);
    onMenu(ui->SlowDisplaySitzungspeichern1, &TForm1::SlowDisplaySitzungspeichern1Click);
    onMenu(ui->SlowDisplaySitzungladen1, &TForm1::SlowDisplaySitzungladen1Click);
    onMenu(ui->Einstellungen1, &TForm1::Einstellungen1Click);
    onMenu(ui->MenueStatistics, &TForm1::MenueStatisticsClick);
    onMenu(ui->ToolsCopyFDClipboard, &TForm1::ToolsCopyFDClipboardClick);
    onMenu(ui->BtnHilfe, &TForm1::BtnHilfeClick);
    onMenu(ui->BtnCheckNewVersion, &TForm1::BtnCheckNewVersionClick);
    onMenu(ui->Info2, &TForm1::Info2Click);

    onClick(ui->BtnTerminalStart, &TForm1::BtnTerminalStartClick);
    onClick(ui->BtnTerminalStop, &TForm1::BtnTerminalStopClick);
    onClick(ui->BtnTerminalSend, &TForm1::BtnTerminalSendClick);
    connect(ui->EditTerminalSendString, &QLineEdit::returnPressed, this,
            &TForm1::BtnTerminalSendClick);
    onClick(ui->ButtonClearTerminal, &TForm1::ButtonClearTerminalClick);
    connect(ui->ComboBoxTerminalLines, &QComboBox::currentTextChanged, this,
            &TForm1::ComboBoxTerminalLinesChange);
    connect(ui->ComboBoxChSeperator, &QComboBox::currentIndexChanged, this,
            &TForm1::ComboBoxTerminalLinesChange);
}

void TForm1::SetupStatusBar()
{
    for (QLabel *&panel : m_statusPanels) {
        panel = new QLabel(ui->StatusBar);
        panel->setFixedWidth(200);
        ui->StatusBar->addWidget(panel);
    }
    m_recordingStatus = new QLabel(ui->StatusBar);
    m_recordingStatus->setContentsMargins(0, 0, 12, 0); // clear of the size grip
    ui->StatusBar->addPermanentWidget(m_recordingStatus);
}

QString TForm1::StatusText(int panel) const
{
    return m_statusPanels[panel]->text();
}

QString TForm1::RecordingStatusText() const
{
    return m_recordingStatus->text();
}

void TForm1::SetStatusText(int panel, const QString &text)
{
    m_statusPanels[panel]->setText(text);
}

void TForm1::SetChannelHint(int channels)
{
    const bool one = channels == 1;
    if (channels >= 3) {
        ui->Label11->setText(tr("Normal: max %1 Samples per channel")
                                     .arg(QLocale().toString(ChannelLimitFor(channels)))
                             + QStringLiteral("\r\n") + tr("Update alle 500 ms oder länger"));
        return;
    }
    ui->Label11->setText(
            (one ? tr("Normal: max 5.000 Samples/s, max 100.000 Samples")
                 : tr("Normal: max 4.000 Samples/s, max 50.000 Samples"))
            + QStringLiteral("\r\n")
            + (one ? tr("Update alle 50 ms oder länger") : tr("Update alle 500 ms oder länger")));
}

void TForm1::SetPageTabEnabled(QWidget *page, bool enabled)
{
    ui->PageControl2->setTabEnabled(ui->PageControl2->indexOf(page), enabled);
}

void TForm1::SetSettingsTabVisible(QWidget *page, bool visible)
{
    ui->SettingsPages->setTabVisible(ui->SettingsPages->indexOf(page), visible);
}

void TForm1::SetMenuEnabled(QMenu *menu, bool enabled)
{
    menu->menuAction()->setEnabled(enabled);
}

void TForm1::SetRadioChecked(QRadioButton *radio, bool checked)
{
    // Qt keeps one radio of a group checked; unchecking needs the exclusivity off.
    if (!checked) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    } else {
        radio->setChecked(true);
    }
}

void TForm1::FreezeWindowSize(bool frozen)
{
    if (frozen) {
        setMinimumSize(size());
        setMaximumSize(size());
    } else {
        setMaximumSize(2056, 2000);
        setMinimumSize(kMinimumWindowSize);
    }
}

// The design size where the screen has room for it, less where it has not (a small screen or a
// large scale: 1920 x 1080 at 200 % leaves 960 x 540), centred in the screen's free area.
void TForm1::FitIntoScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Before the window is first shown its frame is not known: a title bar stands in for it.
    const QSize frameExtra = isVisible()
            ? frameGeometry().size() - geometry().size()
            : QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const QRect frame
            = FittedWindowFrame(screen->availableGeometry(), size(), minimumSize(), frameExtra);
    resize(frame.size() - frameExtra);
    move(frame.topLeft());
}

// The settings pages keep their design layout; where the window is too low for a page, the
// page scrolls. The panel is wider by a scroll bar, so that one never covers a field.
void TForm1::MakeSettingsPagesScrollable()
{
    QTabWidget &pages = *ui->SettingsPages;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    pages.setFixedWidth(pages.maximumWidth() + scrollBar);
    for (QWidget *page : {ui->SheetCOM, ui->SheetKanal1, ui->SheetKanal2}) {
        auto *content = new QWidget;
        const QRect used = page->childrenRect();
        for (QWidget *child : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            child->setParent(content);
        content->setMinimumSize(used.right() + 4, used.bottom() + 4);
        auto *scroll = new QScrollArea(page);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setWidgetResizable(true);
        scroll->setWidget(content);
        scroll->viewport()->setAutoFillBackground(false);
        content->setAutoFillBackground(false);
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(scroll);
    }
    // The channel table scrolls itself and takes the page's width.
    auto *tableLayout = new QVBoxLayout(ui->SheetKanal3bis8);
    tableLayout->setContentsMargins(2, 4, 2, 0);
    ui->ChannelTable->setFixedHeight(ui->ChannelTable->height());
    tableLayout->addWidget(ui->ChannelTable);
    tableLayout->addStretch();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
        // Now that the frame is known, the whole window goes on the screen.
        QTimer::singleShot(0, this, &TForm1::FitIntoScreen);
    }
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing is always allowed; the port goes with the window, and with it every
    // notification still queued for it. A recording writes what it holds and closes its file.
    m_acquisition->Stop();
    Recording().SwitchOff();
    event->accept();
    QMainWindow::closeEvent(event);
}
