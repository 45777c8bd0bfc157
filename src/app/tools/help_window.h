#pragma once

#include <QString>
#include <QWidget>

class QFrame;
class QPushButton;
class QTextEdit;

// The help text shown in the help window: German, or the loaded translation's language.
QString HelpText();

// The help window: the help text in a read-only box, hidden again with Close.
//
// Use: construct hidden at start with the main window as parent; ShowWindow() from the menu
// shows it centred on the main window, or brings it to the front when it is already shown.
class TFormHilfe : public QWidget
{
    Q_OBJECT

public:
    explicit TFormHilfe(QWidget *mainWindow = nullptr);

    void ShowWindow();
    void Button1Click();

    QTextEdit *RichEdit1() const { return m_richEdit1; }

private:
    QPushButton *m_button1;
    QFrame *m_panel1;
    QTextEdit *m_richEdit1;
};
