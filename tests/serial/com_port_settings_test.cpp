#include "serial/com_port.h"
#include "support/message_recorder.h"

#include <gtest/gtest.h>

namespace {

TEST(ComError, MessagesAndSuffix)
{
    const char *texts[] = {"Unable to open com port",
                           "WriteFile function failed",
                           "ReadFile function failed",
                           "Invalid Async parameter",
                           "PurgeComm function failed",
                           "Unable to get async status",
                           "SetCommState function failed",
                           "SetCommTimeouts failed",
                           "SetupComm function failed",
                           "ClearCommError function failed",
                           "GetCommModemStatus function failed",
                           "EscapeCommFunction function failed",
                           "TransmitCommChar function failed",
                           "Cannot set property while connected",
                           "EnumPorts function failed",
                           "Failed to store settings",
                           "Failed to load settings",
                           "Link (un)registration failed",
                           "Cannot change led state if ComPort is selected",
                           "Cannot wait for event if event thread is created",
                           "WaitForEvent method failed",
                           "A component is linked to OnRxBuf event",
                           "Registry error",
                           "Port Not Open"};
    for (int code = 1; code <= 24; ++code) {
        const EComPort plain(code, -1);
        EXPECT_EQ(plain.Message(), QString::fromLatin1(texts[code - 1])) << code;
        EXPECT_EQ(plain.ErrorCode(), code);
        EXPECT_EQ(plain.OsError(), -1);
    }
    const EComPort open(TComExceptions::CE_OpenFailed, 2);
    EXPECT_EQ(open.Message(), "Unable to open com port (Error: 2)");
    EXPECT_EQ(open.OsError(), 2);
    EXPECT_EQ(EComPort(TComExceptions::CE_WriteFailed, 0).Message(), "WriteFile function failed");
    const EComPort notOpen(TComExceptions::CEPortNotOpen, 9);
    EXPECT_EQ(notOpen.Message(), "Port Not Open");
    EXPECT_EQ(notOpen.OsError(), -1);
}

TEST(ComFlowControl, DerivedValue)
{
    TComFlowControl flow;
    EXPECT_EQ(flow.FlowControl(), TFlowControl::fcNone);
    flow.SetFlowControl(TFlowControl::fcHardware);
    EXPECT_EQ(flow.ControlRTS(), TRTSFlowControl::rtsHandshake);
    EXPECT_TRUE(flow.OutCTSFlow());
    EXPECT_EQ(flow.FlowControl(), TFlowControl::fcHardware);
    flow.SetXonXoffIn(true);
    EXPECT_EQ(flow.FlowControl(), TFlowControl::fcCustom);
    flow.SetFlowControl(TFlowControl::fcCustom); // changes nothing
    EXPECT_EQ(flow.FlowControl(), TFlowControl::fcCustom);
    flow.SetFlowControl(TFlowControl::fcSoftware);
    EXPECT_EQ(flow.ControlRTS(), TRTSFlowControl::rtsDisable);
    EXPECT_FALSE(flow.OutCTSFlow());
    EXPECT_EQ(flow.FlowControl(), TFlowControl::fcSoftware);
    flow.SetFlowControl(TFlowControl::fcNone);
    EXPECT_EQ(flow.FlowControl(), TFlowControl::fcNone);
    // DTR and DSR settings do not enter the derivation.
    flow.SetControlDTR(TDTRFlowControl::dtrHandshake);
    flow.SetOutDSRFlow(true);
    EXPECT_EQ(flow.FlowControl(), TFlowControl::fcNone);
    flow.SetControlRTS(TRTSFlowControl::rtsToggle);
    EXPECT_EQ(flow.FlowControl(), TFlowControl::fcCustom);
}

TEST(ComBuffer, OddPositiveSizesRoundDown)
{
    TComPort port;
    port.Buffer().SetInputSize(1001);
    port.Buffer().SetOutputSize(7);
    EXPECT_EQ(port.Buffer().InputSize(), 1000);
    EXPECT_EQ(port.Buffer().OutputSize(), 6);
    port.Buffer().SetInputSize(-3);
    EXPECT_EQ(port.Buffer().InputSize(), -3);

    TComBuffer value;
    value.SetInputSize(128000);
    port.SetBuffer(value);
    EXPECT_EQ(port.Buffer().InputSize(), 128000);
    EXPECT_EQ(port.Buffer().OutputSize(), 1024);
}

TEST(ComPort, LinksRegisterOnce)
{
    TComPort port;
    TComLink link;
    port.AttachLink(&link);
    try {
        port.AttachLink(&link);
        FAIL() << "second attach accepted";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.ErrorCode(), 18);
        EXPECT_EQ(e.Message(), "Link (un)registration failed");
    }
    port.DetachLink(&link);
    EXPECT_THROW(port.DetachLink(&link), EComPort);
}

TEST(ComPort, TriggersOnRxCharFollowsBlockLinks)
{
    TComPort port;
    port.SetTriggersOnRxChar(false);
    TComLink link;
    link.RxBlock = [](TCustomComPort *, const std::string &, int) {};
    port.AttachLink(&link);
    try {
        port.SetTriggersOnRxChar(true);
        FAIL() << "accepted while a block link is attached";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.Message(), "A component is linked to OnRxBuf event");
    }
    port.DetachLink(&link);
    port.SetTriggersOnRxChar(true);
    EXPECT_TRUE(port.TriggersOnRxChar());
    port.AttachLink(&link);
    EXPECT_FALSE(port.TriggersOnRxChar());
    port.DetachLink(&link);
}

TEST(ComPort, ClosedPortReportsNotOpen)
{
    TComPort port;
    EXPECT_EQ(port.SendString(""), 0);
    std::string text;
    try {
        port.ReadStr(text, 4);
        FAIL();
    } catch (const EComPort &e) {
        EXPECT_EQ(e.ErrorCode(), 24);
        EXPECT_EQ(e.Message(), "Port Not Open");
    }
    EXPECT_THROW(port.SendString("x"), EComPort);
    EXPECT_THROW(port.QueuedInput(), EComPort);
    EXPECT_THROW(port.PurgeBuffers(true, true), EComPort);
    // Writing the current state does nothing.
    int events = 0;
    port.OnBeforeClose = [&](TCustomComPort *) { ++events; };
    port.OnAfterClose = [&](TCustomComPort *) { ++events; };
    port.SetConnected(false);
    EXPECT_EQ(events, 0);
}

TEST(ComPort, MissingPortFailsToOpenAndStaysClosed)
{
    TComPort port;
    port.SetPort("/dev/vantor-no-such-port");
    int beforeOpen = 0, afterOpen = 0;
    port.OnBeforeOpen = [&](TCustomComPort *) { ++beforeOpen; };
    port.OnAfterOpen = [&](TCustomComPort *) { ++afterOpen; };
    try {
        port.SetConnected(true);
        FAIL() << "opened a missing port";
    } catch (const EComPort &e) {
        EXPECT_EQ(e.ErrorCode(), 1);
        EXPECT_EQ(e.Message(), "Unable to open com port (Error: 2)");
    }
    EXPECT_FALSE(port.Connected());
    EXPECT_FALSE(port.EventThreadRunning());
    EXPECT_EQ(beforeOpen, 1);
    EXPECT_EQ(afterOpen, 0);
}

TEST(ComPort, LoadingDefersOpen)
{
    MessageRecorder messages;
    TComPort port;
    port.BeginLoad();
    port.SetPort("/dev/vantor-no-such-port");
    port.SetConnected(true);
    EXPECT_FALSE(port.Connected());
    port.Loaded(); // the failure goes to the general error handler
    EXPECT_FALSE(port.Connected());
    EXPECT_EQ(messages.Errors, QStringList {"Unable to open com port (Error: 2)"});
}

} // namespace
