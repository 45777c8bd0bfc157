// Reading the window's controls into the settings of a run, once per Start. Every field is
// converted before anything changes; one that does not convert raises with the field's name and
// gets the focus.
#include "app/window/main_window.h"

#include "app/run/run_settings.h"
#include "app/window/channel_table.h"
#include "platform/exception.h"
#include "platform/number_text.h"
#include "serial/com_combo_box.h"
#include "ui_main_window.h"

#include <cstdlib>
#include <functional>

namespace {

// A field: its text, the label that names it and the page of the tab widget it sits on. A cell
// of the channel table is named by its channel and column.
struct Field
{
    QWidget *Control = nullptr;
    QString Text;
    QString Label;
    QTabWidget *Tabs = nullptr;
    QWidget *Page = nullptr;
    std::function<void()> Show; // brings a cell into view
};

QString FieldName(const Field &field)
{
    const QString page = field.Tabs->tabText(field.Tabs->indexOf(field.Page)).trimmed();
    return QStringLiteral("%1 › %2").arg(page, field.Label.trimmed());
}

// Runs the conversion; its error names the field, which is shown and focused.
template<typename Convert>
auto Converted(const Field &field, Convert convert)
{
    try {
        return convert(field.Text);
    } catch (const EConvertError &error) {
        const int index = field.Tabs->indexOf(field.Page);
        if (field.Tabs->isTabVisible(index) && field.Tabs->isTabEnabled(index)) {
            field.Tabs->setCurrentIndex(index);
            if (field.Show)
                field.Show();
            field.Control->setFocus();
        }
        throw EConvertError(QStringLiteral("%1: %2").arg(FieldName(field), error.Message()));
    }
}

float ReadSingle(const Field &field)
{
    return static_cast<float>(
            Converted(field, [](const QString &text) { return TypedFieldToFloat(text); }));
}

double ReadDouble(const Field &field)
{
    return Converted(field, [](const QString &text) { return TypedFieldToFloat(text); });
}

int ReadInt(const Field &field)
{
    return Converted(field, [](const QString &text) { return StrToInt(text); });
}

} // namespace

RunSettings TForm1::ReadRunSettings()
{
    Ui::TForm1 &f = *ui;
    const auto settingsField = [&f](QLineEdit *edit, const QLabel *label, QWidget *page) {
        return Field {edit, edit->text(), label->text(), f.SettingsPages, page, {}};
    };
    const auto comboField
            = [](QComboBox *box, const QLabel *label, QTabWidget *tabs, QWidget *page) {
                  return Field {box, box->currentText(), label->text(), tabs, page, {}};
              };
    const auto cellField = [&f, this](int channel, ChannelTable::Column column) {
        return Field {f.ChannelTable,
                      m_channelTable->Text(channel, column),
                      tr("Kanal %1").arg(channel) + QLatin1Char(' ')
                              + m_channelTable->ColumnTitle(column),
                      f.SettingsPages,
                      f.SheetKanal3bis8,
                      [this, channel, column] { m_channelTable->ShowCell(channel, column); }};
    };

    RunSettings settings;
    settings.Page = ActivePage();
    settings.Port.Name = f.ComComboBox1->Text();
    settings.Port.BaudRate
            = ReadInt(comboField(f.ComboBoxBaud, f.Label1, f.SettingsPages, f.SheetCOM));

    DecodeSettings &decode = settings.Decode;
    decode.ChannelCount = ChosenChannelCount();
    decode.Separator = ChosenSeparator(State().Separator);
    decode.Scale1 = ReadSingle(settingsField(f.DatSkalEdit, f.LabelDatSkalEdit1, f.SheetKanal1));
    decode.Offset1
            = ReadSingle(settingsField(f.DatOffsetEdit, f.LabelDatOffsetEdit2, f.SheetKanal1));
    decode.Scale2 = ReadSingle(settingsField(f.DatSkal2Edit, f.LabelDatSkal2Edit6, f.SheetKanal2));
    decode.Offset2
            = ReadSingle(settingsField(f.DatOffset2Edit, f.LabelDatOffset2Edit7, f.SheetKanal2));
    // Only the channels the run decodes: a cell on a hidden page does not hold up a run.
    for (int channel = 3; channel <= settings.ChannelCount(); ++channel) {
        decode.SetScale(channel, ReadSingle(cellField(channel, ChannelTable::kScale)));
        decode.SetOffset(channel, ReadSingle(cellField(channel, ChannelTable::kOffset)));
    }
    for (int channel = 1; channel <= kMaxChannels; ++channel) {
        RunSettings::Channel &c = settings.Channels[size_t(channel - 1)];
        c.Name = TypedChannelName(channel);
        c.Shown = channel == 1 ? f.Ch1VisibleCheckBox->isChecked()
                : channel == 2 ? f.Ch2VisibleCheckBox->isChecked()
                               : m_channelTable->Visible(channel);
    }

    RunSettings::FastDisplay &fast = settings.Fast;
    fast.TrendMode = f.TrendCheckBox->isChecked();
    fast.MaxSamples = static_cast<std::uint32_t>(ReadInt(
            comboField(f.ComboBoxMaxSamples, f.LabelMaxSamples, f.SettingsPages, f.SheetCOM)));
    if (settings.Page == TDisplayPage::dpFastDisplay) {
        fast.UpdateIntervalMs = ReadInt(
                comboField(f.ComboBoxUpdateRate, f.LabelUpdateRate, f.SettingsPages, f.SheetCOM));
    }
    fast.Caption = f.ProjektNameEdit->text();
    fast.XMax = ReadDouble(settingsField(f.GraphXmaxEdit, f.LabelXmax, f.SheetCOM));
    fast.YMax1 = ReadDouble(settingsField(f.GraphYmaxEdit, f.LabelGraphYmaxEdit3, f.SheetKanal1));
    fast.YMin1 = ReadDouble(settingsField(f.GraphYminEdit, f.LabelGraphYminEdit4, f.SheetKanal1));
    fast.YMax2 = ReadDouble(settingsField(f.GraphY2maxEdit, f.LabelGraphY2maxEdit8, f.SheetKanal2));
    fast.YMin2 = ReadDouble(settingsField(f.GraphY2minEdit, f.LabelGraphY2minEdit9, f.SheetKanal2));

    RunSettings::SlowDisplay &slow = settings.Slow;
    slow.PortMode = f.CheckBoxPort->isChecked();
    slow.Flow = f.CheckBoxFlowTrend->isChecked();
    slow.ThickCh1 = f.CheckBoxThickCh1->isChecked();
    slow.ThickCh2 = f.CheckBoxThickCh2->isChecked();
    slow.MeterChannels = {f.ComboBoxMeter1Channel->currentIndex() + 1,
                          f.ComboBoxMeter2Channel->currentIndex() + 1};
    if (settings.Page == TDisplayPage::dpSlowDisplay) {
        const Field maxRecords = comboField(f.ComboBoxMaxRec, f.LabelMaxRec, f.PageControl2,
                                            f.TabSheetSlowDisplay);
        // The low 32 bits of the number typed.
        slow.MaxRecords = static_cast<std::int32_t>(
                Converted(maxRecords, [](const QString &text) { return StrToInt64(text); }));
        // Whole seconds only: "0.5" gives 0, which leaves the interval the combo chose.
        const std::int64_t seconds = LeadingDigitsToInt(f.ComboBoxTrendInterval->currentText());
        slow.IntervalMs = static_cast<int>(std::abs(seconds * 1000));
    }
    return settings;
}

double TForm1::ReadRangeEdit(QLineEdit *edit)
{
    Ui::TForm1 &f = *ui;
    const struct
    {
        QLineEdit *Edit;
        const QLabel *Label;
        QWidget *Page;
    } ranges[] = {
            {f.GraphXmaxEdit, f.LabelXmax, f.SheetCOM},
            {f.GraphYmaxEdit, f.LabelGraphYmaxEdit3, f.SheetKanal1},
            {f.GraphYminEdit, f.LabelGraphYminEdit4, f.SheetKanal1},
            {f.GraphY2maxEdit, f.LabelGraphY2maxEdit8, f.SheetKanal2},
            {f.GraphY2minEdit, f.LabelGraphY2minEdit9, f.SheetKanal2},
    };
    for (const auto &range : ranges) {
        if (range.Edit == edit)
            return ReadDouble(Field {
                    edit, edit->text(), range.Label->text(), f.SettingsPages, range.Page, {}});
    }
    return TypedFieldToFloat(edit->text());
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
