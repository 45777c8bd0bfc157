// Start, Stop and what belongs to a run: the update timer, page switching, channel and port
// options, the input-overflow stop and leaving the program.
#include "app/window/main_window.h"

#include "app/run/instrument_ranges.h"
#include "app/run/run_recording.h"
#include "app/run/slow_display_feed.h"
#include "app/tools/info_window.h"
#include "app/window/channel_table.h"
#include "app/window/window_state.h"
#include "chart/rchart.h"
#include "instruments/trend.h"
#include "instruments/vmeter.h"
#include "platform/number_text.h"
#include "platform/rounding.h"
#include "serial/com_combo_box.h"
#include "serial/com_port.h"
#include "serial/com_terminal.h"
#include "serial/data_packet.h"
#include "ui_main_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QSignalBlocker>

#include <algorithm>

float TForm1::ReadFloat(const QLineEdit *edit)
{
    return static_cast<float>(StrToFloat(edit->text()));
}

void TForm1::FormShow()
{
    if (m_infoWindow)
        m_infoWindow->hide();

    ui->SettingsPages->setCurrentWidget(ui->SheetCOM);
    SetChannelHint(State().ChannelCount);
    UpdateWindowState();

    TRChart &chart = *ui->RChart1;
    for (int layer = 1; layer <= kMaxChannels; ++layer) {
        chart.SetRange(layer, 0, 0, 1000, 10);
        chart.SetMouseAffectsLayer(layer, true);
    }

    m_feed->AwaitFirstSample();

    m_comDataPacket1->SetStartString("\n");
    m_comDataPacket1->SetStopString("\r");
    if (m_comPort1->Connected())
        m_comPort1->Close();
}

void TForm1::SetupAcquisition()
{
    SlowDisplayFeed::Instruments instruments;
    instruments.Leds = {ui->AbLED1, ui->AbLED2, ui->AbLED3, ui->AbLED4,
                        ui->AbLED5, ui->AbLED6, ui->AbLED7, ui->AbLED8};
    instruments.Meter1 = ui->AbVMeter1;
    instruments.Meter2 = ui->AbVMeter2;
    instruments.Readout1 = ui->AbValueInd1;
    instruments.Readout2 = ui->AbValueInd2;
    instruments.Trend = ui->AbTrend1;
    instruments.PortModeChecked = [this] { return ui->CheckBoxPort->isChecked(); };
    m_feed = std::make_unique<SlowDisplayFeed>(std::move(instruments));

    Acquisition::Ties ties;
    ties.ActivePage = [this] { return ActivePage(); };
    ties.PrepareRun = [this] { PrepareRun(); };
    ties.ChoosePort = [this] { return ChosenPort(); };
    ties.ShowStatus = [this](const QString &text) { SetStatusText(2, text); };
    ties.TerminalOn = [this] { return TerminalOn(); };
    ties.ReopenTerminal = [this] { ReopenTerminal(); };
    m_acquisition = std::make_unique<Acquisition>(*m_comPort1, *m_comDataPacket1, *ui->RChart1,
                                                  *m_feed, std::move(ties));
    connect(m_acquisition.get(), &Acquisition::PhaseChanged, this, &TForm1::RunPhaseChanged);
}

void TForm1::StartButtonClick()
{
    m_acquisition->Start();
    // A recording that cannot begin is reported; the run goes on without it.
    m_recording->RunStarted(RunChannelNames());
}

// Start's window steps. The run has begun already, so a setting that does not convert stops
// here with Stop enabled, and Stop returns the window to Idle.
void TForm1::PrepareRun()
{
    DetachTerminal();
    FreezeWindowSize(true);
    ApplyChannelCount(ChosenChannelCount());
    if (ActivePage() == TDisplayPage::dpSlowDisplay)
        PrepareSlowDisplay();
    ui->RChart1->SetMouseAction(TMouseActMode::maNone);
    SetTrendMode(ui->TrendCheckBox->isChecked());
    if (State().TrendMode)
        ResetAxisButtonClick();
    PrepareFastDisplay();
    SettleWindow();
}

Acquisition::PortChoice TForm1::ChosenPort() const
{
    Acquisition::PortChoice choice;
    choice.BaudRate = StrToInt(ui->ComboBoxBaud->currentText());
    choice.Name = ui->ComComboBox1->Text();
    if (ActivePage() == TDisplayPage::dpFastDisplay)
        choice.UpdateIntervalMs = StrToInt(ui->ComboBoxUpdateRate->currentText());
    return choice;
}

// The window takes in Start's changes and shows them before data flows: a chart resized or a
// window repainted later would hold up the first blocks while the input queue fills. Only the
// layout requests are delivered here, and the paint runs directly.
void TForm1::SettleWindow()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    repaint();
}

void TForm1::RunPhaseChanged(Acquisition::Phase phase)
{
    UpdateWindowState();
    if (phase == Acquisition::Phase::Idle)
        RunEnded();
}

void TForm1::PrepareSlowDisplay()
{
    TAbTrend &trend = *ui->AbTrend1;
    SetStatusText(0, QString());

    trend.SetFlow(ui->CheckBoxFlowTrend->isChecked());
    trend.Channel1().SetPenWidth(ui->CheckBoxThickCh1->isChecked() ? 2 : 1);
    trend.Channel2().SetPenWidth(ui->CheckBoxThickCh2->isChecked() ? 2 : 1);
    if (ui->CheckBoxPort->isChecked()) {
        SetChannelRange(trend.Channel1(), 0, 300);
    } else {
        const double y1min = StrToFloat(ui->GraphYminEdit->text());
        const double y1max = StrToFloat(ui->GraphYmaxEdit->text());
        SetChannelRange(trend.Channel1(), y1min, y1max);
        SetChannelRange(trend.Channel2(), StrToFloat(ui->GraphY2minEdit->text()),
                        StrToFloat(ui->GraphY2maxEdit->text()));
        // Channels 3 to 8 share channel 1's range, as on the fast display.
        for (int channel = 3; channel <= kMaxChannels; ++channel) {
            TChSettings &settings = trend.Channel(channel);
            SetChannelRange(settings, y1min, y1max);
            settings.SetName1(ChannelName(channel));
        }
    }
    ShowMeterChannel(1);
    ShowMeterChannel(2);
    ApplyChannelVisibility();
    // The record limit of a flowing trend; the visible record count follows the plot width.
    trend.SetMaxRecords(static_cast<std::int32_t>(StrToInt64(ui->ComboBoxMaxRec->currentText())));
    const std::int64_t seconds = LeadingDigitsToInt(ui->ComboBoxTrendInterval->currentText());
    trend.SetInterval(static_cast<int>(std::abs(seconds * 1000)));
    m_feed->AwaitFirstSample(); // the trend starts empty and records from the first sample
}

void TForm1::ShowPortModeMeter()
{
    SetMeterRange(*ui->AbVMeter1, 0, 300);
    ui->AbVMeter1->ScaleSettings().SetValueFormat(QStringLiteral("##0"));
    ui->AbVMeter1->ScaleSettings().SetSteps(6);
}

void TForm1::PrepareFastDisplay()
{
    TRChart &chart = *ui->RChart1;
    chart.ClearItems();
    chart.SetDataColor(0xFF0000);
    chart.Scale1Y().SetCaption(ui->Ch1NameEdit->text());
    chart.Scale2Y().SetCaption(ui->Ch2NameEdit->text());
    chart.SetCaption(ui->ProjektNameEdit->text());
    chart.SetActiveLayer(1);
    ReadRunSettings();
    ReadChartRanges();
    // The items up to the sample limit find their room ready: a first write to fresh memory
    // costs far more than the item, and while data streams that would fill the input queue.
    const std::uint32_t samples = std::min(State().ChannelLimit, State().MaxSamples) + 1;
    chart.ReserveItems(static_cast<int>(samples) * State().ChannelCount);
    chart.UpdateChart();
    SetStatusText(2, QString());
}

void TForm1::StopButtonClick()
{
    m_acquisition->Stop();
}

// The window after a run, however it ended.
void TForm1::RunEnded()
{
    m_recording->RunEnded();
    // A trend run's last window stays on screen to be looked at, zoomed, saved or exported:
    // Trend is unticked without its action, which would empty the chart and reset the axes.
    // The next Start or Clear empties it as usual.
    if (State().TrendMode) {
        const QSignalBlocker keepTheWindow(ui->TrendCheckBox);
        ui->TrendCheckBox->setChecked(false);
    }
    // Switching Normal on runs its action after a zoom run.
    SetRadioChecked(ui->NormalRadioButton, true);
    SetTrendMode(false);

    TRChart &chart = *ui->RChart1;
    chart.SetActiveLayer(1);
    chart.SetMouseAction(TMouseActMode::maPan);
    chart.SuppressPaint(false);
    chart.Redraw();

    FreezeWindowSize(false);
    updateGeometry();
    ui->PageControl2->update();
}

void TForm1::Timer1Timer()
{
    m_acquisition->UpdateTick();
}

void TForm1::PageControl2Change()
{
    Timer1().stop();
    DetachTerminal();
    // The terminal page keeps a port its On button opened.
    if (ActivePage() != TDisplayPage::dpTerminal && m_comPort1->Connected())
        m_comPort1->Close();
    UpdateWindowState();
}

void TForm1::Ch1RadioButtonClick()
{
    ApplyChannelCount(1);
}

void TForm1::CH2RadioButtonClick()
{
    ApplyChannelCount(2);
    ui->ComboBoxUpdateRate->setCurrentText(QStringLiteral("1000"));
}

void TForm1::CheckBoxAutoComClick()
{
    TComComboBox &selector = *ui->ComComboBox1;
    if (ui->CheckBoxAutoCom->isChecked()) {
        selector.SetComProperty(TComProperty::cpPort);
        selector.SetAutoApply(true);
        return;
    }
    selector.SetAutoApply(false);
    selector.clear();
    for (int i = 0; i < ui->ComboBoxComPortList->count(); ++i)
        selector.addItem(ui->ComboBoxComPortList->itemText(i));
}

void TForm1::CheckBoxPortClick()
{
    if (ui->CheckBoxPort->isChecked()) {
        ui->PageControl2->setCurrentWidget(ui->TabSheetSlowDisplay);
        ShowPortModeMeter();
    } else {
        ui->AbVMeter1->ScaleSettings().SetSteps(10);
    }
    UpdateWindowState();
}

void TForm1::ComPort1Rx80Full(TCustomComPort *)
{
    m_acquisition->InputOverflow();
}

void TForm1::ComPort1DeviceLost()
{
    m_acquisition->DeviceLost();
}

bool TForm1::WaitingForPort() const
{
    return m_acquisition->WaitingForPort();
}

void TForm1::Einstellungen1Click()
{
    // Stop closes the port, and the notifications still queued for it go with it.
    RunStop();
    QApplication::quit();
}

void TForm1::UpdateWindowState()
{
    WindowInputs in;
    in.Running = m_acquisition->Running();
    in.PortLost = m_acquisition->CurrentPhase() == Acquisition::Phase::WaitingForDevice;
    in.Page = ActivePage();
    in.ChannelCount = State().ChannelCount;
    in.PortMode = ui->CheckBoxPort->isChecked();
    in.TrendMode = State().TrendMode;
    const WindowControls c = DeriveWindowControls(in);

    ui->StartButton->setEnabled(c.StartEnabled);
    ui->StopButton->setEnabled(c.StopEnabled);
    ui->ActivityIndicator->setEnabled(c.ActivityIndicatorEnabled);
    for (QWidget *settings :
         {static_cast<QWidget *>(ui->GroupBoxPort), static_cast<QWidget *>(ui->GroupBox1),
          static_cast<QWidget *>(ui->SettingsPages), static_cast<QWidget *>(ui->Panel1),
          static_cast<QWidget *>(ui->TrendCheckBox), static_cast<QWidget *>(ui->CheckBoxFlowTrend),
          static_cast<QWidget *>(ui->ComboBoxMaxRec), static_cast<QWidget *>(ui->BigJumpRevBtn),
          static_cast<QWidget *>(ui->JumpRevBtn), static_cast<QWidget *>(ui->JumpFwdBtn),
          static_cast<QWidget *>(ui->BigJumpFwdBtn)})
        settings->setEnabled(c.SettingsEnabled);
    SetMenuEnabled(ui->Datei, c.FileMenuEnabled);
    ui->ClearGraphButton->setEnabled(c.FastDisplayToolsEnabled);
    ui->ResetAxisButton->setEnabled(c.FastDisplayToolsEnabled);
    SetMenuEnabled(ui->Mathematik, c.FastDisplayToolsEnabled);
    SetMenuEnabled(ui->Tools, c.FastDisplayToolsEnabled);
    SetPageTabEnabled(ui->TabSheetFastDisplay, c.FastTabEnabled);
    SetPageTabEnabled(ui->TabSheetSlowDisplay, c.SlowTabEnabled);
    SetPageTabEnabled(ui->TabSheetTerminal, c.TerminalTabEnabled);
    SetSettingsTabVisible(ui->SheetKanal2, c.Channel2TabVisible);
    SetSettingsTabVisible(ui->SheetKanal3bis8, c.MoreChannelsTabVisible);
    ui->AbTrend1->setEnabled(c.TrendShown);
    ui->AbTrend1->setVisible(c.TrendShown);
    ui->PanelSlowTrendSettings->setVisible(c.TrendSettingsVisible);
    ui->NormalRadioButton->setEnabled(c.NormalEnabled);
    ui->ZoomRadioButton->setEnabled(c.ZoomEnabled);
    if (c.PanZoomUnchecked) {
        SetRadioChecked(ui->NormalRadioButton, false);
        SetRadioChecked(ui->ZoomRadioButton, false);
    }
}

char TForm1::ChosenSeparator(char otherwise) const
{
    switch (ui->ComboBoxChSeperator->currentIndex()) {
    case 0:
        return ';';
    case 1:
        return '\t';
    case 2:
        return ' ';
    default:
        return otherwise;
    }
}

void TForm1::ReadRunSettings()
{
    State().MaxSamples
            = static_cast<std::uint32_t>(StrToInt(ui->ComboBoxMaxSamples->currentText()));
    State().Scale1 = ReadFloat(ui->DatSkalEdit);
    State().Scale2 = ReadFloat(ui->DatSkal2Edit);
    State().Offset1 = ReadFloat(ui->DatOffsetEdit);
    State().Offset2 = ReadFloat(ui->DatOffset2Edit);
    for (int channel = 3; channel <= kMaxChannels; ++channel) {
        State().SetScale(channel, m_channelTable->Scale(channel));
        State().SetOffset(channel, m_channelTable->Offset(channel));
    }
    State().Separator = ChosenSeparator(State().Separator);
}

void TForm1::ReadChartRanges()
{
    State().XMax = ReadFloat(ui->GraphXmaxEdit);
    State().YMax1 = ReadFloat(ui->GraphYmaxEdit);
    State().YMin1 = ReadFloat(ui->GraphYminEdit);
    State().YMax2 = ReadFloat(ui->GraphY2maxEdit);
    State().YMin2 = ReadFloat(ui->GraphY2minEdit);
    TRChart &chart = *ui->RChart1;
    chart.SetRange(1, 0, State().YMin1, State().XMax, State().YMax1);
    chart.SetRange(2, 0, State().YMin2, State().XMax, State().YMax2);
    // Channels 3 to 8 are drawn against channel 1's axis.
    for (int layer = 3; layer <= kMaxChannels; ++layer)
        chart.SetRange(layer, 0, State().YMin1, State().XMax, State().YMax1);
}

void TForm1::SetTrendMode(bool on)
{
    State().TrendMode = on;
    UpdateWindowState();
}
