#include "chart/bmp_writer.h"
#include "chart/chart_file_io.h"
#include "chart/rchart.h"

#include "platform/exception.h"

#include <QClipboard>
#include <QGuiApplication>

#include <climits>
#include <new>
#include <vector>

// The colours of the black-and-white export, switched on for the lifetime of the object and
// restored on every path. The scale settings change with their change notification detached,
// so switching neither repaints nor re-applies ranges; the axis controls are synchronised
// explicitly.
class TCustomRChart::BlackWhiteScheme
{
public:
    BlackWhiteScheme(TCustomRChart &chart, bool active)
        : m_chart(chart)
        , m_active(active)
    {
        if (!m_active) {
            return;
        }
        m_saved.wind = chart.m_windColor;
        m_saved.chart = chart.m_chartColor;
        m_saved.frame = chart.m_chartFrameColor;
        m_saved.font = chart.m_font.Color;
        m_saved.shadow = chart.m_shadowColor;
        m_saved.shadowBak = chart.m_shadowBakColor;
        for (int layer = 1; layer <= LayerCount; ++layer) {
            m_scales[static_cast<size_t>(layer - 1)]
                    = {Save(chart.ScaleX(layer)), Save(chart.ScaleY(layer))};
        }
        Apply({clWhite, clWhite, clBlack, clBlack, clSilver, clWhite}, nullptr);
    }

    ~BlackWhiteScheme()
    {
        if (!m_active) {
            return;
        }
        try {
            Apply(m_saved, &m_scales);
        } catch (const Exception &) {
            // The colours are back; an axis error shows at the next paint.
        }
    }

    BlackWhiteScheme(const BlackWhiteScheme &) = delete;
    BlackWhiteScheme &operator=(const BlackWhiteScheme &) = delete;

private:
    struct Colours
    {
        TColor wind, chart, frame, font, shadow, shadowBak;
    };
    struct ScaleColours
    {
        TColor line, font;
    };
    using LayerColours = std::array<std::array<ScaleColours, 2>, LayerCount>;

    static ScaleColours Save(const TScaleProps &props)
    {
        return {props.ColorScale(), props.Font().Color};
    }

    static void Put(TScaleProps &props, ScaleColours colours)
    {
        const auto onChange = std::move(props.OnChange);
        props.OnChange = nullptr;
        props.SetColorScale(colours.line);
        TFont font = props.Font();
        font.Color = colours.font;
        props.SetFont(font);
        props.OnChange = onChange;
    }

    // scales == nullptr: every scale in black.
    void Apply(const Colours &c, const LayerColours *scales)
    {
        m_chart.m_windColor = c.wind;
        m_chart.m_chartColor = c.chart;
        m_chart.m_chartFrameColor = c.frame;
        m_chart.m_font.Color = c.font;
        m_chart.m_shadowColor = c.shadow;
        m_chart.m_shadowBakColor = c.shadowBak;
        for (int layer = 1; layer <= LayerCount; ++layer) {
            const auto i = static_cast<size_t>(layer - 1);
            Put(m_chart.ScaleX(layer), scales ? (*scales)[i][0] : ScaleColours {clBlack, clBlack});
            Put(m_chart.ScaleY(layer), scales ? (*scales)[i][1] : ScaleColours {clBlack, clBlack});
        }
        m_chart.SyncAxes();
    }

    TCustomRChart &m_chart;
    bool m_active;
    Colours m_saved {};
    LayerColours m_scales {};
};

void TCustomRChart::SaveData(const QString &fileName)
{
    TChartFile file(fileName, TChartFile::Mode::Create);
    if (ItemCount() > 0) {
        file.Write(std::string_view(reinterpret_cast<const char *>(Items()),
                                    static_cast<size_t>(ItemCount()) * sizeof(TChartItem)));
    }
    file.Close();
}

void TCustomRChart::LoadData(const QString &fileName, bool append)
{
    TChartFile file(fileName, TChartFile::Mode::Read);
    const std::int64_t records = file.Size() / static_cast<std::int64_t>(sizeof(TChartItem));
    const std::int64_t kept = append ? ItemCount() : 0;
    if (records > INT_MAX - kept) {
        throw EOutOfMemory();
    }
    std::vector<TChartItem> buffer;
    try {
        buffer.resize(static_cast<size_t>(records));
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

void TCustomRChart::RenderExport(bool blackWhite)
{
    SyncSize();
    QImage data(m_dataImage.size(), QImage::Format_RGB32);
    DrawFrame(m_controlImage);
    DrawDataBackground(data, 0, 0);
    RenderItems(data, 0, 0, blackWhite, 0);
    CopyDataIntoControl(data);
}

// Runs an export with painting suppressed and the colour scheme switched; afterwards painting is
// allowed again without repainting the window, also when the export failed.
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
            chart.TChartModel::SuppressPaint(false);
            quietPaint = false;
        }
    } release {chart, quietPaint};
    chart.TChartModel::SuppressPaint(true);
    write();
}

void TCustomRChart::SaveAsBitmap(const QString &fileName, bool blackWhite)
{
    WithExportPicture(*this, m_quietPaint, [&] {
        BlackWhiteScheme scheme(*this, blackWhite);
        RenderExport(blackWhite);
        WriteBmpFile(BitmapFileName(fileName), m_controlImage);
    });
}

void TCustomRChart::CopyToClipboard(bool blackWhite)
{
    WithExportPicture(*this, m_quietPaint, [&] {
        BlackWhiteScheme scheme(*this, blackWhite);
        RenderExport(blackWhite);
        QGuiApplication::clipboard()->setImage(m_controlImage);
    });
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
