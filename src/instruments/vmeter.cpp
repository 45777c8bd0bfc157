#include "instruments/vmeter.h"

#include "instruments/draw_helpers.h"
#include "platform/rounding.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>

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

int TAbVMeter::PointerY(int perMille) const
{
    const int length = m_scaleBottom - m_scaleTop;
    return m_scaleBottom - static_cast<int>(Round(perMille * static_cast<double>(length) / 1000.0));
}

void TAbVMeter::ValueChanged()
{
    ++m_valueDepth;
    TAbAnalogGControl::ValueChanged();
    --m_valueDepth;
    // A nested pass (after a new extreme) leaves the drawing to the outer one.
    if (m_valueDepth > 0 || !FrameValid() || m_noRoom)
        return;
    if (!isVisible()) {
        Invalidate(); // composed afresh when shown
        return;
    }
    QPainter painter(&Frame());
    DrawValueParts(painter);
    if (m_options.Contains(TAbVMeterOption::opValue))
        update(ValueBox());
    update(m_scaleArea);
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
    if (wasBlinking && FrameValid() && !m_noRoom) {
        QPainter painter(&Frame());
        DrawPointer(painter, m_scaleSettings.PointerColor());
        update(m_scaleArea);
    }
}

void TAbVMeter::TimerTick(std::uint32_t, std::int32_t value)
{
    if (!m_blinking || !FrameValid() || m_noRoom)
        return;
    m_blinkColor = value != 0 ? kBlinkOn : kBlinkOff;
    QPainter painter(&Frame());
    DrawPointer(painter, m_blinkColor);
    update(m_scaleArea);
}

void TAbVMeter::AdjustSize()
{
    if (AutoSize())
        resize(MinimumMeterSize());
}

QSize TAbVMeter::MinimumMeterSize()
{
    QImage probe = MakeImage(QSize(1, 1), this);
    QPainter painter(&probe);
    const TSignalSettings &signal = SignalSettings();
    m_scaleSettings.Measure(painter, signal.ValueTo(), signal.ValueFrom());
    const int outer
            = m_options.Contains(TAbVMeterOption::opBevelOuter) ? 2 * BevelOuter().BorderSize() : 0;
    const int inner
            = m_options.Contains(TAbVMeterOption::opBevelInner) ? 2 * BevelInner().BorderSize() : 0;
    int width = outer + inner + m_scaleSettings.ScaleWidth() + m_scaleSettings.MajorLen();
    int height = outer + inner + m_scaleSettings.MinLength() + m_scaleSettings.MajorLen() + 1;
    painter.setFont(Font().Font());
    const auto name = [&](TAbVMeterOption option, const QString &text) {
        if (!m_options.Contains(option))
            return;
        const QSize size = TextExtent(painter, text);
        width = std::max(width, outer + size.width());
        height += size.height();
    };
    name(TAbVMeterOption::opName1, signal.Name1());
    name(TAbVMeterOption::opName2, signal.Name2());
    if (m_options.Contains(TAbVMeterOption::opValue)) {
        painter.setFont(FontValue().Font());
        const QSize sample = TextExtent(painter, signal.SampleText());
        const int unit = m_options.Contains(TAbVMeterOption::opUnit)
                ? TextExtent(painter, signal.ValueUnit()).width()
                : 0;
        const int c = sample.height() / 3;
        const int border = 2 * BevelValue().BorderSize();
        width = std::max(width, outer + sample.width() + unit + border + 3 * c);
        height += border + sample.height() + BevelOuter().Spacing();
    }
    return {width, height};
}

void TAbVMeter::PaintNames(QPainter &painter, QRect &area, int a)
{
    painter.setFont(Font().Font());
    painter.setPen(ToQColor(Font().Color()));
    painter.setBrush(Qt::NoBrush);
    const auto name = [&](const QString &text) {
        const QSize size = TextExtent(painter, text);
        area.setBottom(area.bottom() - size.height());
        const int x = area.x() + (area.width() - size.width()) / 2;
        DrawTextAligned(painter, x, area.y() + area.height() + a, 0, text);
    };
    if (m_options.Contains(TAbVMeterOption::opName2))
        name(SignalSettings().Name2());
    if (m_options.Contains(TAbVMeterOption::opName1))
        name(SignalSettings().Name1());
}

void TAbVMeter::RenderFrame(QPainter &painter)
{
    const TSignalSettings &signal = SignalSettings();
    m_scaleSettings.Measure(painter, signal.ValueTo(), signal.ValueFrom());

    QRect r = rect();
    int a = 0;
    if (m_options.Contains(TAbVMeterOption::opBevelOuter)) {
        BevelOuter().Paint(painter, r);
        a = BevelOuter().Spacing() / 2;
    }
    PaintNames(painter, r, a);
    if (m_options.Contains(TAbVMeterOption::opValue))
        PaintValueBox(painter, r, m_options.Contains(TAbVMeterOption::opUnit),
                      BevelOuter().Spacing());
    if (m_options.Contains(TAbVMeterOption::opBevelInner))
        BevelInner().Paint(painter, r);

    m_scaleArea = r;
    const int half = m_scaleSettings.MajorLen() / 2;
    const QRect s = r.adjusted(0, half, 0, -(half + 1));
    m_noRoom = s.width() < 2 || s.height() < 2;
    if (m_noRoom)
        return;
    m_scaleTop = s.y();
    m_scaleBottom = s.y() + s.height();

    // The scale is centred in the whole control width.
    const int scaleWidth = m_scaleSettings.ScaleWidth();
    const int e = (width() - scaleWidth - half) / 2;
    QRect scaleRect;
    int lineX;
    if (!m_scaleSettings.PosLeftTop()) {
        scaleRect = QRect(e + half, s.y(), scaleWidth, s.height());
        lineX = scaleRect.x();
        m_pointerBaseX = e;
    } else {
        scaleRect = QRect(e, s.y(), scaleWidth, s.height());
        lineX = e + scaleWidth;
        m_pointerBaseX = lineX + half;
    }
    if (m_options.Contains(TAbVMeterOption::opSector))
        PaintSectors(painter, lineX);
    m_scaleSettings.Paint(painter, scaleRect);

    CopyBackground(Frame(), m_scaleArea, m_background);
    DrawValueParts(painter);
}

void TAbVMeter::PaintSectors(QPainter &painter, int lineX)
{
    const TSectorSettings &sectors = SectorSettings();
    const int strip = m_scaleSettings.MinorLen();
    const int left = m_scaleSettings.PosLeftTop() ? lineX - strip + 1 : lineX;
    for (int k = 1; k <= 3; ++k) {
        const int from = std::clamp(sectors.SectorFrom(k), 0, 1000);
        const int to = std::clamp(sectors.SectorTo(k), 0, 1000);
        if (to <= from)
            continue;
        const int top = PointerY(to);
        const int bottom = PointerY(from);
        painter.fillRect(QRect(left, top, strip, bottom - top), ToQColor(sectors.SectorColor(k)));
    }
}

void TAbVMeter::DrawValueParts(QPainter &painter)
{
    if (m_noRoom)
        return;
    if (m_options.Contains(TAbVMeterOption::opValue))
        DrawValueText(painter);
    DrawPointer(painter, m_blinking ? m_blinkColor : m_scaleSettings.PointerColor());
}

void TAbVMeter::DrawPointer(QPainter &painter, TColor fill)
{
    painter.drawImage(m_scaleArea.topLeft(), m_background);
    const int y = PointerY(PosPerMille());
    const int h = m_scaleSettings.MajorLen() / 2;
    const int tip = m_scaleSettings.PosLeftTop() ? m_pointerBaseX - m_scaleSettings.MajorLen()
                                                 : m_pointerBaseX + m_scaleSettings.MajorLen();
    const QPoint points[3] = {{m_pointerBaseX, y - h}, {m_pointerBaseX, y + h}, {tip, y}};
    painter.save();
    painter.setClipRect(m_scaleArea);
    painter.setPen(QColor(Qt::black));
    painter.setBrush(ToQColor(fill));
    painter.drawPolygon(points, 3);
    painter.restore();
}
