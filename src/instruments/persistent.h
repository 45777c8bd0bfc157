#pragma once

#include "platform/color.h"
#include "platform/enum_set.h"
#include "platform/store_if_changed.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <functional>

// Base of every settings object an instrument owns. A setter stores a changed value and calls
// Changed(), which fires OnChange; the owning control installs its handler there once it has
// finished loading. Settings objects are not copyable; Assign copies the published values,
// which each class keeps in one plain struct of values so that the copy is one assignment.
class TAbPersistent
{
public:
    TAbPersistent() = default;
    TAbPersistent(const TAbPersistent &) = delete;
    TAbPersistent &operator=(const TAbPersistent &) = delete;
    virtual ~TAbPersistent() = default;

    std::function<void(TAbPersistent *sender)> OnChange;

    virtual void Changed();
    virtual void NotifyChange(TAbPersistent *sender);

protected:
    // The common setter rule: nothing when equal, else store and report.
    template<class T, class V>
    void SetField(T &field, const V &value)
    {
        if (StoreIfChanged(field, value))
            Changed();
    }
};

// Insets of a content rectangle.
class TAbOffset : public TAbPersistent
{
public:
    int Top() const { return m_values.Top; }
    int Left() const { return m_values.Left; }
    int Right() const { return m_values.Right; }
    int Bottom() const { return m_values.Bottom; }
    void SetTop(int v) { SetField(m_values.Top, v); }
    void SetLeft(int v) { SetField(m_values.Left, v); }
    void SetRight(int v) { SetField(m_values.Right, v); }
    void SetBottom(int v) { SetField(m_values.Bottom, v); }
    void Assign(const TAbOffset &source);

    // Moves the left and top edges in and the right and bottom edges back.
    QRect Apply(const QRect &rect) const;

private:
    struct Values
    {
        int Top = 0;
        int Left = 0;
        int Right = 0;
        int Bottom = 0;
    };
    Values m_values;
};

enum class TGradientStyle {
    gsHorizontal1,
    gsHorizontal2,
    gsVertical1,
    gsVertical2,
    gsRectangle,
    gsEllipse,
    gsRadialLeft,
    gsRadialRight,
    gsRadialTop,
    gsRadialBottom,
    gsBottomLeft,
    gsBottomRight,
    gsTopLeft,
    gsTopRight
};

// Surface gradient of a bevel; kept as settings only (no instrument here shows one).
class TAbGradSettings : public TAbPersistent
{
public:
    TColor ColorFrom() const { return m_values.ColorFrom; }
    TColor ColorTo() const { return m_values.ColorTo; }
    bool Visible() const { return m_values.Visible; }
    TGradientStyle Style() const { return m_values.Style; }
    void SetColorFrom(TColor v) { SetField(m_values.ColorFrom, v); }
    void SetColorTo(TColor v) { SetField(m_values.ColorTo, v); }
    void SetVisible(bool v) { SetField(m_values.Visible, v); }
    void SetStyle(TGradientStyle v) { SetField(m_values.Style, v); }
    void Assign(const TAbGradSettings &source);

private:
    struct Values
    {
        TColor ColorFrom = 0xE2E2E2;
        TColor ColorTo = 0x8F8F8F;
        bool Visible = false;
        TGradientStyle Style = TGradientStyle::gsHorizontal1;
    };
    Values m_values;
};

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TEnumSet<TFontStyle>;

// A font with its colour. Height follows the classic convention: negative is the character
// height in pixels, positive the cell height; Size is in points.
class TAbFont : public TAbPersistent
{
public:
    TAbFont(const QString &name = QStringLiteral("Arial"), int size = 8);

    QString Name() const { return m_font.family(); }
    int Size() const;
    int Height() const;
    TFontStyles Style() const;
    TColor Color() const { return m_color; }
    void SetName(const QString &name);
    void SetSize(int points);
    void SetHeight(int height);
    void SetStyle(TFontStyles style);
    void SetColor(TColor color) { SetField(m_color, color); }
    void Assign(const TAbFont &source);

    const QFont &Font() const { return m_font; }

private:
    void Store(const QFont &font);

    QFont m_font;
    TColor m_color = clWindowText;
};
