#include "serial/com_error.h"

#include <array>

namespace {

constexpr std::array<const char *, 24> kTexts = {
        "Unable to open com port",
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
        "Port Not Open",
};

constexpr int kPortNotOpen = int(TComExceptions::CEPortNotOpen);

int EffectiveOsError(int code, int osError)
{
    return code != kPortNotOpen && osError > 0 ? osError : -1;
}

QString MessageFor(int code, int osError)
{
    QString text = ComErrorText(code);
    if (EffectiveOsError(code, osError) > 0)
        text += QStringLiteral(" (Error: %1)").arg(osError);
    return text;
}

} // namespace

QString ComErrorText(int code)
{
    if (code < 1 || code > int(kTexts.size()))
        return QString();
    return QString::fromLatin1(kTexts[std::size_t(code - 1)]);
}

EComPort::EComPort(TComExceptions code, int osError)
    : EComPort(int(code), osError)
{ }

EComPort::EComPort(int code, int osError)
    : Exception(MessageFor(code, osError))
    , m_errorCode(code)
    , m_osError(EffectiveOsError(code, osError))
{ }
