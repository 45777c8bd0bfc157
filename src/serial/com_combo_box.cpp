#include "serial/com_combo_box.h"

#include "platform/user_interface.h"
#include "serial/com_port.h"

TComComboBox::TComComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this] { UserSelected(); });
}

TComComboBox::~TComComboBox()
{
    if (TCustomComPort *port = ComPort())
        port->RemoveFreeNotification(this);
}

void TComComboBox::SetComPort(TCustomComPort *port)
{
    if (port == ComPort())
        return;
    if (ComPort())
        ComPort()->RemoveFreeNotification(this);
    m_select.SetComPort(port);
    if (port) {
        port->FreeNotification(this, [this] { PortGone(); });
        SelectPortValue();
    }
}

void TComComboBox::PortGone()
{
    m_select.SetComPort(nullptr);
    if (count() > 0)
        setCurrentIndex(0);
}

void TComComboBox::SetComProperty(TComProperty value)
{
    m_select.SetComProperty(value);
    clear();
    addItems(TComSelect::Items(value));
    if (count() == 0)
        return;
    if (ComPort())
        SelectPortValue();
    else
        setCurrentIndex(0);
}

void TComComboBox::SelectPortValue()
{
    const int index = findText(m_select.PortValueText(), Qt::MatchFixedString);
    setCurrentIndex(index);
    if (index >= 0)
        m_select.SelectText(itemText(index));
}

QString TComComboBox::Text() const
{
    return currentIndex() >= 0 ? itemText(currentIndex()) : QString();
}

void TComComboBox::SetText(const QString &value)
{
    const int index = findText(value, Qt::MatchFixedString);
    if (index >= 0)
        setCurrentIndex(index);
}

void TComComboBox::UserSelected()
{
    m_select.SelectText(Text());
    // Reopening under a new name may fail; the error goes to the general error handler here,
    // inside the list's own event handling.
    if (m_select.AutoApply())
        RunGuarded([this] { m_select.ApplyToPort(); });
    if (OnChange)
        OnChange(this);
}
