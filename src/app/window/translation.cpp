#include "app/window/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Tries <base>_de_DE, then <base>_de, and so on for each of the languages in turn.
std::unique_ptr<QTranslator> InstallFirst(const QStringList &languages, const QString &base,
                                          const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    for (const QString &name : languages) {
        const QLocale language(name);
        // QLocale turns unknown names into "C"; "C" has no file and must not fall back to
        // the file without a language suffix.
        if (language.language() == QLocale::C)
            continue;
        if (translator->load(language, base, QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator.get());
            return translator;
        }
    }
    return nullptr;
}

} // namespace

QString TranslationsFolder()
{
    return QDir(QCoreApplication::applicationDirPath())
            .absoluteFilePath(QStringLiteral("../share/vantor/translations"));
}

QString QtTranslationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

std::unique_ptr<QTranslator> InstallTranslation(const QStringList &uiLanguages,
                                                const QString &folder)
{
    return InstallFirst(uiLanguages, QStringLiteral("vantor"), folder);
}

std::unique_ptr<QTranslator> InstallQtTranslation(const QStringList &uiLanguages,
                                                  const QTranslator *vantor, const QString &folder)
{
    if (vantor != nullptr)
        return InstallFirst({vantor->language()}, QStringLiteral("qtbase"), folder);
    return InstallFirst(uiLanguages, QStringLiteral("qtbase"), folder);
}
