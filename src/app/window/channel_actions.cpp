// The channels: how many a packet carries, each one's settings (channels 1 and 2 on their own
// pages, 3 to 8 in the table), which ones show, the fast display's legend and the channels the
// slow display's meters show.
#include "app/window/main_window.h"

#include "app/run/channel_colors.h"
#include "app/run/channel_samples.h"
#include "app/run/run_settings.h"
#include "app/run/slow_display_feed.h"
#include "app/window/channel_legend.h"
#include "app/window/channel_table.h"
#include "chart/rchart.h"
#include "instruments/trend.h"
#include "instruments/value_indicator.h"
#include "instruments/vmeter.h"
#include "platform/number_text.h"
#include "ui_main_window.h"

#include <QSignalBlocker>

void TForm1::SetupChannels()
{
    m_channelTable = new ChannelTable(*ui->ChannelTable);
    m_legend = new ChannelLegend(*ui->RChart1);
    // Flowing records enter on the right: the trend's legend keeps to the left.
    m_trendLegend = new ChannelLegend(*ui->AbTrend1, Qt::TopLeftCorner);
    m_trendLegend->FollowPlot([trend = ui->AbTrend1] { return trend->PlotRect(); });
    for (int channel = 1; channel <= kMaxChannels; ++channel) {
        ui->RChart1->SetBlackWhitePattern(channel, kChannelBlackWhitePatterns[size_t(channel - 1)]);
        ui->AbTrend1->Channel(channel).SetColor(ChannelColor(channel));
    }
    connect(m_channelTable, &ChannelTable::ChannelChanged, this, [this] {
        ChannelVisibilityChange();
        ChannelNamesChange();
    });
    for (QCheckBox *shown : {ui->Ch1VisibleCheckBox, ui->Ch2VisibleCheckBox})
        connect(shown, &QCheckBox::toggled, this, &TForm1::ChannelVisibilityChange);
    for (QLineEdit *name : {ui->Ch1NameEdit, ui->Ch2NameEdit})
        connect(name, &QLineEdit::textChanged, this, &TForm1::ChannelNamesChange);
    connect(ui->ChNRadioButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            ChNRadioButtonClick();
    });
    connect(ui->ChannelCountSpinBox, &QSpinBox::valueChanged, this,
            &TForm1::ChannelCountSpinBoxChange);
    for (QComboBox *pick : {ui->ComboBoxMeter1Channel, ui->ComboBoxMeter2Channel})
        connect(pick, &QComboBox::currentIndexChanged, this, &TForm1::ComboBoxMeterChannelChange);
}

int TForm1::ChosenChannelCount() const
{
    if (ui->CH2RadioButton->isChecked())
        return 2;
    if (ui->ChNRadioButton->isChecked())
        return ui->ChannelCountSpinBox->value();
    return 1;
}

void TForm1::ChNRadioButtonClick()
{
    ApplyChannelCount(ui->ChannelCountSpinBox->value());
    ui->ComboBoxUpdateRate->setCurrentText(QStringLiteral("1000"));
}

// Picking a count picks "3 to 8" as well.
void TForm1::ChannelCountSpinBoxChange()
{
    if (ui->ChNRadioButton->isChecked())
        ApplyChannelCount(ui->ChannelCountSpinBox->value());
    else
        ui->ChNRadioButton->setChecked(true);
}

void TForm1::ApplyChannelCount(int channels)
{
    m_acquisition->SetChannelCount(channels);
    SetChannelHint(channels);
    TRChart &chart = *ui->RChart1;
    chart.SetMarginLeft(channels >= 2 ? 160 : 80);
    chart.Scale2Y().SetVisible(channels >= 2);
    m_channelTable->SetChannelCount(channels);
    FillMeterPickers();
    ApplyChannelVisibility();
    if (channels >= 2)
        chart.Redraw();
    UpdateWindowState();
}

QString TForm1::ChannelName(int channel) const
{
    return ChannelDisplayName(channel, TypedChannelName(channel));
}

QString TForm1::TypedChannelName(int channel) const
{
    return channel == 1    ? ui->Ch1NameEdit->text()
            : channel == 2 ? ui->Ch2NameEdit->text()
                           : m_channelTable->Name(channel);
}

bool TForm1::ChannelShown(int channel) const
{
    if (channel > m_acquisition->State().ChannelCount)
        return false;
    if (channel == 1)
        return ui->Ch1VisibleCheckBox->isChecked();
    if (channel == 2)
        return ui->Ch2VisibleCheckBox->isChecked();
    return m_channelTable->Visible(channel);
}

void TForm1::ChannelVisibilityChange()
{
    ApplyChannelVisibility();
    ui->RChart1->Redraw();
}

// The chart's layers and the trend's channels follow the channel count and the ticks. A
// channel that is not shown is still decoded, drawn into the display list and exported.
void TForm1::ApplyChannelVisibility()
{
    TRChart &chart = *ui->RChart1;
    TAbTrend &trend = *ui->AbTrend1;
    for (int channel = 1; channel <= kMaxChannels; ++channel) {
        const bool shown = ChannelShown(channel);
        chart.SetLayerVisible(channel, shown);
        trend.Channel(channel).SetVisible(shown);
    }
    UpdateLegend(std::nullopt);
}

// With two channels or more the fast display's legend names each shown one, with its value at
// the cursor; the slow display's names them from three channels on (its scales name the first
// two).
void TForm1::UpdateLegend(std::optional<double> cursorX)
{
    std::vector<ChannelLegend::Entry> entries;
    const int channels = State().ChannelCount;
    const TRChart &chart = *ui->RChart1;
    for (int channel = 1; channels >= 2 && channel <= channels; ++channel) {
        if (!ChannelShown(channel))
            continue;
        ChannelLegend::Entry entry {ChannelName(channel), ChannelColor(channel), std::nullopt};
        if (cursorX)
            entry.Value = LayerValueAt(chart.Items(), chart.ItemCount(), channel, *cursorX);
        entries.push_back(std::move(entry));
    }
    m_legend->SetPlotCorner(chart.MarginRight(), chart.MarginTop());
    m_legend->SetEntries(std::move(entries));

    std::vector<ChannelLegend::Entry> trendEntries;
    for (int channel = 1; channels >= 3 && channel <= channels; ++channel) {
        if (ChannelShown(channel))
            trendEntries.push_back({ChannelName(channel), ChannelColor(channel), std::nullopt});
    }
    m_trendLegend->SetEntries(std::move(trendEntries));
}

// A name typed for a channel shows at once wherever the channel is named.
void TForm1::ChannelNamesChange()
{
    UpdateLegend(std::nullopt);
    const int channels = State().ChannelCount;
    for (QComboBox *pick : {ui->ComboBoxMeter1Channel, ui->ComboBoxMeter2Channel}) {
        for (int channel = 1; channel <= channels && channel <= pick->count(); ++channel)
            pick->setItemText(channel - 1, ChannelName(channel));
    }
    SlowDisplayFeed &slow = m_acquisition->SlowDisplay();
    for (int meter = 1; meter <= 2; ++meter)
        slow.SetMeterName(meter, ChannelName(slow.MeterChannel(meter)));
}

// The pickers offer the channels of the run by name. A picker whose channel the run lacks
// shows channel 1, and its channel again when the run has it once more.
void TForm1::FillMeterPickers()
{
    const int channels = State().ChannelCount;
    QComboBox *pickers[] = {ui->ComboBoxMeter1Channel, ui->ComboBoxMeter2Channel};
    for (int meter = 1; meter <= 2; ++meter) {
        QComboBox &pick = *pickers[meter - 1];
        const QSignalBlocker quiet(&pick); // not the person's pick
        pick.clear();
        for (int channel = 1; channel <= channels; ++channel)
            pick.addItem(ChannelName(channel));
        const int wanted = m_meterPicks[size_t(meter - 1)];
        pick.setCurrentIndex(wanted <= channels ? wanted - 1 : 0);
    }
    ShowMeterChannels();
}

void TForm1::ComboBoxMeterChannelChange()
{
    m_meterPicks = {ui->ComboBoxMeter1Channel->currentIndex() + 1,
                    ui->ComboBoxMeter2Channel->currentIndex() + 1};
    ShowMeterChannels();
}

// The meters and readouts show the pickers' channels; a meter that keeps its channel keeps
// its range and value.
void TForm1::ShowMeterChannels()
{
    SlowDisplayFeed &slow = m_acquisition->SlowDisplay();
    const int meter1 = ui->ComboBoxMeter1Channel->currentIndex() + 1;
    const int meter2 = ui->ComboBoxMeter2Channel->currentIndex() + 1;
    const bool changed1 = meter1 != slow.MeterChannel(1);
    const bool changed2 = meter2 != slow.MeterChannel(2);
    slow.SetMeterChannels(meter1, meter2);
    if (changed1)
        ShowMeterChannel(1);
    if (changed2)
        ShowMeterChannel(2);
    ChannelNamesChange();
    AbTrend1NewCursorPos();
}

// A meter takes the range of its channel from the edits as they are now.
void TForm1::ShowMeterChannel(int meter)
{
    SlowDisplayFeed::Ranges ranges;
    ranges.YMin1 = ReadRangeEdit(ui->GraphYminEdit);
    ranges.YMax1 = ReadRangeEdit(ui->GraphYmaxEdit);
    ranges.YMin2 = ReadRangeEdit(ui->GraphY2minEdit);
    ranges.YMax2 = ReadRangeEdit(ui->GraphY2maxEdit);
    SlowDisplayFeed &slow = m_acquisition->SlowDisplay();
    slow.ShowMeterChannel(meter, ChannelName(slow.MeterChannel(meter)), ranges,
                          ui->CheckBoxPort->isChecked());
}
