#pragma once

#include <QLineEdit>

// An edit field for a float with a fixed number of decimals. Texts put in by the program are
// normalised (read by the float-field rule, written back with the field's decimals and the
// locale's separator); while the user types, only digits and one decimal point ('.' or ',') are
// accepted. What the user typed is read with TypedFieldToFloat.
class FloatEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit FloatEdit(QWidget *parent = nullptr);

    void SetFormat(int decimals, bool allowNegative);
    int Decimals() const { return m_decimals; }

    // Puts a text into the field the way the program does: normalised.
    void SetFieldText(const QString &text);
    void SetValue(double value);

private:
    int m_decimals = 3;
    bool m_allowNegative = false;
};
