#include "instruments/graphic_control.h"

TAbGraphicControl::TAbGraphicControl(QWidget *parent)
    : QWidget(parent)
{ }

TAbGraphicControl::~TAbGraphicControl() = default;

void TAbGraphicControl::BeginUpdate()
{
    ++m_updateCount;
}

void TAbGraphicControl::EndUpdate()
{
    if (m_updateCount > 0)
        --m_updateCount;
    if (m_updateCount == 0)
        RequestRefresh();
}

void TAbGraphicControl::RequestRefresh()
{
    if (m_updateCount == 0)
        SettingsChanged();
}

void TAbGraphicControl::SettingsChanged() { }

void TAbGraphicControl::Invalidate()
{
    update();
}

void TAbGraphicControl::TimerTick(std::uint32_t, std::int32_t) { }

void TAbGraphicControl::Loaded()
{
    m_loaded = true;
    EndUpdate();
}
