#pragma once

#include "serial/com_types.h"

class TCustomComPort;

// The port's settings objects. Each is owned by its port and, on a change to a different value,
// asks the port to apply its group to the open device. A copy is a detached value (no port);
// assigning a value to an owned object copies every field and applies the group unconditionally.

class TComParity
{
public:
    explicit TComParity(TCustomComPort *port = nullptr)
        : m_port(port)
    { }
    TComParity(const TComParity &other);
    TComParity &operator=(const TComParity &other);

    TParityBits Bits() const { return m_bits; }
    void SetBits(TParityBits value);
    bool Check() const { return m_check; }
    void SetCheck(bool value);
    bool Replace() const { return m_replace; }
    void SetReplace(bool value);
    char ReplaceChar() const { return m_replaceChar; }
    void SetReplaceChar(char value);

private:
    void Changed();

    TCustomComPort *m_port;
    TParityBits m_bits = TParityBits::prNone;
    bool m_check = false;
    bool m_replace = false;
    char m_replaceChar = 0;
};

class TComFlowControl
{
public:
    explicit TComFlowControl(TCustomComPort *port = nullptr)
        : m_port(port)
    { }
    TComFlowControl(const TComFlowControl &other);
    TComFlowControl &operator=(const TComFlowControl &other);

    bool OutCTSFlow() const { return m_outCTSFlow; }
    void SetOutCTSFlow(bool value);
    bool OutDSRFlow() const { return m_outDSRFlow; }
    void SetOutDSRFlow(bool value);
    TDTRFlowControl ControlDTR() const { return m_controlDTR; }
    void SetControlDTR(TDTRFlowControl value);
    TRTSFlowControl ControlRTS() const { return m_controlRTS; }
    void SetControlRTS(TRTSFlowControl value);
    bool XonXoffOut() const { return m_xonXoffOut; }
    void SetXonXoffOut(bool value);
    bool XonXoffIn() const { return m_xonXoffIn; }
    void SetXonXoffIn(bool value);
    bool DSRSensitivity() const { return m_dsrSensitivity; }
    void SetDSRSensitivity(bool value);
    bool TxContinueOnXoff() const { return m_txContinueOnXoff; }
    void SetTxContinueOnXoff(bool value);
    char XonChar() const { return m_xonChar; }
    void SetXonChar(char value);
    char XoffChar() const { return m_xoffChar; }
    void SetXoffChar(char value);

    // Derived from RTS control, CTS output flow and the Xon/Xoff flags; writing it always
    // applies the line settings.
    TFlowControl FlowControl() const;
    void SetFlowControl(TFlowControl value);

private:
    void Changed();

    TCustomComPort *m_port;
    bool m_outCTSFlow = false;
    bool m_outDSRFlow = false;
    TDTRFlowControl m_controlDTR = TDTRFlowControl::dtrDisable;
    TRTSFlowControl m_controlRTS = TRTSFlowControl::rtsDisable;
    bool m_xonXoffOut = false;
    bool m_xonXoffIn = false;
    bool m_dsrSensitivity = false;
    bool m_txContinueOnXoff = false;
    char m_xonChar = 17;
    char m_xoffChar = 19;
};

// Milliseconds. A write of n bytes gives up after WriteTotalConstant + WriteTotalMultiplier * n
// (no limit when both are 0). Reads always return at once with what is queued.
class TComTimeouts
{
public:
    explicit TComTimeouts(TCustomComPort *port = nullptr)
        : m_port(port)
    { }
    TComTimeouts(const TComTimeouts &other);
    TComTimeouts &operator=(const TComTimeouts &other);

    int ReadInterval() const { return m_readInterval; }
    void SetReadInterval(int value);
    int ReadTotalMultiplier() const { return m_readTotalMultiplier; }
    void SetReadTotalMultiplier(int value);
    int ReadTotalConstant() const { return m_readTotalConstant; }
    void SetReadTotalConstant(int value);
    int WriteTotalMultiplier() const { return m_writeTotalMultiplier; }
    void SetWriteTotalMultiplier(int value);
    int WriteTotalConstant() const { return m_writeTotalConstant; }
    void SetWriteTotalConstant(int value);

private:
    void Changed();
    void Store(int &field, int value);

    TCustomComPort *m_port;
    int m_readInterval = -1;
    int m_readTotalMultiplier = 0;
    int m_readTotalConstant = 0;
    int m_writeTotalMultiplier = 100;
    int m_writeTotalConstant = 1000;
};

// Queue sizes in bytes; an odd positive value is stored as the next lower even one.
// InputSize is the size of the port's input queue.
class TComBuffer
{
public:
    explicit TComBuffer(TCustomComPort *port = nullptr)
        : m_port(port)
    { }
    TComBuffer(const TComBuffer &other);
    TComBuffer &operator=(const TComBuffer &other);

    int InputSize() const { return m_inputSize; }
    void SetInputSize(int value);
    int OutputSize() const { return m_outputSize; }
    void SetOutputSize(int value);

private:
    void Changed();
    void Store(int &field, int value);

    TCustomComPort *m_port;
    int m_inputSize = 1024;
    int m_outputSize = 1024;
};
