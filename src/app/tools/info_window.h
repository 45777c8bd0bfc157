#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The info window: product name, version and the project's details, closed only with its
// Close button (which hides it). Always on top of the other windows.
//
// Use: construct hidden at start with the main window as parent; ShowWindow() from the menu
// shows it centred on the main window, or brings it to the front when it is already shown.
class TFormInfo : public QWidget
{
    Q_OBJECT

public:
    explicit TFormInfo(QWidget *mainWindow = nullptr);

    void ShowWindow();
    void Button1Click();

    QLabel *Label1() const { return m_label1; }
    QLabel *Label3() const { return m_label3; }

private:
    QLabel *m_label1;
    QLabel *m_label3;
    QPushButton *m_button1;
};
