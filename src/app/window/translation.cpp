#include "app/window/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>

QString TranslationsFolder()
{
    return QDir(QCoreApplication::applicationDirPath())
            .absoluteFilePath(QStringLiteral("../share/vantor/translations"));
}

std::unique_ptr<QTranslator> InstallTranslation(const QStringList &uiLanguages,
                                                const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    for (const QString &name : uiLanguages) {
        const QLocale language(name);
        if (language.language() == QLocale::German)
            return nullptr;
        // Tries vantor_en_GB, then vantor_en, and so on for the one language.
        if (translator->load(language, QStringLiteral("vantor"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator.get());
            return translator;
        }
    }
    return nullptr;
}
