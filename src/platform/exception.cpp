#include "platform/exception.h"

#include <QCoreApplication>

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
        return QCoreApplication::translate("InOutError", "Datei nicht gefunden");
    case 3:
        return QCoreApplication::translate("InOutError", "Ungültiger Dateiname");
    case 4:
        return QCoreApplication::translate("InOutError", "Zu viele geöffnete Dateien");
    case 5:
        return QCoreApplication::translate("InOutError", "Dateizugriff verweigert");
    case 100:
        return QCoreApplication::translate("InOutError", "Dateiende gelesen");
    case 101:
        return QCoreApplication::translate("InOutError", "Disk voll");
    case 102:
        return QCoreApplication::translate("InOutError", "Dateivariable nicht zugeordnet");
    case 103:
        return QCoreApplication::translate("InOutError", "Datei nicht geöffnet");
    case 104:
        return QCoreApplication::translate("InOutError", "Datei nicht für Eingabe geöffnet");
    case 105:
        return QCoreApplication::translate("InOutError", "Datei nicht für Ausgabe geöffnet");
    case 106:
        return QCoreApplication::translate("InOutError", "Ungültige Eingabe");
    default:
        return QCoreApplication::translate("InOutError", "E/A-Fehler %1").arg(errorCode);
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
