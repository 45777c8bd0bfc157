// Start, Stop and what belongs to a run: the update timer, page switching, channel and port
// options, the input-overflow stop and leaving the program.
#include "app/main_window.h"

#include "app/info_window.h"
#include "app/instrument_ranges.h"
#include "app/packet_decoder.h"
#include "app/window_state.h"
#include "chart/rchart.h"
#include "instruments/trend.h"
#include "instruments/vmeter.h"
#include "platform/number_text.h"
#include "platform/rounding.h"
#include "platform/user_interface.h"
#include "serial/com_combo_box.h"
#include "serial/com_port.h"
#include "serial/com_terminal.h"
#include "serial/data_packet.h"
#include "ui_main_window.h"

#include <QApplication>

#include <algorithm>

namespace {

// The meter format that shows a value up to yMax with sensible decimals; empty keeps the old one.
QString MeterFormatFor(double yMax)
{
    if (yMax < 1)
        return QStringLiteral("#0.0000");
    if (yMax < 10)
        return QStringLiteral("#0.000");
    if (yMax < 100)
        return QStringLiteral("##0.00");
    if (yMax < 1000)
        return QStringLiteral("###0.0");
    if (yMax < 10000)
        return QStringLiteral("####");
    if (yMax < 100000)
        return QStringLiteral("#####");
    if (yMax < 1000000)
        return QStringLiteral("######");
    if (yMax < 10000000)
        return QStringLiteral("#######");
    return QString();
}

void ApplyMeterFormat(TAbVMeter &meter, const QString &yMaxText)
{
    const QString format = MeterFormatFor(StrToFloat(yMaxText));
    if (!format.isEmpty())
        meter.ScaleSettings().SetValueFormat(format);
}

} // namespace

float TForm1::ReadFloat(const QLineEdit *edit)
{
    return static_cast<float>(StrToFloat(edit->text()));
}

void TForm1::FormShow()
{
    if (m_infoWindow)
        m_infoWindow->hide();

    ui->SettingsPages->setCurrentWidget(ui->SheetCOM);
    SetChannelHint(m_state.ChannelCount);
    UpdateWindowState();

    TRChart &chart = *ui->RChart1;
    chart.SetRange(1, 0, 0, 1000, 10);
    chart.SetRange(2, 0, 0, 1000, 10);
    chart.SetMouseAffectsLayer(1, true);
    chart.SetMouseAffectsLayer(2, true);

    m_comDataPacket1->SetStartString("\n");
    m_comDataPacket1->SetStopString("\r");
    if (m_comPort1->Connected())
        m_comPort1->Close();
}

// The window enters the running state first, so a setting that does not convert stops Start
// with Stop enabled, and Stop returns the window to Idle.
void TForm1::StartButtonClick()
{
    DetachTerminal();
    FreezeWindowSize(true);
    SetRunning(true);
    ApplyChannelCount(ui->CH2RadioButton->isChecked() ? 2 : 1);
    if (ActivePage() == TDisplayPage::dpSlowDisplay)
        PrepareSlowDisplay();
    ui->RChart1->SetMouseAction(TMouseActMode::maNone);
    SetTrendMode(ui->TrendCheckBox->isChecked());
    if (m_state.TrendMode)
        ResetAxisButtonClick();
    m_decoder->BeginRun();
    PrepareFastDisplay();
    // The layout follows the changes above now, before data flows: a chart resized later
    // would repaint into new images while the input queue fills.
    ProcessPendingEvents();
    if (!m_running)
        return; // stopped meanwhile
    OpenPortForRun();
    StartUpdateTimer();
}

void TForm1::PrepareSlowDisplay()
{
    TAbTrend &trend = *ui->AbTrend1;
    m_timer1.stop();
    SetStatusText(0, QString());

    trend.SetFlow(ui->CheckBoxFlowTrend->isChecked());
    trend.Channel1().SetPenWidth(ui->CheckBoxThickCh1->isChecked() ? 2 : 1);
    trend.Channel2().SetPenWidth(ui->CheckBoxThickCh2->isChecked() ? 2 : 1);
    ApplyMeterFormat(*ui->AbVMeter1, ui->GraphYmaxEdit->text());
    ApplyMeterFormat(*ui->AbVMeter2, ui->GraphY2maxEdit->text());

    if (ui->CheckBoxPort->isChecked()) {
        ShowPortModeMeter();
        SetChannelRange(trend.Channel1(), 0, 300);
    } else {
        const double y1min = StrToFloat(ui->GraphYminEdit->text());
        const double y1max = StrToFloat(ui->GraphYmaxEdit->text());
        const double y2min = StrToFloat(ui->GraphY2minEdit->text());
        const double y2max = StrToFloat(ui->GraphY2maxEdit->text());
        SetMeterRange(*ui->AbVMeter1, y1min, y1max);
        SetMeterRange(*ui->AbVMeter2, y2min, y2max);
        SetChannelRange(trend.Channel1(), y1min, y1max);
        SetChannelRange(trend.Channel2(), y2min, y2max);
    }
    // The record limit of a flowing trend; the visible record count follows the plot width.
    trend.SetMaxRecords(static_cast<std::int32_t>(StrToInt64(ui->ComboBoxMaxRec->currentText())));
    const std::int64_t seconds = LeadingDigitsToInt(ui->ComboBoxTrendInterval->currentText());
    trend.SetInterval(static_cast<int>(std::abs(seconds * 1000)));
    trend.ClearRecords();
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
    const std::uint32_t samples = std::min(m_state.ChannelLimit, m_state.MaxSamples) + 1;
    chart.ReserveItems(static_cast<int>(samples) * m_state.ChannelCount);
    chart.UpdateChart();
    SetStatusText(2, QString());
}

void TForm1::OpenPortForRun()
{
    m_comPort1->SetBaudRate(TBaudRate::brCustom);
    m_comPort1->SetCustomBaudRate(StrToInt(ui->ComboBoxBaud->currentText()));
    m_comPort1->SetPort(ui->ComComboBox1->Text());
    AttachRunPort();
}

// At Start and when a lost device is back: the framer follows the port, which is open and
// holds nothing from before.
void TForm1::AttachRunPort()
{
    m_comDataPacket1->SetComPort(m_comPort1.get());
    if (!m_comPort1->Connected())
        m_comPort1->Open();
    m_comPort1->PurgeBuffers(true, true);
}

void TForm1::StartUpdateTimer()
{
    // From now on the chart paints only when the update timer releases it.
    ui->RChart1->SuppressPaint(true);
    if (ActivePage() == TDisplayPage::dpFastDisplay) {
        m_timer1.setInterval(StrToInt(ui->ComboBoxUpdateRate->currentText()));
        m_timer1.start();
    } else {
        m_timer1.stop();
    }
}

void TForm1::StopButtonClick()
{
    m_decoder->Halt();
    EndPortWait();
    m_comDataPacket1->SetComPort(nullptr);
    // Discard what the device sent after the run; a port that cannot be opened has nothing
    // queued, and trying to open it would keep the window from returning to Idle.
    if (m_comPort1->Connected()) {
        m_comPort1->PurgeBuffers(true, false);
        m_comPort1->Close();
    }
    m_timer1.stop();

    SetRunning(false);
    // Switching Normal on runs its action after a trend or zoom run: a trend run ends with
    // trend mode off and an empty fast display.
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
    TRChart &chart = *ui->RChart1;
    chart.SuppressPaint(false);
    chart.UpdateChart();
    chart.SuppressPaint(true);
}

void TForm1::PageControl2Change()
{
    m_timer1.stop();
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
    m_decoder->Halt();
    SetStatusText(2, QStringLiteral("Buffer Overflow"));
    RunStop();
}

void TForm1::Einstellungen1Click()
{
    RunStop();
    if (m_comPort1->Connected())
        m_comPort1->Close();
    // The port's last notifications are queued for this window: deliver them before it goes.
    ProcessPendingEvents();
    QApplication::quit();
}

void TForm1::SetRunning(bool running)
{
    m_running = running;
    UpdateWindowState();
}

void TForm1::UpdateWindowState()
{
    WindowInputs in;
    in.Running = m_running;
    in.PortLost = m_runPortLost;
    in.Page = ActivePage();
    in.ChannelCount = m_state.ChannelCount;
    in.PortMode = ui->CheckBoxPort->isChecked();
    in.TrendMode = m_state.TrendMode;
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

void TForm1::ApplyChannelCount(int channels)
{
    m_state.ChannelCount = channels;
    m_state.ChannelLimit = ChannelLimitFor(channels);
    SetChannelHint(channels);
    TRChart &chart = *ui->RChart1;
    chart.SetMarginLeft(channels == 2 ? 160 : 80);
    chart.Scale2Y().SetVisible(channels == 2);
    if (channels == 2)
        chart.Redraw();
    UpdateWindowState();
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
    m_state.MaxSamples
            = static_cast<std::uint32_t>(StrToInt(ui->ComboBoxMaxSamples->currentText()));
    m_state.Scale1 = ReadFloat(ui->DatSkalEdit);
    m_state.Scale2 = ReadFloat(ui->DatSkal2Edit);
    m_state.Offset1 = ReadFloat(ui->DatOffsetEdit);
    m_state.Offset2 = ReadFloat(ui->DatOffset2Edit);
    m_state.Separator = ChosenSeparator(m_state.Separator);
}

void TForm1::ReadChartRanges()
{
    m_state.XMax = ReadFloat(ui->GraphXmaxEdit);
    m_state.YMax1 = ReadFloat(ui->GraphYmaxEdit);
    m_state.YMin1 = ReadFloat(ui->GraphYminEdit);
    m_state.YMax2 = ReadFloat(ui->GraphY2maxEdit);
    m_state.YMin2 = ReadFloat(ui->GraphY2minEdit);
    TRChart &chart = *ui->RChart1;
    chart.SetRange(1, 0, m_state.YMin1, m_state.XMax, m_state.YMax1);
    chart.SetRange(2, 0, m_state.YMin2, m_state.XMax, m_state.YMax2);
}

void TForm1::SetTrendMode(bool on)
{
    m_state.TrendMode = on;
    UpdateWindowState();
}
