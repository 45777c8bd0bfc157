#include "platform/exception.h"

#include <cerrno>

Exception::Exception(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toStdString())
{ }

EInOutError::EInOutError(int errorCode, QString message)
    : Exception(std::move(message))
    , m_errorCode(errorCode)
{ }

EInOutError::EInOutError(int errorCode)
    : EInOutError(errorCode, InOutErrorMessage(errorCode))
{ }

EOutOfMemory::EOutOfMemory()
    : Exception(QStringLiteral("Zu wenig Arbeitsspeicher"))
{ }

QString InOutErrorMessage(int errorCode)
{
    switch (errorCode) {
    case 2:
        return QStringLiteral("Datei nicht gefunden");
    case 3:
        return QStringLiteral("Ungültiger Dateiname");
    case 4:
        return QStringLiteral("Zu viele geöffnete Dateien");
    case 5:
        return QStringLiteral("Dateizugriff verweigert");
    case 100:
        return QStringLiteral("Dateiende gelesen");
    case 101:
        return QStringLiteral("Disk voll");
    case 102:
        return QStringLiteral("Dateivariable nicht zugeordnet");
    case 103:
        return QStringLiteral("Datei nicht geöffnet");
    case 104:
        return QStringLiteral("Datei nicht für Eingabe geöffnet");
    case 105:
        return QStringLiteral("Datei nicht für Ausgabe geöffnet");
    case 106:
        return QStringLiteral("Ungültige Eingabe");
    default:
        return QStringLiteral("E/A-Fehler %1").arg(errorCode);
    }
}

int InOutCodeFromErrno(int err)
{
    switch (err) {
    case ENOENT:
        return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return 5;
    case ENOSPC:
        return 101;
    default:
        return err;
    }
}
