#include "app/application_windows.h"

#include "app/main_window.h"
#include "platform/single_instance.h"

ApplicationWindows::ApplicationWindows() = default;
ApplicationWindows::~ApplicationWindows() = default;

bool ApplicationWindows::Create()
{
    m_guard = std::make_unique<SingleInstanceGuard>();
    if (!m_guard->Acquire())
        return false;

    m_form1 = std::make_unique<TForm1>();
    m_guard->OnActivateRequest = [form = m_form1.get()] { form->BringToFront(); };
    m_form1->show();
    return true;
}
