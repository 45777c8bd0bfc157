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
    const QLocale locale;
    const QString separators = QRegularExpression::escape(locale.decimalPoint())
            + QRegularExpression::escape(locale.groupSeparator());
    const QString pattern = (allowNegative ? QStringLiteral("-?") : QString())
            + QStringLiteral("[0-9%1]*").arg(separators);
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
