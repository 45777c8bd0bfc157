#include "serial/com_combo_box.h"

#include "platform/port_list.h"
#include "platform/user_interface.h"
#include "serial/com_port.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

TComComboBox::TComComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this] { UserSelected(); });
    connect(this, &QComboBox::currentIndexChanged, this, [this] { ShowCurrentToolTip(); });
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
    const bool ports = value == TComProperty::cpPort;
    setEditable(ports);
    if (ports) {
        setInsertPolicy(QComboBox::NoInsert); // a typed name is added by TypedNameEntered
        connect(lineEdit(), &QLineEdit::editingFinished, this, &TComComboBox::TypedNameEntered,
                Qt::UniqueConnection);
    }
    addItems(TComSelect::Items(value));
    if (ports)
        ShowPortDetails();
    if (count() > 0) {
        if (ComPort())
            SelectPortValue();
        else
            setCurrentIndex(0);
    }
    ShowCurrentToolTip();
}

// A port's whole name, which may be wider than the box (/dev/serial/by-id/...), and the chosen
// adapter's details stay visible on the closed list.
void TComComboBox::ShowCurrentToolTip()
{
    QStringList lines;
    if (ComProperty() == TComProperty::cpPort && !Text().isEmpty())
        lines.append(Text());
    const QString details = itemData(currentIndex(), Qt::ToolTipRole).toString();
    if (!details.isEmpty())
        lines.append(details);
    setToolTip(lines.join(QLatin1Char('\n')));
}

// The list opens as wide as its longest entry, however narrow the box.
void TComComboBox::showPopup()
{
    QAbstractItemView *list = view();
    int width = list->sizeHintForColumn(0) + 2 * list->frameWidth();
    if (count() > maxVisibleItems())
        width += list->verticalScrollBar()->sizeHint().width();
    list->setMinimumWidth(std::max(width, this->width()));
    QComboBox::showPopup();
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

void TComComboBox::ShowPortDetails()
{
    for (const SerialPortDetails &port : SerialPortsPresent()) {
        const int index = findText(port.name, Qt::MatchFixedString);
        if (index >= 0)
            setItemData(index, PortDetailsText(port), Qt::ToolTipRole);
    }
}

// A name typed and confirmed (Enter or leaving the field) is taken as if picked from the list.
void TComComboBox::TypedNameEntered()
{
    const QString name = lineEdit()->text().trimmed();
    if (name.isEmpty() || name == Text())
        return;
    int index = findText(name, Qt::MatchFixedString);
    if (index < 0) {
        addItem(name);
        index = count() - 1;
    }
    setCurrentIndex(index);
    UserSelected();
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
