#include "instruments/analog_control.h"

#include "instruments/draw_helpers.h"
#include "instruments/saturate.h"
#include "platform/number_text.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr float kMinMaxReset = 9999999.0f;

} // namespace

TAbAnalogGControl::TAbAnalogGControl(QWidget *parent)
    : TAbGraphicControl(parent)
{
    // Every paint covers the whole area; the page beneath need not paint first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_font.SetColor(clWindowText);
    m_fontValue.SetColor(0x00FF00);
    m_bevelOuter.SetBevelLine(TBevelLine::blOuter);
    m_bevelInner.SetStyle(TBevelStyle::bsLowered);
    m_bevelInner.SetBevelLine(TBevelLine::blInner);
    m_bevelValue.SetStyle(TBevelStyle::bsLowered);
    m_bevelValue.SetColor(clBlack);
    m_bevelValue.SetSpacing(0);
}

TAbAnalogGControl::~TAbAnalogGControl() = default;

void TAbAnalogGControl::Loaded()
{
    InstallHandlers();
    m_minMax.StoreMin(kMinMaxReset, m_minMax.MinDateTime());
    m_minMax.StoreMax(-kMinMaxReset, m_minMax.MaxDateTime());
    TAbGraphicControl::Loaded();
}

void TAbAnalogGControl::InstallHandlers()
{
    const auto settings = [this](TAbPersistent *) { SettingsChanged(); };
    m_signalSettings.OnChange = settings;
    m_sectorSettings.OnChange = settings;
    m_font.OnChange = settings;
    m_fontValue.OnChange = settings;
    m_bevelOuter.OnChange = settings;
    m_bevelInner.OnChange = settings;
    m_bevelValue.OnChange = settings;
    m_damping.OnChange = settings;
    m_minMax.OnChange = [this](TAbPersistent *) { MinMaxChanged(); };
}

void TAbAnalogGControl::SetValue(double value)
{
    const auto v = static_cast<float>(value);
    if (v == m_target && m_hasValue)
        return;
    ApplyValue(v, m_signalSettings.DigitOf(v));
}

void TAbAnalogGControl::SetDigit(int digit)
{
    const auto v = static_cast<float>(m_signalSettings.ValueOfDigit(digit));
    if (v == m_target && m_hasValue)
        return;
    ApplyValue(v, digit);
}

void TAbAnalogGControl::ClearValue()
{
    if (!m_hasValue)
        return;
    m_hasValue = false;
    ValueChanged();
}

void TAbAnalogGControl::ApplyValue(float value, int digit)
{
    m_hasValue = true;
    m_target = value;
    m_value = value;
    m_digit = digit;
    ValueChanged();
}

void TAbAnalogGControl::SetLimitUpper(double v)
{
    const auto value = static_cast<float>(v);
    if (value == m_limitUpper)
        return;
    m_limitUpper = value;
    m_limitUpperPos = m_signalSettings.PerMille(value);
    ValueChanged();
}

void TAbAnalogGControl::SetLimitLower(double v)
{
    auto value = static_cast<float>(v);
    if (value == 0.0f)
        value = 0.0001f;
    if (value == m_limitLower)
        return;
    m_limitLower = value;
    m_limitLowerPos = m_signalSettings.PerMille(value);
    ValueChanged();
}

void TAbAnalogGControl::SetAutoSize(bool v)
{
    m_autoSize = v;
    Invalidate();
}

void TAbAnalogGControl::SettingsChanged()
{
    m_digit = m_signalSettings.DigitOf(m_value);
    m_limitUpperPos = m_signalSettings.PerMille(m_limitUpper);
    m_limitLowerPos = m_signalSettings.PerMille(m_limitLower);
    if (OnSettingsChange)
        OnSettingsChange(this);
}

void TAbAnalogGControl::Invalidate()
{
    m_frameDirty = true;
    update();
}

QString TAbAnalogGControl::ValueText() const
{
    if (!m_hasValue)
        return QStringLiteral("\u2013");
    if (m_valueTextStale) {
        m_valueText = FormatFloat(m_valueTextFormat, m_value);
        m_valueTextStale = false;
    }
    return m_valueText;
}

void TAbAnalogGControl::ValueChanged()
{
    m_valueTextFormat = m_signalSettings.ValueFormat();
    m_valueTextStale = true;
    if (!m_hasValue) {
        ShowNoValue();
        return;
    }
    const double perDigit = 1000.0 / m_signalSettings.DigitalRange();
    int pos = RoundSaturated(perDigit
                             * (static_cast<double>(m_digit) - m_signalSettings.DigitalFrom()));
    m_rawPos = pos;
    m_posPerMille = std::clamp(pos, 0, 1000); // handlers never see an unclamped position
    UpdateSectors(pos);
    UpdateLimits();
    UpdateOverflow(pos);
    m_posPerMille = pos;
    UpdateMinMax(pos);
    if (OnValueChange)
        OnValueChange(this);
}

void TAbAnalogGControl::ShowNoValue()
{
    m_rawPos = 0;
    m_posPerMille = 0;
    if (m_underflow || m_overflow) {
        m_underflow = m_overflow = false;
        OverflowChanged();
    }
    if (m_upperExceeded || m_lowerExceeded) {
        m_upperExceeded = m_lowerExceeded = false;
        LimitChanged();
    }
}

void TAbAnalogGControl::UpdateSectors(int pos)
{
    for (int k = 1; k <= 3; ++k) {
        const bool in
                = m_sectorSettings.SectorFrom(k) <= pos && pos <= m_sectorSettings.SectorTo(k);
        if (in)
            m_sectorColor = m_sectorSettings.SectorColor(k);
        if (in != m_inSector[k - 1]) {
            m_inSector[k - 1] = in;
            if (OnSectorChange)
                OnSectorChange(this, k, in);
        }
    }
}

void TAbAnalogGControl::UpdateLimits()
{
    const bool upper = m_value > m_limitUpper;
    const bool lower = m_value < m_limitLower;
    if (upper == m_upperExceeded && lower == m_lowerExceeded)
        return;
    m_upperExceeded = upper;
    m_lowerExceeded = lower;
    LimitChanged();
    if (OnLimit)
        OnLimit(this, upper, lower);
}

void TAbAnalogGControl::UpdateOverflow(int &pos)
{
    if (pos < 0) {
        if (!m_underflow) {
            m_underflow = true;
            m_overflow = false;
            OverflowChanged();
            if (OnOverflow)
                OnOverflow(this, pos);
        }
        pos = 0;
    } else if (pos > 1000) {
        if (!m_overflow) {
            m_overflow = true;
            m_underflow = false;
            OverflowChanged();
            if (OnOverflow)
                OnOverflow(this, pos);
        }
        pos = 1000;
    } else if (m_underflow || m_overflow) {
        m_underflow = false;
        m_overflow = false;
        OverflowChanged();
        if (OnOverflow)
            OnOverflow(this, pos);
    }
}

void TAbAnalogGControl::UpdateMinMax(int pos)
{
    if (std::isnan(m_value)) // would count as a new maximum on every pass
        return;
    bool extreme = false;
    if (m_minMax.Min() > m_value) {
        m_minMax.StoreMin(m_value, Now());
        m_minPos = pos;
        extreme = true;
    }
    if (!(m_minMax.Max() >= m_value)) {
        m_minMax.StoreMax(m_value, Now());
        m_maxPos = pos;
        extreme = true;
    }
    if (extreme)
        MinMaxChanged();
}

void TAbAnalogGControl::OverflowChanged() { }

void TAbAnalogGControl::LimitChanged() { }

void TAbAnalogGControl::MinMaxChanged()
{
    if (OnMinMaxChange)
        OnMinMaxChange(this);
    ValueChanged();
}

void TAbAnalogGControl::ScaleTypeChanged() { }

QString TAbAnalogGControl::Hint() const
{
    if (!m_hintOptions.Contains(THintOption::hoAutoHint))
        return {};
    const QString unit = m_signalSettings.ValueUnit();
    const QString format = m_signalSettings.ValueFormat();
    QStringList lines;
    if (m_hintOptions.Contains(THintOption::hoValue))
        lines << QStringLiteral("Value= ") + ValueText() + QLatin1Char(' ') + unit;
    const auto extreme = [&](const QString &label, float value, TDateTime at) {
        QString line = label + FormatFloat(format, value) + QLatin1Char(' ') + unit;
        if (m_hintOptions.Contains(THintOption::hoMinMaxDate))
            line += QLatin1Char(' ')
                    + QLocale().toString(DateTimeToQt(at).date(), QLocale::ShortFormat);
        if (m_hintOptions.Contains(THintOption::hoMinMaxTime))
            line += QLatin1Char(' ') + FormatDateTime(QStringLiteral("hh:nn:ss"), at);
        lines << line;
    };
    if (m_hintOptions.Contains(THintOption::hoMin))
        extreme(QStringLiteral("MIN= "), m_minMax.Min(), m_minMax.MinDateTime());
    if (m_hintOptions.Contains(THintOption::hoMax))
        extreme(QStringLiteral("MAX= "), m_minMax.Max(), m_minMax.MaxDateTime());
    if (m_hintOptions.Contains(THintOption::hoName1))
        lines << m_signalSettings.Name1();
    if (m_hintOptions.Contains(THintOption::hoName2))
        lines << m_signalSettings.Name2();
    return lines.join(QLatin1Char('\r'));
}

void TAbAnalogGControl::EnsureFrame()
{
    if (!m_frameDirty || !CanPaint())
        return;
    AdjustSize();
    m_frameDirty = false;
    if (width() <= 0 || height() <= 0) {
        m_frame = QImage();
        return;
    }
    m_frame = MakeImage(size(), this);
    m_frame.fill(palette().color(QPalette::Window));
    QPainter painter(&m_frame);
    RenderFrame(painter);
}

// Without a frame (under the update lock, or no size) the control shows the window colour.
void TAbAnalogGControl::paintEvent(QPaintEvent *event)
{
    EnsureFrame();
    QPainter painter(this);
    if (FrameValid() && m_frame.size() == size())
        painter.drawImage(event->rect(), m_frame, event->rect());
    else
        painter.fillRect(event->rect(), palette().color(QPalette::Window));
}

void TAbAnalogGControl::resizeEvent(QResizeEvent *)
{
    Invalidate();
}

TInstrumentTexts TAbAnalogGControl::MeasureTexts() const
{
    TInstrumentTexts texts;
    const QFontMetrics names(m_font.Font(), this);
    texts.Name1 = QSize(names.horizontalAdvance(m_signalSettings.Name1()), names.height());
    texts.Name2 = QSize(names.horizontalAdvance(m_signalSettings.Name2()), names.height());
    const QFontMetrics value(m_fontValue.Font(), this);
    texts.ValueHeight = value.height();
    texts.SampleWidth = value.horizontalAdvance(m_signalSettings.SampleText());
    texts.UnitWidth = value.horizontalAdvance(m_signalSettings.ValueUnit());
    return texts;
}

void TAbAnalogGControl::PaintPanel(QPainter &painter, const TInstrumentParts &parts,
                                   const TPanelLayout &layout)
{
    if (parts.BevelOuter) {
        QRect r = rect();
        m_bevelOuter.Paint(painter, r);
    }
    painter.setFont(m_font.Font());
    painter.setPen(ToQColor(m_font.Color()));
    painter.setBrush(Qt::NoBrush);
    if (parts.Name2)
        DrawTextAligned(painter, layout.Name2.x(), layout.Name2.y(), 0, m_signalSettings.Name2());
    if (parts.Name1)
        DrawTextAligned(painter, layout.Name1.x(), layout.Name1.y(), 0, m_signalSettings.Name1());
    const auto valueBox = [&] {
        if (!parts.Value)
            return;
        QRect bevel = layout.ValueBox.Bevel;
        m_bevelValue.Paint(painter, bevel);
        if (parts.Unit) {
            // In the value font, but in the colour of Font.
            painter.setFont(m_fontValue.Font());
            painter.setPen(ToQColor(m_font.Color()));
            painter.setBrush(Qt::NoBrush);
            DrawTextAligned(painter, layout.ValueBox.Unit.x(), layout.ValueBox.Unit.y(), 0,
                            m_signalSettings.ValueUnit());
        }
    };
    if (!layout.ValueInside)
        valueBox();
    if (parts.BevelInner) {
        QRect r = layout.Inner;
        m_bevelInner.Paint(painter, r);
    }
    if (layout.ValueInside)
        valueBox();
    m_valueBox = parts.Value ? layout.ValueBox.Text : QRect();
}

void TAbAnalogGControl::DrawValueText(QPainter &painter)
{
    if (m_valueBox.width() <= 0 || m_valueBox.height() <= 0)
        return;
    painter.save();
    painter.setClipRect(m_valueBox);
    painter.fillRect(m_valueBox, ToQColor(m_bevelValue.Color()));
    painter.setFont(m_fontValue.Font());
    painter.setPen(ToQColor(m_fontValue.Color()));
    const QFontMetrics fm = painter.fontMetrics();
    const QString text = ValueText();
    const int x = m_valueBox.x() + m_valueBox.width() - fm.horizontalAdvance(text);
    painter.drawText(x, m_valueBox.y() + fm.ascent(), text);
    painter.restore();
}
