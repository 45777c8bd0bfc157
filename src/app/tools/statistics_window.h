#pragma once

#include "app/tools/vector.h"

#include <QDialog>

#include <functional>
#include <vector>

class QPlainTextEdit;
class QPushButton;

// The statistics window: descriptive statistics of channel 1's samples in nine memo lines.
//
// Use: construct hidden with the main window as parent, set SampleSource to a function that
// returns channel 1's samples of the fast display as they are now, and call ShowModal() from
// the menu. "Analyze Channel 1" asks SampleSource at the moment of the click; an empty source
// analyses no samples (nine lines of zeros).
class TFormStatistics : public QDialog
{
    Q_OBJECT

public:
    explicit TFormStatistics(QWidget *mainWindow = nullptr);

    std::function<std::vector<double>()> SampleSource;

    // Centres the window on its parent and runs it modally until Close.
    void ShowModal();

    // Writes the nine result lines for these samples into the memo.
    void Analyze(const std::vector<double> &samples);

    void btnAnalyzeClick();
    void btnCopyClick();
    void btnCloseClick();

    QPlainTextEdit *Memo1() const { return m_memo; }
    TVector &Vec1() { return m_vec1; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    QPushButton *m_btnAnalyze;
    QPushButton *m_btnCopy;
    QPushButton *m_btnClose;
    QPlainTextEdit *m_memo;
    TVector m_vec1;
};
