#pragma once

#include <QString>

#include <exception>
#include <string>

// Base of every error the system raises; the message is what the user sees.
class Exception : public std::exception
{
public:
    explicit Exception(QString message);

    const QString &Message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

    // What the user can do about the error; the error dialog shows it under the message. It is
    // not part of Message().
    const QString &Advice() const { return m_advice; }
    void SetAdvice(QString advice) { m_advice = std::move(advice); }

private:
    QString m_message;
    std::string m_utf8;
    QString m_advice;
};

// A text that does not convert to a number.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// A failed file operation; ErrorCode() is the runtime's I/O code.
class EInOutError : public Exception
{
public:
    EInOutError(int errorCode, QString message);
    explicit EInOutError(int errorCode);

    int ErrorCode() const { return m_errorCode; }

private:
    int m_errorCode;
};

class EOutOfMemory : public Exception
{
public:
    EOutOfMemory();
    using Exception::Exception;
};

// The runtime's German message for an I/O code ("Dateizugriff verweigert", "E/A-Fehler %d").
QString InOutErrorMessage(int errorCode);

// Maps errno to the runtime's I/O codes (2 file not found, 3 path not found, 5 access denied, ...).
int InOutCodeFromErrno(int err);
