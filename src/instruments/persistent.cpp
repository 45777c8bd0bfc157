#include "instruments/persistent.h"

#include "platform/rounding.h"

#include <cstdlib>

void TAbPersistent::Changed()
{
    NotifyChange(this);
}

void TAbPersistent::NotifyChange(TAbPersistent *sender)
{
    if (OnChange)
        OnChange(sender);
}

void TAbOffset::Assign(const TAbOffset &source)
{
    m_values = source.m_values;
    Changed();
}

QRect TAbOffset::Apply(const QRect &rect) const
{
    return rect.adjusted(m_values.Left, m_values.Top, -m_values.Right, -m_values.Bottom);
}

void TAbGradSettings::Assign(const TAbGradSettings &source)
{
    m_values = source.m_values;
    Changed();
}

namespace {

constexpr double kScreenDpi = 96.0;

} // namespace

TAbFont::TAbFont(const QString &name, int size)
{
    m_font.setFamily(name);
    m_font.setPointSize(size);
}

int TAbFont::Size() const
{
    if (m_font.pointSize() > 0)
        return m_font.pointSize();
    return static_cast<int>(Round(m_font.pixelSize() * 72.0 / kScreenDpi));
}

int TAbFont::Height() const
{
    if (m_font.pixelSize() > 0)
        return -m_font.pixelSize();
    return -static_cast<int>(Round(m_font.pointSizeF() * kScreenDpi / 72.0));
}

TFontStyles TAbFont::Style() const
{
    TFontStyles s;
    if (m_font.bold())
        s.Include(TFontStyle::fsBold);
    if (m_font.italic())
        s.Include(TFontStyle::fsItalic);
    if (m_font.underline())
        s.Include(TFontStyle::fsUnderline);
    if (m_font.strikeOut())
        s.Include(TFontStyle::fsStrikeOut);
    return s;
}

void TAbFont::Store(const QFont &font)
{
    if (font == m_font)
        return;
    m_font = font;
    Changed();
}

void TAbFont::SetName(const QString &name)
{
    QFont f = m_font;
    f.setFamily(name);
    Store(f);
}

void TAbFont::SetSize(int points)
{
    if (points <= 0)
        return;
    QFont f = m_font;
    f.setPointSize(points);
    Store(f);
}

void TAbFont::SetHeight(int height)
{
    if (height == 0)
        return;
    QFont f = m_font;
    f.setPixelSize(std::abs(height));
    Store(f);
}

void TAbFont::SetStyle(TFontStyles style)
{
    QFont f = m_font;
    f.setBold(style.Contains(TFontStyle::fsBold));
    f.setItalic(style.Contains(TFontStyle::fsItalic));
    f.setUnderline(style.Contains(TFontStyle::fsUnderline));
    f.setStrikeOut(style.Contains(TFontStyle::fsStrikeOut));
    Store(f);
}

void TAbFont::Assign(const TAbFont &source)
{
    m_font = source.m_font;
    m_color = source.m_color;
    Changed();
}
