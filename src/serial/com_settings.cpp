#include "serial/com_settings.h"

#include "serial/com_port.h"

#include "platform/store_if_changed.h"

// TComParity

TComParity::TComParity(const TComParity &other)
    : m_port(nullptr)
    , m_bits(other.m_bits)
    , m_check(other.m_check)
    , m_replace(other.m_replace)
    , m_replaceChar(other.m_replaceChar)
{ }

TComParity &TComParity::operator=(const TComParity &other)
{
    m_bits = other.m_bits;
    m_check = other.m_check;
    m_replace = other.m_replace;
    m_replaceChar = other.m_replaceChar;
    Changed();
    return *this;
}

void TComParity::SetBits(TParityBits value)
{
    if (StoreIfChanged(m_bits, value))
        Changed();
}

void TComParity::SetCheck(bool value)
{
    if (StoreIfChanged(m_check, value))
        Changed();
}

void TComParity::SetReplace(bool value)
{
    if (StoreIfChanged(m_replace, value))
        Changed();
}

void TComParity::SetReplaceChar(char value)
{
    if (StoreIfChanged(m_replaceChar, value))
        Changed();
}

void TComParity::Changed()
{
    if (m_port)
        m_port->ApplyLineSettings();
}

// TComFlowControl

TComFlowControl::TComFlowControl(const TComFlowControl &other)
    : m_port(nullptr)
{
    *this = other;
}

TComFlowControl &TComFlowControl::operator=(const TComFlowControl &other)
{
    m_outCTSFlow = other.m_outCTSFlow;
    m_outDSRFlow = other.m_outDSRFlow;
    m_controlDTR = other.m_controlDTR;
    m_controlRTS = other.m_controlRTS;
    m_xonXoffOut = other.m_xonXoffOut;
    m_xonXoffIn = other.m_xonXoffIn;
    m_dsrSensitivity = other.m_dsrSensitivity;
    m_txContinueOnXoff = other.m_txContinueOnXoff;
    m_xonChar = other.m_xonChar;
    m_xoffChar = other.m_xoffChar;
    Changed();
    return *this;
}

void TComFlowControl::SetOutCTSFlow(bool value)
{
    if (StoreIfChanged(m_outCTSFlow, value))
        Changed();
}

void TComFlowControl::SetOutDSRFlow(bool value)
{
    if (StoreIfChanged(m_outDSRFlow, value))
        Changed();
}

void TComFlowControl::SetControlDTR(TDTRFlowControl value)
{
    if (StoreIfChanged(m_controlDTR, value))
        Changed();
}

void TComFlowControl::SetControlRTS(TRTSFlowControl value)
{
    if (StoreIfChanged(m_controlRTS, value))
        Changed();
}

void TComFlowControl::SetXonXoffOut(bool value)
{
    if (StoreIfChanged(m_xonXoffOut, value))
        Changed();
}

void TComFlowControl::SetXonXoffIn(bool value)
{
    if (StoreIfChanged(m_xonXoffIn, value))
        Changed();
}

void TComFlowControl::SetDSRSensitivity(bool value)
{
    if (StoreIfChanged(m_dsrSensitivity, value))
        Changed();
}

void TComFlowControl::SetTxContinueOnXoff(bool value)
{
    if (StoreIfChanged(m_txContinueOnXoff, value))
        Changed();
}

void TComFlowControl::SetXonChar(char value)
{
    if (StoreIfChanged(m_xonChar, value))
        Changed();
}

void TComFlowControl::SetXoffChar(char value)
{
    if (StoreIfChanged(m_xoffChar, value))
        Changed();
}

TFlowControl TComFlowControl::FlowControl() const
{
    const bool rtsOff = m_controlRTS == TRTSFlowControl::rtsDisable;
    if (m_controlRTS == TRTSFlowControl::rtsHandshake && m_outCTSFlow && !m_xonXoffIn
        && !m_xonXoffOut)
        return TFlowControl::fcHardware;
    if (rtsOff && !m_outCTSFlow && m_xonXoffIn && m_xonXoffOut)
        return TFlowControl::fcSoftware;
    if (!rtsOff || m_outCTSFlow || m_xonXoffIn || m_xonXoffOut)
        return TFlowControl::fcCustom;
    return TFlowControl::fcNone;
}

void TComFlowControl::SetFlowControl(TFlowControl value)
{
    if (value != TFlowControl::fcCustom) {
        m_controlRTS = TRTSFlowControl::rtsDisable;
        m_outCTSFlow = false;
        m_xonXoffIn = false;
        m_xonXoffOut = false;
    }
    if (value == TFlowControl::fcHardware) {
        m_controlRTS = TRTSFlowControl::rtsHandshake;
        m_outCTSFlow = true;
    } else if (value == TFlowControl::fcSoftware) {
        m_xonXoffIn = true;
        m_xonXoffOut = true;
    }
    Changed();
}

void TComFlowControl::Changed()
{
    if (m_port)
        m_port->ApplyLineSettings();
}

// TComTimeouts

TComTimeouts::TComTimeouts(const TComTimeouts &other)
    : m_port(nullptr)
    , m_readInterval(other.m_readInterval)
    , m_readTotalMultiplier(other.m_readTotalMultiplier)
    , m_readTotalConstant(other.m_readTotalConstant)
    , m_writeTotalMultiplier(other.m_writeTotalMultiplier)
    , m_writeTotalConstant(other.m_writeTotalConstant)
{ }

TComTimeouts &TComTimeouts::operator=(const TComTimeouts &other)
{
    m_readInterval = other.m_readInterval;
    m_readTotalMultiplier = other.m_readTotalMultiplier;
    m_readTotalConstant = other.m_readTotalConstant;
    m_writeTotalMultiplier = other.m_writeTotalMultiplier;
    m_writeTotalConstant = other.m_writeTotalConstant;
    Changed();
    return *this;
}

void TComTimeouts::SetReadInterval(int value)
{
    Store(m_readInterval, value);
}

void TComTimeouts::SetReadTotalMultiplier(int value)
{
    Store(m_readTotalMultiplier, value);
}

void TComTimeouts::SetReadTotalConstant(int value)
{
    Store(m_readTotalConstant, value);
}

void TComTimeouts::SetWriteTotalMultiplier(int value)
{
    Store(m_writeTotalMultiplier, value);
}

void TComTimeouts::SetWriteTotalConstant(int value)
{
    Store(m_writeTotalConstant, value);
}

void TComTimeouts::Store(int &field, int value)
{
    if (::StoreIfChanged(field, value))
        Changed();
}

void TComTimeouts::Changed()
{
    if (m_port)
        m_port->ApplyTimeouts();
}

// TComBuffer

TComBuffer::TComBuffer(const TComBuffer &other)
    : m_port(nullptr)
    , m_inputSize(other.m_inputSize)
    , m_outputSize(other.m_outputSize)
{ }

TComBuffer &TComBuffer::operator=(const TComBuffer &other)
{
    m_inputSize = other.m_inputSize;
    m_outputSize = other.m_outputSize;
    Changed();
    return *this;
}

void TComBuffer::SetInputSize(int value)
{
    Store(m_inputSize, value);
}

void TComBuffer::SetOutputSize(int value)
{
    Store(m_outputSize, value);
}

void TComBuffer::Store(int &field, int value)
{
    if (value > 0 && value % 2 != 0)
        --value;
    if (::StoreIfChanged(field, value))
        Changed();
}

void TComBuffer::Changed()
{
    if (m_port)
        m_port->ApplyBuffer();
}
