// The File and Tools menus: fast display file, bitmap, CSV export, slow display session,
// clipboard; and the windows opened from the Mathematic and Info menus.
#include "app/window/main_window.h"

#include "app/run/channel_samples.h"
#include "app/tools/help_window.h"
#include "app/tools/info_window.h"
#include "app/tools/statistics_window.h"
#include "app/tools/version_check.h"
#include "app/window/csv_export.h"
#include "chart/rchart.h"
#include "instruments/trend.h"
#include "platform/exception.h"
#include "platform/system_file.h"
#include "platform/user_interface.h"
#include "ui_main_window.h"

#include <vector>

namespace {

std::vector<TChartItem> ItemsOf(const TRChart &chart)
{
    std::vector<TChartItem> items(static_cast<size_t>(chart.ItemCount()));
    for (int i = 0; i < chart.ItemCount(); ++i)
        chart.GetItem(i, items[static_cast<size_t>(i)]);
    return items;
}

// The session file operations return the runtime's I/O code; a failure is shown, not ignored.
void ReportIoResult(int code)
{
    if (code != 0)
        throw EInOutError(code);
}

// A file whose end was cut loaded its whole records; the user is told that the rest is missing.
void ReportCutEnd(const QString &fileName, std::size_t recordSize)
{
    if (const QString notice = CutEndNotice(fileName, recordSize); !notice.isEmpty())
        ShowInformation(notice);
}

} // namespace

void TForm1::Grafikdrucken1Click()
{
    const QString name = ChooseFileName(FileNameSource::Purpose::SaveBitmap);
    if (!name.isEmpty())
        ui->RChart1->SaveAsBitmap(name, true);
}

void TForm1::ErfassungSpeichernClick()
{
    const QString name = ChooseFileName(FileNameSource::Purpose::SaveFastDisplay);
    if (!name.isEmpty())
        ui->RChart1->SaveData(name);
}

void TForm1::ErfassungladenClick()
{
    const QString name = ChooseFileName(FileNameSource::Purpose::LoadFastDisplay);
    if (name.isEmpty())
        return;
    ui->RChart1->LoadData(name, true);
    ReportCutEnd(name, sizeof(TChartItem));
}

void TForm1::DatenExportimCSVFormat1Click()
{
    const QString name = ChooseFileName(FileNameSource::Purpose::ExportCsv);
    if (name.isEmpty())
        return;
    const char separator = ChosenSeparator('\0');
    const std::vector<TChartItem> items = ItemsOf(*ui->RChart1);
    QByteArray bytes;
    if (ui->Ch1RadioButton->isChecked())
        bytes = CsvExport::OneChannel(
                LayerSamples(items.data(), static_cast<int>(items.size()), 1));
    if (ui->CH2RadioButton->isChecked())
        bytes = CsvExport::TwoChannels(items.data(), static_cast<int>(items.size()), separator);
    if (ui->ChNRadioButton->isChecked()) {
        std::vector<std::vector<double>> columns;
        for (int layer = 1; layer <= ui->ChannelCountSpinBox->value(); ++layer)
            columns.push_back(LayerSamples(items.data(), static_cast<int>(items.size()), layer));
        bytes = CsvExport::Columns(columns, separator);
    }
    CsvExport::WriteFile(name, bytes);
}

void TForm1::SlowDisplaySitzungspeichern1Click()
{
    const QString name = ChooseFileName(FileNameSource::Purpose::SaveSlowDisplay);
    if (!name.isEmpty())
        ReportIoResult(ui->AbTrend1->SaveToFile(name));
}

void TForm1::SlowDisplaySitzungladen1Click()
{
    const QString name = ChooseFileName(FileNameSource::Purpose::LoadSlowDisplay);
    if (name.isEmpty())
        return;
    if (const int code = ui->AbTrend1->LoadFromFile(name); code != 0)
        throw EInOutError(code, OpenFailureMessage(name, code));
    ReportCutEnd(name, kTrendRecordSize);
}

void TForm1::ToolsCopyFDClipboardClick()
{
    ui->RChart1->CopyToClipboard(true);
}

void TForm1::MenueStatisticsClick()
{
    if (m_statistics)
        m_statistics->ShowModal();
}

void TForm1::BtnHilfeClick()
{
    if (m_helpWindow)
        m_helpWindow->ShowWindow();
}

void TForm1::Info2Click()
{
    if (m_infoWindow)
        m_infoWindow->ShowWindow();
}

void TForm1::BtnCheckNewVersionClick()
{
    m_versionCheck->CheckForNewVersion();
}
