#include "app/application_windows.h"
#include "platform/application.h"

int main(int argc, char *argv[])
{
    VantorApplication app(argc, argv);
    ApplicationWindows windows;
    if (!windows.Create())
        return 0;
    return app.exec();
}
