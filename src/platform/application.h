#pragma once

#include <QApplication>

// The application object: every exception that leaves an event handler is caught here and
// shown in an error dialog, and the program goes on.
class VantorApplication : public QApplication
{
public:
    VantorApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
