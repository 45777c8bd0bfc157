// The fast display page outside the packet path: Clear, Reset, grid and tick density, the
// Normal / Zoom / Trend mode bar, the cursor time readout and the page show actions.
#include "app/window/main_window.h"

#include "app/run/fast_display_view.h"

#include "chart/num_lab.h"
#include "chart/rchart.h"
#include "instruments/vmeter.h"
#include "platform/number_text.h"
#include "platform/user_interface.h"
#include "ui_main_window.h"

void TForm1::ClearGraphButtonClick()
{
    m_acquisition->Clear();
    ui->RChart1->Redraw();
    SetStatusText(2, QString());
    SetStatusText(0, QString());
}

void TForm1::ResetAxisButtonClick()
{
    TRChart &chart = *ui->RChart1;
    chart.SuppressPaint(false);
    chart.SetCaption(ui->ProjektNameEdit->text());

    ApplyChartRanges();

    chart.Scale1Y().SetCaption(ui->Ch1NameEdit->text());
    chart.Scale2Y().SetCaption(ui->Ch2NameEdit->text());
    chart.SetCaption(ui->ProjektNameEdit->text());
    chart.Redraw();
}

void TForm1::ShowGridCheckBoxClick()
{
    ui->RChart1->SetGridStyle(ui->ShowGridCheckBox->isChecked() ? GridStyleType::gsLines
                                                                : GridStyleType::gsNone);
    ui->RChart1->Redraw();
}

void TForm1::DoubleTicsCheckBoxClick()
{
    const int ticks = ui->DoubleTicsCheckBox->isChecked() ? 6 : 3;
    TRChart &chart = *ui->RChart1;
    chart.Scale1X().SetMinTicks(ticks);
    chart.Scale1Y().SetMinTicks(ticks);
    chart.Scale2Y().SetMinTicks(ticks);
    chart.UpdateChart();
}

void TForm1::NormalRadioButtonClick()
{
    ui->RChart1->SetMouseAction(TMouseActMode::maPan);
    ui->TrendCheckBox->setChecked(false);
    SetTrendMode(false);
}

void TForm1::ZoomRadioButtonClick()
{
    ui->RChart1->SetMouseAction(TMouseActMode::maZoomDrag);
}

void TForm1::TrendCheckBoxClick()
{
    TRChart &chart = *ui->RChart1;
    if (ui->TrendCheckBox->isChecked()) {
        chart.SetMouseAction(TMouseActMode::maNone);
        ui->GraphXmaxEdit->setText(QStringLiteral("2000"));
        ResetAxisButtonClick();
        SetTrendMode(true);
        return;
    }
    chart.SetMouseAction(TMouseActMode::maPan);
    chart.ClearItems();
    chart.UpdateChart();
    SetRadioChecked(ui->NormalRadioButton, true);
    SetTrendMode(false);
    ResetAxisButtonClick();
}

void TForm1::RChart1MouseMoveInChart(bool inChart, TShiftState, double rMousePosX,
                                     double rMousePosY)
{
    TNumLab &readout = *ui->NumLab1;
    readout.SetEmpty(!inChart);
    const QString unit = ui->RadioBtnUS->isChecked() ? QStringLiteral("us") : QStringLiteral("ms");
    // A time per sample that does not convert counts as not configured, like 0.
    double sampleTime = 0.0;
    if (!TryTypedFieldToFloat(ui->editMCSampleTime->text(), sampleTime))
        sampleTime = 0.0;
    readout.SetValue(sampleTime * rMousePosX);
    readout.SetRightText(sampleTime == 0.0 ? QStringLiteral("n/c") : unit);
    ui->RChart1->SetCrossHairPos(1, rMousePosX, rMousePosY);
    UpdateLegend(inChart ? std::optional<double>(rMousePosX) : std::nullopt);
}

void TForm1::TabSheetFastDisplayShow()
{
    ui->GroupBoxGrafik->setVisible(true);
    UpdateWindowState();
}

void TForm1::TabSheetSlowDisplayShow()
{
    ui->GroupBoxGrafik->setVisible(false);
    UpdateWindowState();
}

void TForm1::FormResize()
{
    const int meterHeight = height() - 183;
    ui->AbVMeter1->setFixedHeight(std::max(meterHeight, 100));
    ui->AbVMeter2->setFixedHeight(std::max(meterHeight, 100));
}

// The chart's ranges from the edits, taken in single precision as a run keeps them. Channels 3 to
// 8 are drawn against channel 1's axis.
void TForm1::ApplyChartRanges()
{
    const double xMax = ReadRangeEdit(ui->GraphXmaxEdit);
    SlowDisplayFeed::Ranges y;
    y.YMax1 = ReadRangeEdit(ui->GraphYmaxEdit);
    y.YMin1 = ReadRangeEdit(ui->GraphYminEdit);
    y.YMax2 = ReadRangeEdit(ui->GraphY2maxEdit);
    y.YMin2 = ReadRangeEdit(ui->GraphY2minEdit);
    SetChannelRanges(*ui->RChart1, xMax, y);
}
