#pragma once

#include "serial/com_types.h"

#include <QString>
#include <QStringList>

class TCustomComPort;

enum class TComProperty {
    cpNone,
    cpPort,
    cpBaudRate,
    cpDataBits,
    cpStopBits,
    cpParity,
    cpFlowControl
};

// The setting a port selector offers: its kind, the bound port (not owned), AutoApply and one
// chosen value per kind. Converts between the texts of the list and the port's values.
class TComSelect
{
public:
    // The list texts of a kind; for cpPort the serial ports present.
    static QStringList Items(TComProperty kind);

    TComProperty ComProperty() const { return m_comProperty; }
    void SetComProperty(TComProperty value) { m_comProperty = value; }
    TCustomComPort *ComPort() const { return m_port; }
    void SetComPort(TCustomComPort *port) { m_port = port; }
    bool AutoApply() const { return m_autoApply; }
    void SetAutoApply(bool value) { m_autoApply = value; }

    // The text of the bound port's current value of the kind; empty without a port or kind.
    QString PortValueText() const;
    // Takes a list text as the chosen value of the current kind; an unknown text gives the
    // kind's fallback (9600, 8 data bits, one stop bit, no parity, custom flow control).
    void SelectText(const QString &text);
    // Writes the chosen value of the current kind into the bound port.
    void ApplyToPort() const;

    QString Port() const { return m_portName; }
    TBaudRate BaudRate() const { return m_baudRate; }
    TDataBits DataBits() const { return m_dataBits; }
    TStopBits StopBits() const { return m_stopBits; }
    TParityBits Parity() const { return m_parity; }
    TFlowControl FlowControl() const { return m_flowControl; }

private:
    TComProperty m_comProperty = TComProperty::cpNone;
    TCustomComPort *m_port = nullptr;
    bool m_autoApply = false;
    QString m_portName;
    TBaudRate m_baudRate = TBaudRate::br9600;
    TDataBits m_dataBits = TDataBits::dbEight;
    TStopBits m_stopBits = TStopBits::sbOneStopBit;
    TParityBits m_parity = TParityBits::prNone;
    TFlowControl m_flowControl = TFlowControl::fcCustom;
};
