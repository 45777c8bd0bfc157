#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QTranslator;

// The user-interface texts are written in the window's own mix of German and English; that is
// what the "C" locale and every language without a translation sees. German and English come
// from vantor_<language>.qm files.

// Where the translations are: share/vantor/translations beside the executable's folder, in a
// build as in an installation.
QString TranslationsFolder();

// Where the distribution keeps Qt's own translations (qtbase_de.qm, ...).
QString QtTranslationsFolder();

// Installs the translation for the first of the user's languages (most preferred first, as
// QLocale::uiLanguages() gives them) that has a file in folder. Returns the installed
// translator, which uninstalls itself when destroyed, or nullptr: the source texts stay.
std::unique_ptr<QTranslator> InstallTranslation(const QStringList &uiLanguages,
                                                const QString &folder);

// Installs Qt's own texts (file dialog, standard buttons) in the language of Vantor's
// translation when there is one, else in the first of the user's languages that Qt has.
std::unique_ptr<QTranslator> InstallQtTranslation(const QStringList &uiLanguages,
                                                  const QTranslator *vantor, const QString &folder);
