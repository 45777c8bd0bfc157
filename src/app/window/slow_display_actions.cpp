// The slow display's settings panel: recording interval, jumps through the history, the
// value-at-cursor indicators and the line thickness.
#include "app/window/main_window.h"

#include "app/run/slow_display_feed.h"
#include "instruments/trend.h"
#include "instruments/value_indicator.h"
#include "ui_main_window.h"

#include <array>
#include <utility>

void TForm1::ComboBoxTrendIntervalChange()
{
    static const std::array<std::pair<const char *, int>, 9> intervals = {{{"0.1", 100},
                                                                           {"0.2", 200},
                                                                           {"0.5", 500},
                                                                           {"1", 1000},
                                                                           {"2", 2000},
                                                                           {"5", 5000},
                                                                           {"10", 10000},
                                                                           {"30", 30000},
                                                                           {"60", 60000}}};
    const QString text = ui->ComboBoxTrendInterval->currentText();
    for (const auto &[entry, ms] : intervals) {
        if (text == QLatin1String(entry))
            ui->AbTrend1->SetInterval(ms);
    }
}

namespace {
void Jump(TAbTrend &trend, QCheckBox &flow, int columns)
{
    trend.ScrollRecords(columns * trend.GridXPixel());
    flow.setChecked(false);
}
} // namespace

void TForm1::BigJumpRevBtnClick()
{
    Jump(*ui->AbTrend1, *ui->CheckBoxFlowTrend, -4);
}

void TForm1::JumpRevBtnClick()
{
    Jump(*ui->AbTrend1, *ui->CheckBoxFlowTrend, -1);
}

void TForm1::JumpFwdBtnClick()
{
    Jump(*ui->AbTrend1, *ui->CheckBoxFlowTrend, 1);
}

void TForm1::BigJumpFwdBtnClick()
{
    Jump(*ui->AbTrend1, *ui->CheckBoxFlowTrend, 4);
}

// The readouts show the values under the cursor line while the person holds it over a record,
// and the newest values otherwise.
void TForm1::AbTrend1NewCursorPos()
{
    const TAbTrend &trend = *ui->AbTrend1;
    if (!trend.CursorShown()) {
        m_acquisition->SlowDisplay().ShowNewestInReadouts();
        return;
    }
    const auto &cursor = trend.ValueAtCursor();
    if (!cursor.DataValid()) {
        ui->AbValueInd1->ClearValue(); // a separator under the cursor
        ui->AbValueInd2->ClearValue();
        return;
    }
    // Each readout shows the channel of the meter above it; one the run lacks shows no value.
    const std::pair<TAbValueInd *, int> readouts[] = {{ui->AbValueInd1, 1}, {ui->AbValueInd2, 2}};
    for (const auto &[readout, meter] : readouts) {
        const int channel = m_acquisition->SlowDisplay().MeterChannel(meter);
        if (channel <= State().ChannelCount)
            readout->SetValue(cursor.ValueCh(channel));
        else
            readout->ClearValue();
    }
}

void TForm1::CheckBoxThickCh1Click()
{
    ui->AbTrend1->Channel1().SetPenWidth(ui->CheckBoxThickCh1->isChecked() ? 2 : 1);
}

void TForm1::CheckBoxThickCh2Click()
{
    ui->AbTrend1->Channel2().SetPenWidth(ui->CheckBoxThickCh2->isChecked() ? 2 : 1);
}
