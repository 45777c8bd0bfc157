#include "chart/chart_painting.h"
#include "chart/rchart.h"

#include <QPainter>
#include <QPolygon>

void TCustomRChart::Paint()
{
    if (m_quietPaint || !ShowsPicture() || Loading() || PaintSuppressed()) {
        return;
    }
    SyncSize();
    const int drawn = ItemsInPicture();
    if (drawn >= 0) {
        // The frame stands; the data area is the clean picture plus what arrived since.
        m_dataImage = m_pictureData;
        RenderItemRange(m_dataImage, 0, 0, false, false, drawn);
    } else {
        DrawFrame(m_controlImage);
        DrawDataBackground(m_dataImage, 0, 0);
        RenderItems(m_dataImage, 0, 0, false, 0);
    }
    RememberPicture();
    CopyDataInto(m_controlImage, m_dataImage);
    PresentImage(0, 0, m_controlImage);
}

void TCustomRChart::Redraw()
{
    if (ShowsPicture()) {
        SyncSize();
        SetLastDrawnIndex(ItemCount() - 1);
        if (!AutoRedraw()) {
            Paint();
        } else {
            DrawDataBackground(m_dataImage, 0, 0);
            RenderItems(m_dataImage, 0, 0, false, 0);
            ForgetPicture(); // the frame was not drawn with it
            PresentImage(MarginLeft(), MarginTop(), m_dataImage);
        }
    }
    for (TChartModel *user : m_model.DataUsers()) {
        if (user->AutoRedraw()) {
            user->Paint();
        }
    }
}

void TCustomRChart::UpdateChart()
{
    if (!ShowsPicture()) {
        return;
    }
    SyncSize();
    const int drawn = ItemsInPicture();
    if (drawn >= 0 && !m_dataMarked) {
        RenderItemRange(m_dataImage, 0, 0, false, false, drawn);
        RememberPicture();
    } else {
        // Over crosshairs drawn earlier, or over a picture of other settings.
        RenderItems(m_dataImage, 0, 0, false, LastDrawnIndex());
        if (drawn < 0) {
            ForgetPicture();
        }
    }
    PresentImage(MarginLeft(), MarginTop(), m_dataImage);
    SetLastDrawnIndex(ItemCount() - 1);
}

TCustomRChart::TPictureKey TCustomRChart::PictureKey() const
{
    TPictureKey key;
    key.Look = m_look;
    key.ModelChanges = m_model.PictureChanges();
    key.ListOwner = m_model.UseDataOf();
    key.ControlSize = m_controlImage.size();
    key.DataSize = m_dataImage.size();
    for (int layer = 1; layer <= LayerCount; ++layer) {
        key.Mappings[static_cast<size_t>(layer - 1)] = Mapping(layer);
    }
    return key;
}

int TCustomRChart::ItemsInPicture() const
{
    if (m_pictureItems < 0 || m_pictureItems > ItemCount() || HasRenderHooks()
        || !m_backGroundImg.FileName.isEmpty() || !(PictureKey() == m_pictureKey)) {
        return -1;
    }
    // A patterned pen restarts its pattern where a polyline is cut: the new items must be solid.
    const TChartItem *items = Items();
    for (int i = m_pictureItems; i < ItemCount(); ++i) {
        const TPenStyle style = items[i].PenStyle;
        if (style != TPenStyle::psSolid && style != TPenStyle::psInsideFrame
            && style != TPenStyle::psClear && ItemVisible(items[i])) {
            return -1;
        }
    }
    return m_pictureItems;
}

// DataImage holds every item and no crosshair yet: it becomes the clean picture (shared until
// one of the two is drawn on).
void TCustomRChart::RememberPicture()
{
    m_dataMarked = false;
    if (HasRenderHooks()) {
        ForgetPicture();
        return;
    }
    m_pictureData = m_dataImage;
    m_pictureKey = PictureKey();
    m_pictureItems = ItemCount();
}

void TCustomRChart::ForgetPicture()
{
    m_pictureItems = -1;
    m_pictureData = QImage();
}

// Hooks may draw something else each time.
bool TCustomRChart::HasRenderHooks() const
{
    if (OnBeforeRenderData || OnDataRendered || OnScalesRendered) {
        return true;
    }
    for (const auto *axes : {&m_axisX, &m_axisY}) {
        for (const auto &axis : *axes) {
            if (axis->OnScaleTickDrawn || axis->OnBeforeTickLabel || axis->OnBeforeScaleRendered
                || axis->OnAfterScaleRendered) {
                return true;
            }
        }
    }
    return false;
}

void TCustomRChart::SuppressPaint(bool suppress)
{
    m_model.SuppressPaint(suppress);
}

void TCustomRChart::SetCrossHairPos(int index, double x, double y)
{
    if (index < 1 || index > 4) {
        return;
    }
    TCrossHair &crossHair = CrossHair(index);
    crossHair.MoveTo(x, y);
    if (crossHair.Mode() != TCrossHMode::chOff) {
        CopyDataInto(m_controlImage, m_dataImage);
        PresentImage(0, 0, m_controlImage);
    }
}

void TCustomRChart::CopyDataInto(QImage &control, const QImage &data) const
{
    QPainter painter(&control);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(MarginLeft(), MarginTop(), data);
}

TChartPalette TCustomRChart::LivePalette() const
{
    return {m_windColor,   m_chartColor,     m_chartFrameColor, m_font.Color,
            m_shadowColor, m_shadowBakColor, std::nullopt};
}

void TCustomRChart::DrawFrame(QImage &canvas)
{
    DrawFrame(canvas, LivePalette());
}

void TCustomRChart::DrawFrame(QImage &canvas, const TChartPalette &palette)
{
    if (canvas.size() != QSize(Width(), Height())) {
        canvas = QImage(Width(), Height(), QImage::Format_RGB32);
    }
    canvas.fill(ToQColor(palette.Wind));
    QPainter painter(&canvas);
    DrawShadow(painter, palette);
    DrawCaption(painter, palette);
    UpdateMapping();
    for (int layer = 1; layer <= LayerCount; ++layer) {
        AxisX(layer).DrawOn(painter, palette.Ink);
    }
    for (int layer = 1; layer <= LayerCount; ++layer) {
        AxisY(layer).DrawOn(painter, palette.Ink);
    }
    if (OnScalesRendered) {
        OnScalesRendered(this, painter, 0, 0);
    }
}

void TCustomRChart::DrawShadow(QPainter &painter, const TChartPalette &palette)
{
    const int sw = ShadowWidth();
    if (sw <= 0) {
        return;
    }
    const int w = Width();
    const int h = Height();
    painter.fillRect(QRect(w - sw, 0, sw, sw), ToQColor(palette.ShadowBak));
    painter.fillRect(QRect(0, h - sw, sw, sw), ToQColor(palette.ShadowBak));
    const bool box = m_shadowStyle == TShadowStyle::ssBox;
    const int e = box ? 0 : sw - 1;
    painter.setPen(ChartPen(box ? clBlack : palette.Shadow));
    painter.setBrush(ToQColor(palette.Shadow));
    painter.drawPolygon(QPolygon({QPoint(e, h - sw), QPoint(sw - 1, h - 1), QPoint(w - 1, h - 1),
                                  QPoint(w - sw, h - sw)}));
    painter.drawPolygon(QPolygon({QPoint(w - sw, h - sw), QPoint(w - 1, h - 1),
                                  QPoint(w - 1, sw - 1), QPoint(w - sw, e)}));
    painter.setPen(ChartPen(clBlack));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygon({QPoint(0, 0), QPoint(w - sw, 0), QPoint(w - sw, h - sw),
                                   QPoint(0, h - sw), QPoint(0, 0)}));
}

void TCustomRChart::DrawCaption(QPainter &painter, const TChartPalette &palette)
{
    if (m_caption.isEmpty()) {
        return;
    }
    int ax = 0;
    switch (m_captionAnchorHoriz) {
    case TCaptionAnchorHoriz::cahControlLeft:
        break;
    case TCaptionAnchorHoriz::cahChartLeft:
        ax = MarginLeft();
        break;
    case TCaptionAnchorHoriz::cahChartCenter:
        ax = MarginLeft() + PlotWidth() / 2;
        break;
    case TCaptionAnchorHoriz::cahChartRight:
        ax = Width() - MarginRight() - ShadowWidth();
        break;
    case TCaptionAnchorHoriz::cahControlRight:
        ax = Width();
        break;
    }
    int ay = 0;
    switch (m_captionAnchorVert) {
    case TCaptionAnchorVert::cavControlTop:
        break;
    case TCaptionAnchorVert::cavChartTop:
        ay = MarginTop();
        break;
    case TCaptionAnchorVert::cavChartCenter:
        ay = MarginTop() + PlotHeight() / 2;
        break;
    case TCaptionAnchorVert::cavChartBottom:
        ay = Height() - MarginBottom();
        break;
    case TCaptionAnchorVert::cavControlBottom:
        ay = Height();
        break;
    }
    painter.setFont(ChartFont(m_font));
    const int textWidth = painter.fontMetrics().horizontalAdvance(m_caption);
    int o = 0;
    if (m_captionAlignment == TAlignment::taRightJustify) {
        o = textWidth;
    } else if (m_captionAlignment == TAlignment::taCenter) {
        o = textWidth / 2;
    }
    painter.setPen(ToQColor(palette.CaptionText));
    painter.drawText(ax + m_captionPosX - o, ay + m_captionPosY + painter.fontMetrics().ascent(),
                     m_caption);
}

void TCustomRChart::DrawDataBackground(QImage &canvas, int, int)
{
    DrawPlotBackground(canvas, LivePalette());
}

void TCustomRChart::DrawPlotBackground(QImage &canvas, const TChartPalette &palette)
{
    const QSize size(std::max(PlotWidth() + 1, 0), std::max(PlotHeight() + 1, 0));
    if (canvas.size() != size) {
        canvas = QImage(size, QImage::Format_RGB32);
    }
    if (canvas.isNull()) {
        return;
    }
    QPainter painter(&canvas);
    painter.setPen(ChartPen(palette.ChartFrame));
    painter.setBrush(ToQColor(palette.Chart));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    DrawBackgroundPicture(painter, size);
}

void TCustomRChart::DrawBackgroundPicture(QPainter &painter, QSize size)
{
    TBakGndImg &bg = m_backGroundImg;
    if (!bg.FileName.isEmpty()) {
        const QImage picture(bg.FileName);
        if (picture.isNull()) {
            bg.FileName.clear();
            return;
        }
        const QRect area(QPoint(0, 0), size);
        if (bg.FillMode == TBkgFillMode::bfStretch) {
            painter.drawImage(area, picture);
        } else if (bg.FillMode == TBkgFillMode::bfTile) {
            painter.drawTiledPixmap(area, QPixmap::fromImage(picture));
        } else {
            painter.drawImage(0, 0, picture);
        }
        return;
    }
    if (bg.AreaMode == TBkgAreaMode::bamNone) {
        return;
    }
    const QPoint topLeft
            = UserToPixel(1, bg.AreaLeft, bg.AreaTop) - QPoint(MarginLeft(), MarginTop());
    const QPoint bottomRight
            = UserToPixel(1, bg.AreaRight, bg.AreaBottom) - QPoint(MarginLeft(), MarginTop());
    const int l = std::clamp(topLeft.x(), 0, size.width());
    const int r = std::clamp(bottomRight.x(), 0, size.width());
    const int t = std::clamp(topLeft.y(), 0, size.height());
    const int b = std::clamp(bottomRight.y(), 0, size.height());
    QRect fill;
    switch (bg.AreaMode) {
    case TBkgAreaMode::bamLeft:
        fill = QRect(QPoint(0, 0), QPoint(l - 1, size.height() - 1));
        break;
    case TBkgAreaMode::bamRight:
        fill = QRect(QPoint(r, 0), QPoint(size.width() - 1, size.height() - 1));
        break;
    case TBkgAreaMode::bamTop:
        fill = QRect(QPoint(0, 0), QPoint(size.width() - 1, t - 1));
        break;
    case TBkgAreaMode::bamBottom:
        fill = QRect(QPoint(0, b), QPoint(size.width() - 1, size.height() - 1));
        break;
    case TBkgAreaMode::bamBetween:
        fill = QRect(QPoint(l, 0), QPoint(r - 1, size.height() - 1));
        break;
    default:
        fill = QRect(QPoint(l, t), QPoint(r - 1, b - 1));
        break;
    }
    painter.fillRect(fill.normalized(), ToQColor(bg.AreaColor));
}

void TCustomRChart::PresentImage(int left, int top, QImage &image)
{
    if (std::any_of(m_crossHairs.begin(), m_crossHairs.end(),
                    [](const auto &c) { return c->Mode() != TCrossHMode::chOff; })) {
        // In the control image they lie inside the data area, which every present copies anew.
        m_dataMarked = m_dataMarked || &image == &m_dataImage;
        QPainter painter(&image);
        for (const auto &crossHair : m_crossHairs) {
            if (crossHair->Mode() != TCrossHMode::chOff) {
                DrawCrossHair(painter, *crossHair, left, top);
            }
        }
    }
    if (&image == &m_controlImage && left == 0 && top == 0) {
        m_screen = m_controlImage; // shared until the control image is drawn again
        m_dataPresented = false;
    } else if (&image == &m_dataImage && left == MarginLeft() && top == MarginTop()) {
        m_dataPresented = true;
    } else {
        m_screen = PresentedImage();
        m_dataPresented = false;
        QPainter painter(&m_screen);
        painter.drawImage(left, top, image);
    }
    update();
}

void TCustomRChart::DrawCrossHair(QPainter &painter, const TCrossHair &crossHair, int left, int top)
{
    const QPoint p = UserToPixel(crossHair.Layer(), crossHair.PosX(), crossHair.PosY());
    const int px = p.x();
    const int py = p.y();
    painter.setPen(ChartPen(crossHair.Color(), crossHair.LineWid(), crossHair.LineType()));
    painter.setBrush(ToQColor(m_chartColor));
    const int h = crossHair.LineWid() / 2;
    const int right = Width() - MarginRight() - ShadowWidth();
    const int bottom = Height() - MarginBottom() - ShadowWidth();
    const TCrossHMode mode = crossHair.Mode();
    const QPoint shift(-left, -top);
    if ((mode == TCrossHMode::chHoriz || mode == TCrossHMode::chBoth) && MarginTop() + h < py
        && py < bottom - h) {
        painter.drawLine(QPoint(MarginLeft() + h + 1, py) + shift, QPoint(right - h, py) + shift);
    }
    if ((mode == TCrossHMode::chVert || mode == TCrossHMode::chBoth) && MarginLeft() + h < px
        && px < right - h) {
        painter.drawLine(QPoint(px, MarginTop() + h + 1) + shift, QPoint(px, bottom - h) + shift);
    }
    if (mode == TCrossHMode::chBox) {
        painter.drawLine(QPoint(px - 10, py) + shift, QPoint(px + 10, py) + shift);
        painter.drawLine(QPoint(px, py - 10) + shift, QPoint(px, py + 10) + shift);
        painter.drawRect(QRect(px - 2 - left, py - 2 - top, 4, 4));
    }
}
