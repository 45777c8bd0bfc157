#pragma once

#include <memory>

class SingleInstanceGuard;
class TerminationSignals;
class TForm1;
class TFormHilfe;
class TFormInfo;
class TFormStatistics;

// The program's four windows, created in this order behind the single-instance guard: the
// main window, the info window, the help window and the statistics window; only the main
// window is shown. A termination signal closes the windows and ends the event loop, as
// closing the main window does. The category "vantor.lifecycle" (info level, off by default)
// reports when the main window is up and when a signal ends the program.
class ApplicationWindows
{
public:
    ApplicationWindows();
    ~ApplicationWindows();

    // False when another instance runs; it has been asked to come to the front.
    bool Create();

    TForm1 *MainWindow() const { return m_form1.get(); }

private:
    std::unique_ptr<SingleInstanceGuard> m_guard;
    std::unique_ptr<TerminationSignals> m_signals;
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TFormInfo> m_formInfo;
    std::unique_ptr<TFormHilfe> m_formHilfe;
    std::unique_ptr<TFormStatistics> m_formStatistics;
};
