#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui {
class TForm1;
}

// The main window: the only window the user works in.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Restores the window when minimised and brings it in front of the others.
    void BringToFront();

private:
    std::unique_ptr<Ui::TForm1> ui;
};
