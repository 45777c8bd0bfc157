#pragma once

#include <QTimer>
#include <QWidget>

// A small circular indicator that turns while a run is active (enabled) and rests otherwise.
class TActivityIndicator : public QWidget
{
    Q_OBJECT

public:
    explicit TActivityIndicator(QWidget *parent = nullptr);

    static constexpr int kStepMs = 50;
    int Phase() const { return m_phase; }

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer m_timer;
    int m_phase = 0;
};
