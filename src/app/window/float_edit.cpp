#include "app/window/float_edit.h"

#include "platform/number_text.h"

#include <QRegularExpressionValidator>

FloatEdit::FloatEdit(QWidget *parent)
    : QLineEdit(parent)
{
    SetFormat(m_decimals, m_allowNegative);
}

void FloatEdit::SetFormat(int decimals, bool allowNegative)
{
    m_decimals = decimals;
    m_allowNegative = allowNegative;
    // One decimal point, typed as ',' or '.' (or as the locale's own), and no grouping. The
    // class does not open with '.', which would read as a collating element.
    const QString localePoint = QLocale().decimalPoint();
    QString points = QStringLiteral(",.");
    if (localePoint != QLatin1String(",") && localePoint != QLatin1String("."))
        points += QRegularExpression::escape(localePoint);
    const QString pattern = (allowNegative ? QStringLiteral("-?") : QString())
            + QStringLiteral("[0-9]*([%1][0-9]*)?").arg(points);
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
}

void FloatEdit::SetFieldText(const QString &text)
{
    setText(NormalizeFloatField(text, m_decimals));
}

void FloatEdit::SetValue(double value)
{
    setText(WriteFloatField(value, m_decimals));
}
