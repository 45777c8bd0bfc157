#include "instruments/draw_helpers.h"
#include "instruments/trend.h"

#include "platform/date_time.h"

#include <QApplication>
#include <QLocale>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

QRect ToQRect(const TTrendRect &r)
{
    return {r.Left, r.Top, r.Width(), r.Height()};
}

TTrendRect ToTrendRect(const QRect &r)
{
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

QFont Aliased(QFont font)
{
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The plot keeps the platform's user-interface font at 8 pt for its time labels.
QFont PlotFont()
{
    QFont font = QApplication::font();
    font.setPointSize(8);
    return Aliased(font);
}

QPen CosmeticPen(TColor color, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(ToQColor(color), 1, style);
    pen.setCosmetic(true);
    return pen;
}

// Copies area of source (both RGB32) so that its top-left lands at at, clipped to both images.
void CopyPixels(const QImage &source, const QRect &area, QImage &target, QPoint at)
{
    const QPoint shift = at - area.topLeft();
    const QRect to = (area & source.rect()).translated(shift) & target.rect();
    if (to.isEmpty())
        return;
    const QRect from = to.translated(-shift);
    const auto bytes = static_cast<std::size_t>(to.width()) * 4;
    for (int row = 0; row < to.height(); ++row)
        std::memcpy(target.scanLine(to.y() + row) + static_cast<std::size_t>(to.x()) * 4,
                    source.constScanLine(from.y() + row) + static_cast<std::size_t>(from.x()) * 4,
                    bytes);
}

// Fills a rectangle of an RGB32 image, clipped to it: the staircase curves consist of nothing
// but horizontal and vertical runs, which this draws far faster than general line stroking.
void FillPixels(QImage &image, const QRect &rect, QRgb color)
{
    const QRect r = rect & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::fill(row + r.left(), row + r.right() + 1, color);
    }
}

// A horizontal or vertical run from (x0, y0) to (x1, y1), both ends included, penWidth thick.
void DrawRun(QImage &image, int x0, int y0, int x1, int y1, int penWidth, QRgb color)
{
    const int lo = penWidth / 2;
    FillPixels(image,
               QRect(std::min(x0, x1) - lo, std::min(y0, y1) - lo, std::abs(x1 - x0) + penWidth,
                     std::abs(y1 - y0) + penWidth),
               color);
}

} // namespace

void TAbTrend::Invalidate()
{
    m_fullPaintPending = true;
    update();
}

void TAbTrend::SettingsChanged()
{
    if (!m_paintedOnce)
        return;
    if (!Shown()) {
        m_fullPaintPending = true;
        return;
    }
    Paint();
    update();
}

void TAbTrend::resizeEvent(QResizeEvent *)
{
    m_fullPaintPending = true;
}

void TAbTrend::showEvent(QShowEvent *)
{
    m_fullPaintPending = true;
}

// The trend covers all of its area (the widget is opaque, so Qt paints nothing beneath it):
// under the update lock it shows its last picture, or the window colour while it has none.
void TAbTrend::paintEvent(QPaintEvent *event)
{
    if (UpdateCount() == 0 && (m_fullPaintPending || m_screen.size() != size()))
        Paint();
    QPainter painter(this);
    if (m_screen.size() == size())
        painter.drawImage(event->rect(), m_screen, event->rect());
    else
        painter.fillRect(event->rect(), palette().color(QPalette::Window));
}

QString TAbTrend::LabelListOf(int channel) const
{
    if (channel == 0)
        return BuildLabelList(m_gridYSteps, QStringLiteral("##0.#"), 100, 0);
    const TChSettings &ch = Channel(channel);
    return BuildLabelList(m_gridYSteps, ch.ValueFormat(), ch.ValueTo(), ch.ValueFrom());
}

QString TAbTrend::UnitOf(int channel) const
{
    return channel == 0 ? QStringLiteral("%") : Channel(channel).ValueUnit();
}

// The full repaint: frame, caption or unit row, both scales, then the plot from ViewStart.
void TAbTrend::Paint()
{
    m_paintedOnce = true;
    m_fullPaintPending = false;
    m_prevCursorX = 0;
    m_lineOnScreen = false;
    m_screen = MakeImage(size(), this);
    if (width() < 1 || height() < 1)
        return;

    QPainter p(&m_screen);
    QRect a = rect();
    m_bevelOuter.Paint(p, a);
    QString leftLabels = LabelListOf(m_leftScaleCh);
    QString rightLabels = LabelListOf(m_absScaleCh);
    const TTrendFrameLayout layout = LayoutFrame(p, a, leftLabels, rightLabels);
    PaintScales(p, layout, leftLabels, rightLabels);
    QRect plot = ToQRect(layout.ScaleArea);
    m_bevelInner.Paint(p, plot);
    m_plotRect = plot;
    m_visibleRecords = m_plotRect.width();
    p.end();

    PrepareBackground(true);
    if (!m_records.Empty())
        DrawRecords(m_viewStart, m_records.Count() - 1);
    if (!m_plot.isNull())
        CopyPixels(m_plot, m_plot.rect(), m_screen, m_plotRect.topLeft());
    m_plotDirty = QRect();
}

// Measures the texts of the frame and computes where everything goes; sets the vertical
// mapping of the plot and of every channel.
TTrendFrameLayout TAbTrend::LayoutFrame(QPainter &p, const QRect &content,
                                        const QString &leftLabels, const QString &rightLabels)
{
    TTrendFrameInput in;
    in.Options = m_options;
    in.Content = ToTrendRect(content);
    in.OuterSpacing = m_bevelOuter.Spacing();
    const int border = m_bevelInner.BorderSize();
    const TAbOffset &offset = m_bevelInner.Offset();
    in.InnerInsets = {border + offset.Left(), border + offset.Top(), border + offset.Right(),
                      border + offset.Bottom()};
    in.InnerBorderSize = border;
    p.setFont(Aliased(m_captionFont.Font()));
    in.CaptionHeight = TextExtent(p, m_caption).height();
    p.setFont(Aliased(m_font.Font()));
    in.XHeight = TextExtent(p, QStringLiteral("X")).height();
    const QSize leftSize = MeasureLabelList(p, leftLabels);
    const QSize rightSize = MeasureLabelList(p, rightLabels);
    in.LeftLabelWidth = leftSize.width();
    in.LeftLabelHeight = leftSize.height();
    in.RightLabelWidth = rightSize.width();
    in.RightLabelHeight = rightSize.height();
    in.LeftScaleCh = m_leftScaleCh;
    in.AbsScaleCh = m_absScaleCh;
    const TTrendFrameLayout layout = ComputeTrendFrame(in);

    m_labelHeight = leftSize.height();
    m_zeroY = layout.ZeroY;
    m_pixelsPerMille = layout.PixelsPerMille;
    for (auto &channel : m_channels)
        if (channel->DigitalRange() != 0)
            channel->SetPixelsPerDigit(static_cast<float>(m_zeroY)
                                       / static_cast<float>(channel->DigitalRange()));
    return layout;
}

// Caption, channel labels, units, ticks and labels of both scales.
void TAbTrend::PaintScales(QPainter &p, const TTrendFrameLayout &layout, QString leftLabels,
                           QString rightLabels)
{
    const QFont font = Aliased(m_font.Font());
    const bool left = m_options.Contains(TTrendOption::opLeftScale);
    const bool right = m_options.Contains(TTrendOption::opRightScale);
    const TTrendRect &sa = layout.ScaleArea;
    p.setBrush(Qt::NoBrush);
    if (m_options.Contains(TTrendOption::opCaption)) {
        p.setFont(Aliased(m_captionFont.Font()));
        p.setPen(ToQColor(m_captionFont.Color()));
        DrawTextAligned(p, width() / 2, layout.CaptionY, 1, m_caption);
    }
    p.setFont(font);

    // Channel labels below the scales, on the plot's colour.
    p.setBrush(ToQColor(m_bevelInner.Color()));
    if (right && m_absScaleCh > 0) {
        p.setPen(ToQColor(Channel(m_absScaleCh).Color()));
        DrawTextAligned(p, layout.OuterRight, sa.Bottom, 8,
                        QStringLiteral(" Ch%1 ").arg(m_absScaleCh));
    }
    if (left && m_leftScaleCh > 0) {
        p.setPen(ToQColor(Channel(m_leftScaleCh).Color()));
        DrawTextAligned(p, sa.Left - layout.Gap, sa.Bottom, 8,
                        QStringLiteral(" Ch%1 ").arg(m_leftScaleCh));
    }

    p.setBrush(Qt::NoBrush);
    const QColor textColor = ToQColor(m_font.Color());
    p.setPen(textColor);
    if (left)
        DrawTextAligned(p, sa.Left - layout.Gap, layout.UnitY, 5, UnitOf(m_leftScaleCh));
    if (right)
        DrawTextAligned(p, layout.OuterRight, layout.UnitY, 5, UnitOf(m_absScaleCh));

    const QPen tickPen = CosmeticPen(m_bevelOuter.PenColor());
    for (int t = 0; t <= m_gridYSteps; ++t) {
        const int y = layout.PlotTop + TrendGridY(t, m_gridYSteps, m_pixelsPerMille);
        if (left) {
            p.setPen(tickPen);
            p.drawLine(sa.Left - layout.Tick, y, sa.Left - 1, y);
            p.setPen(textColor);
            DrawTextAligned(p, sa.Left - layout.Gap, y, 5, NextToken(leftLabels));
        }
        if (right) {
            p.setPen(tickPen);
            p.drawLine(sa.Right + layout.Tick, y, sa.Right + 1, y);
            p.setPen(textColor);
            DrawTextAligned(p, layout.OuterRight, y, 5, NextToken(rightLabels));
        }
    }
}

void TAbTrend::PrepareBackground(bool clear)
{
    m_nextX = 0;
    if (m_plotRect.width() < 1 || m_plotRect.height() < 1) {
        m_plot = QImage();
        m_plotDirty = QRect();
        return;
    }
    if (m_plot.size() != m_plotRect.size())
        m_plot = MakeImage(m_plotRect.size(), this);
    QPainter p(&m_plot);
    if (clear) {
        p.fillRect(m_plot.rect(), ToQColor(m_bevelInner.Color()));
        DrawLimits(p);
    }
    if (m_options.Contains(TTrendOption::opGrid))
        DrawGrid(p);
    m_plotDirty = m_plot.rect();
}

void TAbTrend::DrawLimits(QPainter &p)
{
    const int w = m_plot.width();
    for (const TTrendLimit *limit : {&m_limitUpper, &m_limitLower}) {
        if (!limit->Enabled())
            continue;
        const int y = TrendLimitY(m_zeroY, limit->Value());
        const QColor color = ToQColor(limit->Color());
        if (!limit->Filled()) {
            p.setPen(CosmeticPen(limit->Color()));
            p.drawLine(0, y, w - 1, y);
        } else if (limit == &m_limitUpper) {
            if (y > 0)
                p.fillRect(QRect(0, 0, w, y), color);
        } else if (y < m_zeroY) {
            p.fillRect(QRect(0, y, w, m_zeroY - y), color);
        }
    }
}

void TAbTrend::DrawGrid(QPainter &p)
{
    const int w = m_plot.width();
    p.setPen(CosmeticPen(m_colorGrid, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    for (int t = 0; t <= m_gridYSteps; ++t) {
        const int y = TrendGridY(t, m_gridYSteps, m_pixelsPerMille);
        p.drawLine(0, y, w - 1, y);
    }
    for (int x = 0; x < w; x += m_gridXPixel)
        p.drawLine(x, 0, x, m_zeroY - 1);
}

void TAbTrend::DrawRecords(int first, int last)
{
    if (!Shown() || m_records.Count() < 2 || m_plot.isNull())
        return;
    const TTrendPass pass
            = ComputeTrendPass(first, last, m_records.Count(), m_plot.width(), m_visibleRecords);
    m_recordInfo.m_firstDisplayedRec = pass.FirstDisplayedRec;
    m_recordInfo.m_lastDisplayedRec = pass.LastDisplayedRec;

    DrawCurves(pass);
    QPainter p(&m_plot);
    DrawSeparatorsAndTimes(p, pass);
    if (pass.LastX >= m_nextX) {
        int widest = 1;
        for (const auto &channel : m_channels)
            widest = std::max(widest, channel->PenWidth());
        const QRect columns(m_nextX - widest, 0, pass.LastX - m_nextX + 2 * widest + 1,
                            m_plot.height());
        m_plotDirty |= columns & m_plot.rect();
    }
    // A pass that found no record in view starts the next one at column 0.
    m_nextX = std::max(pass.LastX, 0);
}

// Staircase curves: a value holds until the next column, then the curve jumps vertically.
void TAbTrend::DrawCurves(const TTrendPass &pass)
{
    const int count = m_records.Count();
    if (m_nextX + m_viewStart > count - 1)
        m_viewStart = 0;
    const int start = m_viewStart + m_nextX;
    if (start < 0 || start >= count || pass.LastX < m_nextX)
        return;
    for (int k = 0; k < 8; ++k) {
        const TChSettings &channel = *m_channels[k];
        if (!channel.Visible())
            continue;
        const double ppd = channel.PixelsPerDigit();
        const QRgb color = ToQColor(channel.Color()).rgb();
        const int penWidth = std::max(channel.PenWidth(), 1);
        int prevX = m_nextX;
        int prevY = TrendWordY(m_zeroY, ppd, m_records[start].Word[k]);
        for (int x = m_nextX; x <= pass.LastX; ++x) {
            const int y = TrendWordY(m_zeroY, ppd, m_records[pass.First + x].Word[k]);
            if (x != prevX)
                DrawRun(m_plot, prevX, prevY, x, prevY, penWidth, color);
            if (y != prevY)
                DrawRun(m_plot, x, prevY, x, y, penWidth, color);
            prevX = x;
            prevY = y;
        }
    }
}

void TAbTrend::DrawSeparatorsAndTimes(QPainter &p, const TTrendPass &pass)
{
    const int h = m_plot.height();
    const bool date = m_options.Contains(TTrendOption::opDate);
    const bool time = m_options.Contains(TTrendOption::opTime);
    bool fontSet = false;
    for (int x = std::max(m_nextX, 0); x <= pass.LastX; ++x) {
        const TTrendRecord &record = m_records[pass.First + x];
        if (IsSeparator(record)) {
            p.setPen(CosmeticPen(m_colorSeparator));
            p.drawLine(x, 0, x, h - 1);
        }
        if (!IsTrendTimeLabelColumn(x, m_gridXPixel) || !(date || time))
            continue;
        if (!fontSet) {
            p.setFont(PlotFont());
            fontSet = true;
        }
        p.setPen(ToQColor(m_colorTime));
        if (m_options.Contains(TTrendOption::opGrid))
            p.setBrush(Qt::NoBrush);
        else
            p.setBrush(ToQColor(m_bevelInner.Color()));
        const QFontMetrics metrics = p.fontMetrics();
        if (date) {
            const QString text = DateLabel(record.Time);
            DrawTextAligned(p, x, h, 7, text);
            const int w = metrics.horizontalAdvance(text);
            m_plotDirty |= QRect(x - w / 2 - 1, h - metrics.height(), w + 2, metrics.height());
        }
        if (time) {
            const int bottom = date ? h - m_labelHeight : h;
            const QString text = TimeLabel(record.Time);
            DrawTextAligned(p, x, bottom, 7, text);
            const int w = metrics.horizontalAdvance(text);
            m_plotDirty |= QRect(x - w / 2 - 1, bottom - metrics.height(), w + 2, metrics.height());
        }
    }
}

QString TAbTrend::TimeLabel(TDateTime time) const
{
    return FormatDateTime(m_timeFormat.isEmpty() ? QStringLiteral("hh:nn:ss") : m_timeFormat, time);
}

QString TAbTrend::DateLabel(TDateTime time) const
{
    return QLocale().toString(DateTimeToQt(time).date(), QLocale::ShortFormat);
}

void TAbTrend::RedrawRange(int first, int last)
{
    if (!Shown())
        return;
    first = std::max(first, 0);
    m_nextX = 0;
    m_viewStart = first;
    PrepareBackground(true);
    DrawRecords(first, std::min(last, m_records.Count() - 1));
    CopyPlotToScreen();
}

void TAbTrend::CopyPlotToScreen()
{
    CopyPlotToScreen(m_plot.rect());
}

void TAbTrend::CopyPlotToScreen(QRect area)
{
    m_plotDirty = QRect();
    if (m_plot.isNull() || m_screen.isNull())
        return;
    if (m_lineOnScreen) {
        area |= QRect(m_prevCursorX, 0, 1, m_plot.height());
        m_lineOnScreen = false;
    }
    const QRect clipped = area & m_plot.rect();
    CopyPixels(m_plot, clipped, m_screen, m_plotRect.topLeft() + clipped.topLeft());
    update(clipped.translated(m_plotRect.topLeft()));
}

// The cursor line goes onto a copy of the affected plot columns, which then replaces them on
// the screen: the plot itself never holds the line, so moving it redraws no curve. Outside the
// plot area drawn since the last copy and the old and new line columns the screen already shows
// the plot, so the whole plot with the line (whole) costs no more than that area.
void TAbTrend::DrawCursor(bool whole)
{
    if (m_plot.isNull() || m_screen.isNull())
        return;
    const int h = m_plot.height();
    const TTrendStrip strip = TrendCursorStrip(m_cursorX, m_prevCursorX, m_plot.width());
    QRect area(strip.From, 0, strip.To - strip.From, h);
    if (whole)
        area |= m_plotDirty;
    area &= m_plot.rect();
    m_plotDirty = QRect();
    m_prevCursorX = m_cursorX;
    if (area.isEmpty())
        return;

    QImage scratch = m_plot.copy(area);
    const int x = m_cursorX - area.left();
    const int bottom = std::min(TrendCursorBottom(m_options, h, m_labelHeight), h);
    if (x >= 0 && x < scratch.width() && m_cursorLinePenMode != TPenMode::pmNop) {
        const QRgb pen = ToQColor(m_colorCursorLine).rgb();
        for (int y = 0; y < bottom; ++y) {
            auto *row = reinterpret_cast<QRgb *>(scratch.scanLine(y));
            row[x] = MixPenPixel(m_cursorLinePenMode, pen, row[x]);
        }
        m_lineOnScreen = true;
    }
    const QPoint at = m_plotRect.topLeft() + area.topLeft();
    CopyPixels(scratch, scratch.rect(), m_screen, at);
    update(QRect(at, scratch.size()));
}
