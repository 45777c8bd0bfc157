#include "instruments/vmeter.h"

#include "instruments/draw_helpers.h"
#include "platform/rounding.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <utility>

namespace {

constexpr TColor kBlinkOn = 0x0000FF;
constexpr TColor kBlinkOff = 0x00FFFF;
constexpr std::uint64_t kBlinkCode = 4;

} // namespace

TAbVMeter::TAbVMeter(QWidget *parent)
    : TAbAnalogGControl(parent)
{
    resize(98, 273);
    Loaded();
}

TAbVMeter::~TAbVMeter()
{
    Unregister(this);
}

void TAbVMeter::Loaded()
{
    m_scaleSettings.OnChange = [this](TAbPersistent *) { SettingsChanged(); };
    TAbAnalogGControl::Loaded();
}

void TAbVMeter::SetOptions(TAbVMeterOptions v)
{
    m_options = v;
    // Without opOverflow or opLimit a blinking meter stops and leaves the timer service, which
    // would otherwise wake every 16 ms for it.
    UpdateBlink();
    Invalidate();
}

void TAbVMeter::SetLogScale(bool v)
{
    if (v == m_logScale)
        return;
    m_logScale = v;
    ScaleTypeChanged();
    RequestRefresh();
}

void TAbVMeter::SettingsChanged()
{
    TAbAnalogGControl::SettingsChanged();
    if (UpdateCount() == 0)
        Invalidate();
    ValueChanged();
}

void TAbVMeter::ValueChanged()
{
    ++m_valueDepth;
    TAbAnalogGControl::ValueChanged();
    --m_valueDepth;
    // A nested pass (after a new extreme) leaves the drawing to the outer one.
    if (m_valueDepth > 0 || !FrameValid() || m_scale.NoRoom)
        return;
    if (!isVisible()) {
        m_pacer.Cancel();
        m_paintPosted = false;
        Invalidate(); // composed afresh when shown
        return;
    }
    m_valuePartsPending = true;
    if (!m_paintPosted) {
        m_pacer.Request();
        return;
    }
    // The paint on its way draws the latest value; it must cover the pointer's new place.
    const QRect now = m_scale.PointerBounds(PosPerMille()) & m_scale.Area;
    if (!m_postedPointer.contains(now)) {
        m_postedPointer |= now;
        update(now);
    }
}

void TAbVMeter::PostValueParts()
{
    if (!m_valuePartsPending || m_paintPosted || !FrameValid() || m_scale.NoRoom || !isVisible())
        return;
    m_postedPointer = (m_pointerDrawn | m_scale.PointerBounds(PosPerMille())) & m_scale.Area;
    m_paintPosted = true;
    QRegion changed(m_postedPointer);
    if (m_options.Contains(TAbVMeterOption::opValue))
        changed += ValueBox();
    update(changed);
}

void TAbVMeter::paintEvent(QPaintEvent *event)
{
    m_paintPosted = false;
    EnsureFrame();
    if (std::exchange(m_valuePartsPending, false) && FrameValid() && !m_scale.NoRoom) {
        QPainter painter(&Frame());
        DrawValueParts(painter, false);
    }
    TAbAnalogGControl::paintEvent(event);
}

void TAbVMeter::OverflowChanged()
{
    UpdateBlink();
}

void TAbVMeter::LimitChanged()
{
    UpdateBlink();
}

void TAbVMeter::UpdateBlink()
{
    const int raw = UnclampedPos();
    const bool overflow
            = m_options.Contains(TAbVMeterOption::opOverflow) && (raw < 0 || raw > 1000);
    const bool limit
            = m_options.Contains(TAbVMeterOption::opLimit) && (UpperExceeded() || LowerExceeded());
    if (overflow || limit) {
        if (!m_blinking) {
            Register(this, kBlinkCode);
            m_blinkColor = kBlinkOn;
        }
        m_blinking = true;
        return;
    }
    const bool wasBlinking = m_blinking;
    m_blinking = false;
    Unregister(this);
    if (wasBlinking && FrameValid() && !m_scale.NoRoom) {
        QPainter painter(&Frame());
        update(DrawPointer(painter, m_scaleSettings.PointerColor()));
    }
}

void TAbVMeter::TimerTick(std::uint32_t, std::int32_t value)
{
    if (!m_blinking || !FrameValid() || m_scale.NoRoom)
        return;
    m_blinkColor = value != 0 ? kBlinkOn : kBlinkOff;
    QPainter painter(&Frame());
    update(DrawPointer(painter, m_blinkColor));
}

void TAbVMeter::AdjustSize()
{
    if (AutoSize())
        resize(MinimumMeterSize());
}

TInstrumentParts TAbVMeter::Parts() const
{
    TInstrumentParts parts;
    parts.BevelOuter = m_options.Contains(TAbVMeterOption::opBevelOuter);
    parts.BevelInner = m_options.Contains(TAbVMeterOption::opBevelInner);
    parts.Value = m_options.Contains(TAbVMeterOption::opValue);
    parts.Name1 = m_options.Contains(TAbVMeterOption::opName1);
    parts.Name2 = m_options.Contains(TAbVMeterOption::opName2);
    parts.Unit = m_options.Contains(TAbVMeterOption::opUnit);
    return parts;
}

// The smallest size that holds the panel and a scale of its minimum length.
QSize TAbVMeter::MinimumMeterSize()
{
    QImage probe = MakeImage(QSize(1, 1), this);
    QPainter painter(&probe);
    const TSignalSettings &signal = SignalSettings();
    m_scaleSettings.Measure(painter, signal.ValueTo(), signal.ValueFrom());
    const TInstrumentParts parts = Parts();
    const TInstrumentTexts texts = MeasureTexts();
    // The panel around an empty content area gives the space the frame parts take.
    const QSize probeSize(1000, 1000);
    const TPanelLayout panel
            = LayoutPanel(probeSize, parts, texts, BevelOuter(), BevelInner(), BevelValue(), false);
    const int frameWidth = probeSize.width() - panel.Content.width();
    const int frameHeight = probeSize.height() - panel.Content.height();
    const int major = m_scaleSettings.MajorLen();
    int width = frameWidth + m_scaleSettings.ScaleWidth() + major;
    const int outer = parts.BevelOuter ? 2 * BevelOuter().BorderSize() : 0;
    if (parts.Name1)
        width = std::max(width, outer + texts.Name1.width());
    if (parts.Name2)
        width = std::max(width, outer + texts.Name2.width());
    if (parts.Value) {
        const int unit = parts.Unit ? texts.UnitWidth : 0;
        width = std::max(width,
                         outer + panel.ValueBox.Bevel.width() + unit + texts.ValueHeight / 3);
    }
    return {width, frameHeight + m_scaleSettings.MinLength() + major + 1};
}

void TAbVMeter::RenderFrame(QPainter &painter)
{
    const TSignalSettings &signal = SignalSettings();
    m_scaleSettings.Measure(painter, signal.ValueTo(), signal.ValueFrom());
    const TInstrumentParts parts = Parts();
    const TPanelLayout panel = LayoutPanel(size(), parts, MeasureTexts(), BevelOuter(),
                                           BevelInner(), BevelValue(), false);
    PaintPanel(painter, parts, panel);
    m_scale = LayoutScale(panel.Content, width(), m_scaleSettings.ScaleWidth(),
                          m_scaleSettings.MajorLen(), m_scaleSettings.PosLeftTop());
    if (m_scale.NoRoom)
        return;
    if (m_options.Contains(TAbVMeterOption::opSector))
        PaintSectors(painter);
    m_scaleSettings.Paint(painter, m_scale.Scale);
    CopyBackground(Frame(), m_scale.Area, m_background);
    m_pointerDrawn = QRect();
    DrawValueParts(painter, true);
}

void TAbVMeter::PaintSectors(QPainter &painter)
{
    const TSectorSettings &sectors = SectorSettings();
    const int strip = m_scaleSettings.MinorLen();
    const int left = m_scaleSettings.PosLeftTop() ? m_scale.LineX - strip + 1 : m_scale.LineX;
    for (int k = 1; k <= 3; ++k) {
        const int from = std::clamp(sectors.SectorFrom(k), 0, 1000);
        const int to = std::clamp(sectors.SectorTo(k), 0, 1000);
        if (to <= from)
            continue;
        const int top = m_scale.PointerY(to);
        const int bottom = m_scale.PointerY(from);
        painter.fillRect(QRect(left, top, strip, bottom - top), ToQColor(sectors.SectorColor(k)));
    }
}

QRegion TAbVMeter::DrawValueParts(QPainter &painter, bool always)
{
    QRegion changed;
    if (m_scale.NoRoom)
        return changed;
    if (m_options.Contains(TAbVMeterOption::opValue) && (always || ValueText() != m_textDrawn)) {
        DrawValueText(painter);
        m_textDrawn = ValueText();
        changed += ValueBox();
    }
    changed += DrawPointer(painter, PointerFill());
    return changed;
}

TColor TAbVMeter::PointerFill() const
{
    return m_blinking ? m_blinkColor : m_scaleSettings.PointerColor();
}

QRect TAbVMeter::DrawPointer(QPainter &painter, TColor fill)
{
    const QRect now = m_scale.PointerBounds(PosPerMille()) & m_scale.Area;
    const QRect changed = (m_pointerDrawn | now) & m_scale.Area;
    // The snapshot holds the scale without the pointer.
    painter.drawImage(changed.topLeft(), m_background, changed.translated(-m_scale.Area.topLeft()));
    const int y = m_scale.PointerY(PosPerMille());
    const int h = m_scale.PointerHalf;
    const int x = m_scale.PointerBaseX;
    const QPoint points[3] = {{x, y - h}, {x, y + h}, {m_scale.PointerTipX, y}};
    painter.save();
    painter.setClipRect(m_scale.Area);
    painter.setPen(QColor(Qt::black));
    painter.setBrush(ToQColor(fill));
    painter.drawPolygon(points, 3);
    painter.restore();
    m_pointerDrawn = now;
    return changed;
}
