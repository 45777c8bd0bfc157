#include "app/window/application_windows.h"
#include "app/window/translation.h"
#include "platform/application.h"

#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    VantorApplication app(argc, argv);
    const auto translation
            = InstallTranslation(QLocale::system().uiLanguages(), TranslationsFolder());
    ApplicationWindows windows;
    if (!windows.Create())
        return 0;
    return app.exec();
}
