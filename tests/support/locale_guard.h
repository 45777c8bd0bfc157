#pragma once

#include <QLocale>

// Pins the default locale for the lifetime of the guard.
class LocaleGuard
{
public:
    explicit LocaleGuard(const QLocale &locale)
        : m_previous(QLocale())
    {
        QLocale::setDefault(locale);
    }
    ~LocaleGuard() { QLocale::setDefault(m_previous); }

    LocaleGuard(const LocaleGuard &) = delete;
    LocaleGuard &operator=(const LocaleGuard &) = delete;

    static QLocale German() { return QLocale(QLocale::German, QLocale::Germany); }
    static QLocale C() { return QLocale::c(); }

private:
    QLocale m_previous;
};
