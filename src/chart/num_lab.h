#pragma once

#include "chart/axis_scale.h"
#include "platform/color.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

enum class TDisplay {
    dtFloat,
    dtFixP,
    dtExp,
    dtHex,
    dtZeroInt,
    dtInt,
    dtDateTime,
    dtState,
    dtBin,
    dtOct,
    dtDeg,
    dtDegMin,
    dtDegMinSec,
    dtEEng,
    dtEEngNoDP
};

// The number text of a label before its overflow check: the formatting rules without drawing.
struct TNumLabFormat
{
    TDisplay DisplayType = TDisplay::dtFixP;
    int Precision = 2;
    bool Comma = false;
    bool ForcePlusSign = false;
    QString OverflowIndicator = QStringLiteral("*********");
    QString StateText = QStringLiteral("undefined");
    QString DTFormat = QStringLiteral("mmm-dd, yyyy");
};
QString NumLabText(const TNumLabFormat &format, double value);

// A framed field showing one number, with optional texts on its left and right. Every setter
// that changes a value redraws the off-screen image at once; paintEvent only copies it.
class TNumLab : public QWidget
{
public:
    explicit TNumLab(QWidget *parent = nullptr);

    double Value() const { return m_value; }
    void SetValue(double value);
    TDisplay DisplayType() const { return m_format.DisplayType; }
    void SetDisplayType(TDisplay value);
    int Precision() const { return m_format.Precision; }
    void SetPrecision(int value);
    bool Empty() const { return m_empty; }
    void SetEmpty(bool value);
    bool Comma() const { return m_format.Comma; }
    void SetComma(bool value);
    bool ForcePlusSign() const { return m_format.ForcePlusSign; }
    void SetForcePlusSign(bool value);
    const QString &OverflowIndicator() const { return m_format.OverflowIndicator; }
    void SetOverflowIndicator(const QString &value);
    const QString &StateText() const { return m_format.StateText; }
    void SetStateText(const QString &value);
    const QString &DTFormat() const { return m_format.DTFormat; }
    void SetDTFormat(const QString &value);
    const QString &LeftText() const { return m_leftText; }
    void SetLeftText(const QString &value);
    const QString &RightText() const { return m_rightText; }
    void SetRightText(const QString &value);
    int LeftSpace() const { return m_leftSpace; }
    void SetLeftSpace(int value);
    int LabelWidth() const { return m_labelWidth; }
    void SetLabelWidth(int value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    TAlignment LeftTextAlignment() const { return m_leftTextAlignment; }
    void SetLeftTextAlignment(TAlignment value);
    TAlignment RightTextAlignment() const { return m_rightTextAlignment; }
    void SetRightTextAlignment(TAlignment value);
    TColor ColorLabBakG() const { return m_colorLabBakG; }
    void SetColorLabBakG(TColor value);
    TColor ColorLabText() const { return m_colorLabText; }
    void SetColorLabText(TColor value);
    TColor ColorOutBakG() const { return m_colorOutBakG; }
    void SetColorOutBakG(TColor value);
    TColor ColorOutText() const { return m_colorOutText; }
    void SetColorOutText(TColor value);
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    void SetFrameStyle(TFrameStyle value);
    TColorScheme ColorScheme() const { return m_colorScheme; }
    void SetColorScheme(TColorScheme value);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);

    // The text the field shows now (empty while Empty), after the handler and the overflow check.
    const QString &DisplayedText() const { return m_shownText; }
    const QImage &Image() const { return m_image; }

    std::function<void(TNumLab *sender, QString &text)> OnBeforeDisplay;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    template<typename T>
    void Change(T &field, const T &value);
    void Redraw();
    QString ComposeText();
    void DrawSideTexts(class QPainter &painter, int y);
    void DrawField(class QPainter &painter);
    void DrawNumber(class QPainter &painter, int y);

    TNumLabFormat m_format;
    double m_value = 0;
    bool m_empty = false;
    QString m_leftText;
    QString m_rightText;
    int m_leftSpace = 35;
    int m_labelWidth = 80;
    TAlignment m_alignment = TAlignment::taCenter;
    TAlignment m_leftTextAlignment = TAlignment::taRightJustify;
    TAlignment m_rightTextAlignment = TAlignment::taLeftJustify;
    TColor m_colorLabBakG = clBtnFace;
    TColor m_colorLabText = clBlack;
    TColor m_colorOutBakG = clBtnFace;
    TColor m_colorOutText = clBlack;
    TFrameStyle m_frameStyle = TFrameStyle::fsLowered;
    TColorScheme m_colorScheme = TColorScheme::csBWG;
    bool m_transparent = false;
    QString m_shownText;
    QImage m_image;
};
