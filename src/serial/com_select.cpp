#include "serial/com_select.h"

#include "platform/port_list.h"
#include "serial/com_port.h"

namespace {

// Every value of an enumeration from first to last with its text; the value whose text equals
// text without regard to case, else fallback.
template<typename E, typename ToText>
E ValueOfText(const QString &text, E last, ToText toText, E fallback)
{
    for (int i = 0; i <= static_cast<int>(last); ++i) {
        const auto value = static_cast<E>(i);
        if (text.compare(toText(value), Qt::CaseInsensitive) == 0)
            return value;
    }
    return fallback;
}

template<typename E, typename ToText>
QStringList TextsOf(E last, ToText toText)
{
    QStringList texts;
    for (int i = 0; i <= static_cast<int>(last); ++i)
        texts.append(toText(static_cast<E>(i)));
    return texts;
}

} // namespace

QStringList TComSelect::Items(TComProperty kind)
{
    switch (kind) {
    case TComProperty::cpNone:
        return {};
    case TComProperty::cpPort:
        return SerialPortNames();
    case TComProperty::cpBaudRate:
        return TextsOf(TBaudRate::br256000, BaudRateToStr);
    case TComProperty::cpDataBits:
        return TextsOf(TDataBits::dbEight, DataBitsToStr);
    case TComProperty::cpStopBits:
        return TextsOf(TStopBits::sbTwoStopBits, StopBitsToStr);
    case TComProperty::cpParity:
        return TextsOf(TParityBits::prSpace, ParityToStr);
    case TComProperty::cpFlowControl:
        return TextsOf(TFlowControl::fcCustom, FlowControlToStr);
    }
    return {};
}

QString TComSelect::PortValueText() const
{
    if (!m_port)
        return {};
    switch (m_comProperty) {
    case TComProperty::cpNone:
        return {};
    case TComProperty::cpPort:
        return m_port->Port();
    case TComProperty::cpBaudRate:
        return BaudRateToStr(m_port->BaudRate());
    case TComProperty::cpDataBits:
        return DataBitsToStr(m_port->DataBits());
    case TComProperty::cpStopBits:
        return StopBitsToStr(m_port->StopBits());
    case TComProperty::cpParity:
        return ParityToStr(m_port->Parity().Bits());
    case TComProperty::cpFlowControl:
        return FlowControlToStr(m_port->FlowControl().FlowControl());
    }
    return {};
}

void TComSelect::SelectText(const QString &text)
{
    switch (m_comProperty) {
    case TComProperty::cpNone:
        break;
    case TComProperty::cpPort:
        m_portName = text;
        break;
    case TComProperty::cpBaudRate:
        m_baudRate = ValueOfText(text, TBaudRate::br256000, BaudRateToStr, TBaudRate::br9600);
        break;
    case TComProperty::cpDataBits:
        m_dataBits = ValueOfText(text, TDataBits::dbEight, DataBitsToStr, TDataBits::dbEight);
        break;
    case TComProperty::cpStopBits:
        m_stopBits = ValueOfText(text, TStopBits::sbTwoStopBits, StopBitsToStr,
                                 TStopBits::sbOneStopBit);
        break;
    case TComProperty::cpParity:
        m_parity = ValueOfText(text, TParityBits::prSpace, ParityToStr, TParityBits::prNone);
        break;
    case TComProperty::cpFlowControl:
        m_flowControl = ValueOfText(text, TFlowControl::fcCustom, FlowControlToStr,
                                    TFlowControl::fcCustom);
        break;
    }
}

void TComSelect::ApplyToPort() const
{
    if (!m_port)
        return;
    switch (m_comProperty) {
    case TComProperty::cpNone:
        break;
    case TComProperty::cpPort:
        m_port->SetPort(m_portName);
        break;
    case TComProperty::cpBaudRate:
        m_port->SetBaudRate(m_baudRate);
        break;
    case TComProperty::cpDataBits:
        m_port->SetDataBits(m_dataBits);
        break;
    case TComProperty::cpStopBits:
        m_port->SetStopBits(m_stopBits);
        break;
    case TComProperty::cpParity:
        m_port->Parity().SetBits(m_parity);
        break;
    case TComProperty::cpFlowControl:
        m_port->FlowControl().SetFlowControl(m_flowControl);
        break;
    }
}
