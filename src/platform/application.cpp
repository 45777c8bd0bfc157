#include "platform/application.h"

#include "platform/application_icon.h"
#include "platform/user_interface.h"

VantorApplication::VantorApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Vantor"));
    setWindowIcon(ApplicationIcon());
    setDesktopFileName(QStringLiteral("org.vantor.Vantor")); // the menu entry it was started from
}

bool VantorApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    RunGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
