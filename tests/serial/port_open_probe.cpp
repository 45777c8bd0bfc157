// Opens a port in a process of its own, so tests can run the opener as another user or hold a
// port from outside. "open PATH" tries to open and prints the failure as
//   code=<ErrorCode>, oserror=<OsError>, message=<Message> and advice=<Advice, one line each>;
// "hold PATH" opens, prints "held" and keeps the port until its standard input closes.
#include "serial/com_error.h"
#include "serial/com_port.h"

#include <QCoreApplication>

#include <unistd.h>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    TComPort port;
    port.SetPort(QString::fromLocal8Bit(argv[2]));
    if (std::strcmp(argv[1], "hold") == 0) {
        port.Open();
        std::puts("held");
        std::fflush(stdout);
        char byte = 0;
        while (::read(STDIN_FILENO, &byte, 1) > 0) { }
        port.Close();
        return 0;
    }
    try {
        port.Open();
        std::puts("opened");
    } catch (const EComPort &e) {
        std::printf("code=%d\noserror=%d\nmessage=%s\n", e.ErrorCode(), e.OsError(),
                    qPrintable(e.Message()));
        for (const QString &line : e.Advice().split(QLatin1Char('\n')))
            std::printf("advice=%s\n", qPrintable(line));
    }
    return 0;
}
