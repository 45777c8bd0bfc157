// Start, Stop and the window's side of a run: preparing its own controls, handing the run its
// settings, the update timer, page switching, channel and port options and leaving the program.
#include "app/window/main_window.h"

#include "app/run/run_recording.h"
#include "app/tools/info_window.h"
#include "app/window/window_state.h"
#include "chart/rchart.h"
#include "platform/user_interface.h"
#include "serial/com_combo_box.h"
#include "serial/com_port.h"
#include "serial/data_packet.h"
#include "ui_main_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QSignalBlocker>

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

    m_acquisition->SlowDisplay().AwaitFirstSample();

    m_comDataPacket1->SetStartString("\n");
    m_comDataPacket1->SetStopString("\r");
    m_acquisition->CloseForTerminal();
}

void TForm1::SetupAcquisition()
{
    Acquisition::Displays displays;
    displays.Chart = ui->RChart1;
    displays.Slow.Meter1 = ui->AbVMeter1;
    displays.Slow.Meter2 = ui->AbVMeter2;
    displays.Slow.Readout1 = ui->AbValueInd1;
    displays.Slow.Readout2 = ui->AbValueInd2;
    displays.Slow.Trend = ui->AbTrend1;
    displays.Leds = {ui->AbLED1, ui->AbLED2, ui->AbLED3, ui->AbLED4,
                     ui->AbLED5, ui->AbLED6, ui->AbLED7, ui->AbLED8};
    m_acquisition = std::make_unique<Acquisition>(*m_comPort1, *m_comDataPacket1, displays);
    connect(m_acquisition.get(), &Acquisition::PhaseChanged, this, &TForm1::RunPhaseChanged);
    connect(m_acquisition.get(), &Acquisition::StatusText, this,
            [this](const QString &text) { SetStatusText(2, text); });
    connect(m_acquisition.get(), &Acquisition::Information, this,
            [](const QString &text) { ShowInformation(text, QString()); });
}

// The settings are read and checked before anything changes: a field that does not convert
// raises with its name, and the window stays as it was.
void TForm1::StartButtonClick()
{
    const RunSettings settings = ReadRunSettings();
    DetachTerminal();
    FreezeWindowSize(true);
    ApplyChannelCount(settings.ChannelCount());
    ui->RChart1->SetMouseAction(TMouseActMode::maNone);
    if (settings.Page == TDisplayPage::dpSlowDisplay)
        SetStatusText(0, QString());
    SetStatusText(2, QString());
    m_acquisition->Start(settings);
}

// The window takes in Start's changes and shows them before data flows: a chart resized or a
// window repainted later would hold up the first blocks while the input queue fills. Only the
// layout requests are delivered here, and the paint runs directly.
void TForm1::SettleWindow()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    repaint();
}

// A run reports Running before its port opens: the locked controls are shown before data flows.
void TForm1::RunPhaseChanged(Acquisition::Phase phase)
{
    UpdateWindowState();
    if (phase == Acquisition::Phase::Running)
        SettleWindow();
    else if (phase == Acquisition::Phase::Idle)
        RunEnded();
}

void TForm1::StopButtonClick()
{
    m_acquisition->Stop();
}

// The window after a run, however it ended.
void TForm1::RunEnded()
{
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
    ui->RChart1->SetMouseAction(TMouseActMode::maPan);

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
    DetachTerminal();
    // The terminal page keeps a port its On button opened.
    if (ActivePage() != TDisplayPage::dpTerminal)
        m_acquisition->CloseForTerminal();
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
        m_acquisition->SlowDisplay().ShowPortModeMeter();
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

void TForm1::SetTrendMode(bool on)
{
    m_acquisition->SetTrendMode(on);
    UpdateWindowState();
}
