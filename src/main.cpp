#include "app/window/application_windows.h"
#include "app/window/translation.h"
#include "platform/application.h"

#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    VantorApplication app(argc, argv);
    const QStringList languages = QLocale::system().uiLanguages();
    const auto translation = InstallTranslation(languages, TranslationsFolder());
    const auto qtTranslation
            = InstallQtTranslation(languages, translation.get(), QtTranslationsFolder());
    ApplicationWindows windows;
    if (!windows.Create())
        return 0;
    return app.exec();
}
