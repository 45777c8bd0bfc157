#pragma once

#include "serial/com_select.h"

#include <QComboBox>

#include <functional>

// A drop-down list of the values of one port setting. It shows the bound port's current value
// and, with AutoApply, writes the value the user picks into the port at once. The list may also
// be replaced through QComboBox's own operations. The port is not owned; when it is destroyed
// the selector forgets it. For ports the list may also take a typed name or path (a stable
// /dev/serial/by-id name), each port's tooltip tells adapters apart, the box's tooltip shows the
// whole current name and the open list is as wide as its longest name. User-interface thread
// only.
class TComComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TComComboBox(QWidget *parent = nullptr);
    ~TComComboBox() override;

    TCustomComPort *ComPort() const { return m_select.ComPort(); }
    void SetComPort(TCustomComPort *port);
    // Refills the list for the kind and selects the port's value (the first item without port).
    TComProperty ComProperty() const { return m_select.ComProperty(); }
    void SetComProperty(TComProperty value);
    bool AutoApply() const { return m_select.AutoApply(); }
    void SetAutoApply(bool value) { m_select.SetAutoApply(value); }
    // The selected item's text, or empty. Writing selects the first item equal to the text
    // without regard to case; an unknown text changes nothing.
    QString Text() const;
    void SetText(const QString &value);

    const TComSelect &ComSelect() const { return m_select; }

    // After a selection by the user has been handled.
    std::function<void(TComComboBox *sender)> OnChange;

    void showPopup() override;

private:
    void SelectPortValue();
    void PortGone();
    void UserSelected();
    void TypedNameEntered();
    void ShowPortDetails();
    void ShowCurrentToolTip();

    TComSelect m_select;
};
