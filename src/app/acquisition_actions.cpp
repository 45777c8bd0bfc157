// Start, Stop and what belongs to a run: the update timer, page switching, channel and port
// options, the input-overflow stop, a device lost during a run, and leaving the program.
#include "app/main_window.h"

#include "app/info_window.h"
#include "app/instrument_ranges.h"
#include "app/packet_decoder.h"
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
    m_state = AcquisitionState();

    ui->SettingsPages->setCurrentWidget(ui->SheetCOM);
    SetSettingsTabVisible(ui->SheetKanal2, false);
    ui->StopButton->setEnabled(false);
    SetChannelHint(1);

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

void TForm1::StartButtonClick()
{
    TRChart &chart = *ui->RChart1;
    TAbTrend &trend = *ui->AbTrend1;

    DetachTerminal();
    SetMenuEnabled(ui->Mathematik, false);
    FreezeWindowSize(true);
    ui->GroupBoxPort->setEnabled(false);
    SetJumpButtonsEnabled(false);

    if (ui->Ch1RadioButton->isChecked()) {
        m_state.ChannelCount = 1;
        m_state.ChannelLimit = 100000;
        SetSettingsTabVisible(ui->SheetKanal2, false);
        SetChannelHint(1);
        chart.SetMarginLeft(80);
        chart.Scale2Y().SetVisible(false);
    }
    if (ui->CH2RadioButton->isChecked()) {
        m_state.ChannelCount = 2;
        m_state.ChannelLimit = 50000;
        SetSettingsTabVisible(ui->SheetKanal2, true);
        SetChannelHint(2);
        chart.SetMarginLeft(160);
        chart.Scale2Y().SetVisible(true);
        chart.Redraw();
    }

    const TDisplayPage page = ActivePage();
    if (page == TDisplayPage::dpFastDisplay) {
        SetPageTabEnabled(ui->TabSheetSlowDisplay, false);
        SetPageTabEnabled(ui->TabSheetTerminal, false);
        ui->ClearGraphButton->setEnabled(false);
        ui->ResetAxisButton->setEnabled(false);
        trend.setEnabled(false);
        trend.hide();
    }
    if (page == TDisplayPage::dpSlowDisplay) {
        SetPageTabEnabled(ui->TabSheetFastDisplay, false);
        SetPageTabEnabled(ui->TabSheetTerminal, false);
        m_timer1.stop();
        SetStatusText(0, QString());
        ui->ClearGraphButton->setEnabled(false);
        ui->ResetAxisButton->setEnabled(false);

        trend.SetFlow(ui->CheckBoxFlowTrend->isChecked());
        trend.Channel1().SetPenWidth(ui->CheckBoxThickCh1->isChecked() ? 2 : 1);
        trend.Channel2().SetPenWidth(ui->CheckBoxThickCh2->isChecked() ? 2 : 1);
        ApplyMeterFormat(*ui->AbVMeter1, ui->GraphYmaxEdit->text());
        ApplyMeterFormat(*ui->AbVMeter2, ui->GraphY2maxEdit->text());

        if (ui->CheckBoxPort->isChecked()) {
            ui->PageControl2->setCurrentWidget(ui->TabSheetSlowDisplay);
            ui->ClearGraphButton->setEnabled(false);
            ui->ResetAxisButton->setEnabled(false);
            trend.hide();
            ui->PanelSlowTrendSettings->hide();
            SetMeterRange(*ui->AbVMeter1, 0, 300);
            ui->AbVMeter1->ScaleSettings().SetValueFormat(QStringLiteral("##0"));
            ui->AbVMeter1->ScaleSettings().SetSteps(6);
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
        trend.SetMaxRecords(
                static_cast<std::int32_t>(StrToInt64(ui->ComboBoxMaxRec->currentText())));
        const std::int64_t seconds = LeadingDigitsToInt(ui->ComboBoxTrendInterval->currentText());
        trend.SetInterval(static_cast<int>(std::abs(seconds * 1000)));
        trend.ClearRecords();
        trend.setEnabled(true);
        trend.show();
    }

    ProcessPendingEvents();
    ui->CheckBoxFlowTrend->setEnabled(false);
    ui->ComboBoxMaxRec->setEnabled(false);
    chart.SetMouseAction(TMouseActMode::maNone);
    SetMenuEnabled(ui->Datei, false);
    SetMenuEnabled(ui->Mathematik, false);
    SetMenuEnabled(ui->Tools, false);

    if (ui->TrendCheckBox->isChecked()) {
        m_state.TrendMode = true;
        chart.SetMouseAction(TMouseActMode::maNone);
        SetRadioChecked(ui->NormalRadioButton, false);
        SetRadioChecked(ui->ZoomRadioButton, false);
        ui->NormalRadioButton->setEnabled(false);
        ui->ZoomRadioButton->setEnabled(false);
        ResetAxisButtonClick();
    } else {
        m_state.TrendMode = false;
    }

    m_state.Stopped = false;
    ui->ResetAxisButton->setEnabled(false);
    ui->TrendCheckBox->setEnabled(false);
    ui->ActivityIndicator->setEnabled(true);
    ui->StartButton->setEnabled(false);
    ui->StopButton->setEnabled(true);
    ui->ClearGraphButton->setEnabled(false);
    ui->GroupBox1->setEnabled(false);
    ui->SettingsPages->setEnabled(false);

    chart.ClearItems();
    chart.SetDataColor(0xFF0000);
    chart.Scale1Y().SetCaption(ui->Ch1NameEdit->text());
    chart.Scale2Y().SetCaption(ui->Ch2NameEdit->text());
    chart.SetCaption(ui->ProjektNameEdit->text());
    chart.SetActiveLayer(1);

    m_state.MaxSamples
            = static_cast<std::uint32_t>(StrToInt(ui->ComboBoxMaxSamples->currentText()));
    m_state.SampleCount = 0;
    m_state.Prev1 = m_state.Prev2 = 0.0f;
    m_state.TrendShift = 0;

    m_state.Scale1 = ReadFloat(ui->DatSkalEdit);
    m_state.Scale2 = ReadFloat(ui->DatSkal2Edit);
    m_state.Offset1 = ReadFloat(ui->DatOffsetEdit);
    m_state.Offset2 = ReadFloat(ui->DatOffset2Edit);
    m_state.YMax1 = ReadFloat(ui->GraphYmaxEdit);
    m_state.YMax2 = ReadFloat(ui->GraphY2maxEdit);
    m_state.YMin1 = ReadFloat(ui->GraphYminEdit);
    m_state.YMin2 = ReadFloat(ui->GraphY2minEdit);
    m_state.XMax = ReadFloat(ui->GraphXmaxEdit);

    chart.SetRange(1, 0, m_state.YMin1, m_state.XMax, m_state.YMax1);
    chart.SetRange(2, 0, m_state.YMin2, m_state.XMax, m_state.YMax2);
    chart.UpdateChart();
    ProcessPendingEvents();

    SetStatusText(2, QString());
    ui->Panel1->setEnabled(false);
    chart.SetActiveLayer(1);
    chart.ClearItems();

    switch (ui->ComboBoxChSeperator->currentIndex()) {
    case 0:
        m_state.Separator = ';';
        break;
    case 1:
        m_state.Separator = '\t';
        break;
    case 2:
        m_state.Separator = ' ';
        break;
    default:
        break;
    }

    m_comPort1->SetBaudRate(TBaudRate::brCustom);
    m_comPort1->SetCustomBaudRate(StrToInt(ui->ComboBoxBaud->currentText()));
    ProcessPendingEvents();
    m_comPort1->SetPort(ui->ComComboBox1->Text());

    m_comDataPacket1->SetComPort(m_comPort1.get());
    if (!m_comPort1->Connected())
        m_comPort1->Open();
    m_comPort1->PurgeBuffers(true, true);

    chart.SuppressPaint(true);
    if (ActivePage() == TDisplayPage::dpFastDisplay) {
        m_timer1.setInterval(StrToInt(ui->ComboBoxUpdateRate->currentText()));
        m_timer1.start();
    } else {
        m_timer1.stop();
    }
    ProcessPendingEvents();
}

void TForm1::StopButtonClick()
{
    m_state.Stopped = true;
    m_comDataPacket1->SetComPort(nullptr);
    // Discard what the device sent after the run; a port that cannot be opened has nothing
    // queued, and trying to open it would keep the window from returning to Idle.
    if (m_comPort1->Connected()) {
        m_comPort1->PurgeBuffers(true, false);
        m_comPort1->Close();
    }

    m_timer1.stop();
    ProcessPendingEvents();
    updateGeometry();
    ProcessPendingEvents();

    SetMenuEnabled(ui->Datei, true);
    SetMenuEnabled(ui->Mathematik, true);
    SetMenuEnabled(ui->Tools, true);
    ui->ResetAxisButton->setEnabled(true);
    ui->ClearGraphButton->setEnabled(true);

    ui->NormalRadioButton->setEnabled(true);
    SetRadioChecked(ui->NormalRadioButton, true);

    ui->GroupBox1->setEnabled(true);
    ui->SettingsPages->setEnabled(true);
    ui->StartButton->setEnabled(true);
    ui->StopButton->setEnabled(false);
    ui->ActivityIndicator->setEnabled(false);
    ui->ZoomRadioButton->setEnabled(true);
    ui->TrendCheckBox->setEnabled(true);
    m_state.TrendMode = false;

    TRChart &chart = *ui->RChart1;
    chart.SetActiveLayer(1);
    chart.SetMouseAction(TMouseActMode::maPan);
    chart.SuppressPaint(false);
    chart.Redraw();
    ui->Panel1->setEnabled(true);
    ui->AbTrend1->setEnabled(true);
    ui->AbTrend1->show();

    SetPageTabEnabled(ui->TabSheetTerminal, true);
    const TDisplayPage page = ActivePage();
    SetPageTabEnabled(page == TDisplayPage::dpFastDisplay ? ui->TabSheetSlowDisplay
                                                          : ui->TabSheetFastDisplay,
                      true);
    if (page == TDisplayPage::dpSlowDisplay) {
        ui->ClearGraphButton->setEnabled(false);
        ui->ResetAxisButton->setEnabled(false);
    } else if (page == TDisplayPage::dpFastDisplay) {
        ui->ClearGraphButton->setEnabled(true);
        ui->ResetAxisButton->setEnabled(true);
    }

    ui->CheckBoxFlowTrend->setEnabled(true);
    ui->ComboBoxMaxRec->setEnabled(true);
    SetJumpButtonsEnabled(true);
    ProcessPendingEvents();

    FreezeWindowSize(false);
    ui->GroupBoxPort->setEnabled(true);
    ui->PageControl2->update();
    SetMenuEnabled(ui->Mathematik, true);
    ProcessPendingEvents();
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
    const TDisplayPage page = ActivePage();
    DetachTerminal();
    if (page == TDisplayPage::dpTerminal) {
        ui->ClearGraphButton->setEnabled(false);
        ui->ResetAxisButton->setEnabled(false);
        ui->StartButton->setEnabled(false);
        SetMenuEnabled(ui->Mathematik, false);
        SetMenuEnabled(ui->Tools, false);
        return;
    }
    if (m_comPort1->Connected())
        m_comPort1->Close();
    const bool fast = page == TDisplayPage::dpFastDisplay;
    ui->StartButton->setEnabled(true);
    ui->ClearGraphButton->setEnabled(fast);
    ui->ResetAxisButton->setEnabled(fast);
    SetMenuEnabled(ui->Mathematik, fast);
    SetMenuEnabled(ui->Tools, fast);
}

void TForm1::Ch1RadioButtonClick()
{
    m_state.ChannelCount = 1;
    m_state.ChannelLimit = 100000;
    SetSettingsTabVisible(ui->SheetKanal2, false);
    SetChannelHint(1);
    ui->RChart1->SetMarginLeft(80);
    ui->RChart1->Scale2Y().SetVisible(false);
}

void TForm1::CH2RadioButtonClick()
{
    m_state.ChannelCount = 2;
    m_state.ChannelLimit = 50000;
    SetSettingsTabVisible(ui->SheetKanal2, true);
    SetChannelHint(2);
    ui->ComboBoxUpdateRate->setCurrentText(QStringLiteral("1000"));
    ui->RChart1->SetMarginLeft(160);
    ui->RChart1->Scale2Y().SetVisible(true);
    ui->RChart1->Redraw();
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
        ui->ClearGraphButton->setEnabled(false);
        ui->ResetAxisButton->setEnabled(false);
        ui->PanelSlowTrendSettings->hide();
        SetMeterRange(*ui->AbVMeter1, 0, 300);
        ui->AbVMeter1->ScaleSettings().SetValueFormat(QStringLiteral("##0"));
        ui->AbVMeter1->ScaleSettings().SetSteps(6);
    } else {
        ui->ClearGraphButton->setEnabled(true);
        ui->ResetAxisButton->setEnabled(true);
        ui->PanelSlowTrendSettings->show();
        ui->AbVMeter1->ScaleSettings().SetSteps(10);
    }
}

void TForm1::ComPort1Rx80Full(TCustomComPort *)
{
    m_state.Stopped = true;
    SetStatusText(2, QStringLiteral("Buffer Overflow"));
    ui->ActivityIndicator->setEnabled(false);
    RunStop();
    ProcessPendingEvents();
}

void TForm1::ComPort1DeviceLost()
{
    // The port has closed itself; end the run as Stop does and keep what was acquired.
    if (!ui->StopButton->isEnabled())
        return;
    m_state.Stopped = true;
    ui->ActivityIndicator->setEnabled(false);
    RunStop();
    SetStatusText(2, QStringLiteral("Port disconnected"));
}

void TForm1::Einstellungen1Click()
{
    RunStop();
    if (m_comPort1->Connected())
        m_comPort1->Close();
    ProcessPendingEvents();
    ProcessPendingEvents();
    QApplication::quit();
}
