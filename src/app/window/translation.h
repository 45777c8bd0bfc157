#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QTranslator;

// The user-interface texts are written in the window's own mix of German and English; that is
// what a German user and every language without a translation sees. Other languages come from
// vantor_<language>.qm files.

// Where the translations are: share/vantor/translations beside the executable's folder, in a
// build as in an installation.
QString TranslationsFolder();

// Installs the translation for the first of the user's languages (most preferred first, as
// QLocale::uiLanguages() gives them) that is German or has a file in folder; German keeps the
// source texts. Returns the installed translator, which uninstalls itself when destroyed, or
// nullptr.
std::unique_ptr<QTranslator> InstallTranslation(const QStringList &uiLanguages,
                                                const QString &folder);
