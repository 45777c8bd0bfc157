#include "app/window/application_windows.h"

#include "app/tools/help_window.h"
#include "app/tools/info_window.h"
#include "app/tools/statistics_window.h"
#include "app/window/main_window.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTimer>

namespace {
Q_LOGGING_CATEGORY(lcLifecycle, "vantor.lifecycle", QtWarningMsg)
} // namespace

ApplicationWindows::ApplicationWindows() = default;

// Members go in reverse order: the windows parented to the main window leave it first.
ApplicationWindows::~ApplicationWindows() = default;

bool ApplicationWindows::Create()
{
    m_guard = std::make_unique<SingleInstanceGuard>();
    if (!m_guard->Acquire())
        return false;

    m_form1 = std::make_unique<TForm1>();
    m_formInfo = std::make_unique<TFormInfo>(m_form1.get());
    m_formHilfe = std::make_unique<TFormHilfe>(m_form1.get());
    m_formStatistics = std::make_unique<TFormStatistics>(m_form1.get());
    m_form1->SetInfoWindow(m_formInfo.get());
    m_form1->SetHelpWindow(m_formHilfe.get());
    m_form1->SetStatisticsWindow(m_formStatistics.get());

    m_guard->OnActivateRequest = [form = m_form1.get()] { form->BringToFront(); };
    m_signals = std::make_unique<TerminationSignals>([](int signal) {
        qCInfo(lcLifecycle) << "ending on signal" << signal;
        QApplication::closeAllWindows();
        QApplication::quit();
    });
    m_form1->show();
    // Reported from the event loop: the window is shown and the program handles events.
    QTimer::singleShot(0, m_form1.get(), [form = m_form1.get()] {
        qCInfo(lcLifecycle).noquote() << "main window shown:" << form->windowTitle().trimmed();
    });
    return true;
}
