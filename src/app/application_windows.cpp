#include "app/application_windows.h"

#include "app/help_window.h"
#include "app/info_window.h"
#include "app/main_window.h"
#include "app/statistics_window.h"
#include "platform/single_instance.h"

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
    m_form1->show();
    return true;
}
