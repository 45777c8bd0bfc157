#include "chart/bmp_writer.h"
#include "chart/rchart.h"

#include "platform/exception.h"
#include "platform/system_file.h"

#include <QClipboard>
#include <QGuiApplication>

#include <climits>
#include <new>
#include <vector>

void TCustomRChart::SaveData(const QString &fileName)
{
    TSystemFile file(fileName, TSystemFile::Mode::Create);
    if (ItemCount() > 0) {
        file.Write(std::string_view(reinterpret_cast<const char *>(Items()),
                                    static_cast<size_t>(ItemCount()) * sizeof(TChartItem)));
    }
    file.Close();
}

void TCustomRChart::LoadData(const QString &fileName, bool append)
{
    TSystemFile file;
    TRecordCount count;
    // The items are read into a buffer and then copied into the list: twice their size.
    if (const int code
        = file.OpenRecords(fileName, sizeof(TChartItem), 2 * sizeof(TChartItem), count);
        code != 0)
        throw EInOutError(code, OpenFailureMessage(fileName, code));
    const std::int64_t kept = append ? ItemCount() : 0;
    if (count.Records > INT_MAX - kept) {
        throw EOutOfMemory();
    }
    std::vector<TChartItem> buffer;
    try {
        buffer.resize(static_cast<size_t>(count.Records));
    } catch (const std::bad_alloc &) {
        throw EOutOfMemory();
    }
    const size_t bytes = file.Read(reinterpret_cast<char *>(buffer.data()),
                                   buffer.size() * sizeof(TChartItem));
    file.Close();
    // Read into a buffer first: a failed read leaves the list exactly as it was.
    LoadItems(buffer.data(), static_cast<int>(bytes / sizeof(TChartItem)), append);
    Paint();
}

QImage TCustomRChart::RenderExport(bool blackWhite)
{
    SyncSize();
    const TChartPalette palette = blackWhite ? BlackWhitePalette() : LivePalette();
    QImage picture(m_controlImage.size(), m_controlImage.format());
    QImage data(m_dataImage.size(), QImage::Format_RGB32);
    DrawFrame(picture, palette);
    DrawPlotBackground(data, palette);
    RenderItems(data, 0, 0, blackWhite, 0);
    CopyDataInto(picture, data);
    return picture;
}

// Runs an export with painting suppressed; afterwards painting is allowed again without
// repainting the window, also when the export failed.
template<typename Write>
void WithExportPicture(TCustomRChart &chart, bool &quietPaint, Write write)
{
    struct Release
    {
        TCustomRChart &chart;
        bool &quietPaint;
        ~Release()
        {
            quietPaint = true;
            chart.Model().SuppressPaint(false);
            quietPaint = false;
        }
    } release {chart, quietPaint};
    chart.Model().SuppressPaint(true);
    write();
}

void TCustomRChart::SaveAsBitmap(const QString &fileName, bool blackWhite)
{
    WithExportPicture(*this, m_quietPaint,
                      [&] { WriteBmpFile(BitmapFileName(fileName), RenderExport(blackWhite)); });
}

void TCustomRChart::CopyToClipboard(bool blackWhite)
{
    WithExportPicture(*this, m_quietPaint,
                      [&] { QGuiApplication::clipboard()->setImage(RenderExport(blackWhite)); });
}

QString BitmapFileName(const QString &fileName)
{
    if (fileName.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive)) {
        return fileName;
    }
    const qsizetype nameStart = fileName.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= nameStart) { // no extension, or a name that starts with its only dot
        return fileName + QStringLiteral(".bmp");
    }
    return fileName.left(dot) + QStringLiteral(".bmp");
}
