#pragma once

#include "platform/exception.h"

// Failure codes of the serial layer, in code order (the value is the code).
enum class TComExceptions {
    CE_OpenFailed = 1,
    CE_WriteFailed,
    CE_ReadFailed,
    CE_InvalidAsync,
    CE_PurgeFailed,
    CE_AsyncCheck,
    CE_SetStateFailed,
    CE_TimeoutsFailed,
    CE_SetupComFailed,
    CE_ClearComFailed,
    CE_ModemStatFailed,
    CE_EscapeComFailed,
    CE_TransmitFailed,
    CE_ConnChangeProp,
    CE_EnumPortsFailed,
    CE_StoreFailed,
    CE_LoadFailed,
    CE_RegFailed,
    CE_LedStateFailed,
    CE_ThreadCreated,
    CE_WaitFailed,
    CE_HasLink,
    CE_RegError,
    CEPortNotOpen
};

// The serial layer's error. With an operating-system error number above 0 the message ends in
// " (Error: n)" and OsError() holds n; otherwise OsError() is -1. CEPortNotOpen never carries one.
class EComPort : public Exception
{
public:
    explicit EComPort(TComExceptions code, int osError = -1);
    EComPort(int code, int osError);

    int ErrorCode() const { return m_errorCode; }
    int OsError() const { return m_osError; }

private:
    int m_errorCode;
    int m_osError;
};

// The fixed text of a code (1 to 24), without the error suffix.
QString ComErrorText(int code);
