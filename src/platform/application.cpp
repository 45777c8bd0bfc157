#include "platform/application.h"

#include "platform/application_icon.h"
#include "platform/user_interface.h"

namespace {

// On X11, Qt hands each repaint to the server through shared memory and then waits for the
// server to say it is done with it: two more wake-ups per repaint, three times the idle
// window's own (measured under Xvfb: 38 wake-ups/s against 11 without). Plain image requests
// carry the small areas this window repaints without that wait. A user's own choice stands.
int &PreferPlainImageTransfer(int &argc)
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    return argc;
}

} // namespace

VantorApplication::VantorApplication(int &argc, char **argv)
    : QApplication(PreferPlainImageTransfer(argc), argv)
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
