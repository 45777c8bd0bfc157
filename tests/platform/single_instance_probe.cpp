// A program that holds the single-instance guard: prints "primary" or "secondary" and, as
// primary, "activated" when a later start asks it to come to the front.
#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SingleInstanceGuard guard(QString::fromLocal8Bit(argv[1]));
    if (!guard.Acquire()) {
        std::puts("secondary");
        return 0;
    }
    std::puts("primary");
    std::fflush(stdout);
    guard.OnActivateRequest = [] {
        std::puts("activated");
        std::fflush(stdout);
        QCoreApplication::quit();
    };
    QTimer::singleShot(20000, &app, &QCoreApplication::quit);
    return app.exec();
}
