#pragma once

#include <memory>

class SingleInstanceGuard;
class TForm1;

// The program's windows in their creation order, behind the single-instance guard.
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
    std::unique_ptr<TForm1> m_form1;
};
