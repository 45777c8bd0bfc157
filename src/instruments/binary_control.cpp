#include "instruments/binary_control.h"

#include <QMouseEvent>

#include <bit>
#include <cstdint>

namespace {

// Set while a status word is copied to the other members of a group.
bool g_groupUpdate = false;

bool BitOf(int word, int bit)
{
    return ((static_cast<std::uint32_t>(word) >> bit) & 1u) != 0;
}

int WithBit(int word, int bit, bool on)
{
    const std::uint32_t mask = 1u << bit;
    const auto w = static_cast<std::uint32_t>(word);
    return static_cast<int>(on ? (w | mask) : (w & ~mask));
}

int OnlyBit(int bit)
{
    return static_cast<int>(1u << bit);
}

} // namespace

TAbBinGControl::TAbBinGControl(QWidget *parent)
    : QWidget(parent)
{ }

TAbBinGControl::~TAbBinGControl()
{
    Unregister(this);
}

std::uint64_t TAbBinGControl::FlashCode() const
{
    return 2 + static_cast<std::uint64_t>(m_frequency);
}

void TAbBinGControl::UpdateRegistration()
{
    if (m_checked && m_flashing)
        Register(this, FlashCode());
    else
        Unregister(this);
}

void TAbBinGControl::SetChecked(bool v)
{
    if (v == m_checked)
        return;
    m_checked = v;
    UpdateRegistration();
    if (m_mode == TMode::mRadioButton) {
        if (v)
            SetStatusInt(OnlyBit(m_statusBit));
    } else {
        SetStatusInt(WithBit(m_statusInt, m_statusBit, v));
    }
    ShowStatus();
    if (OnStatusChanged)
        OnStatusChanged(this);
}

void TAbBinGControl::SetFlashing(bool v)
{
    if (v == m_flashing)
        return;
    m_flashing = v;
    UpdateRegistration();
    ShowStatus();
    if (OnStatusChanged)
        OnStatusChanged(this);
}

void TAbBinGControl::SetFrequency(TFlashFreq v)
{
    if (v == m_frequency)
        return;
    m_frequency = v;
    if (m_checked && m_flashing)
        Register(this, FlashCode());
}

void TAbBinGControl::SetStatusInt(int v)
{
    if (v == m_statusInt)
        return;
    m_statusInt = v;
    SetChecked(BitOf(v, m_statusBit));
    m_firstSetBit = v == 0 ? 32 : std::countr_zero(static_cast<std::uint32_t>(v));
    StatusIntChanged();
    if (OnStatusIntChanged)
        OnStatusIntChanged(this);
    if (m_groupIndex == 0 || g_groupUpdate)
        return;
    g_groupUpdate = true;
    const auto members = window()->findChildren<QWidget *>();
    for (QWidget *widget : members) {
        auto *other = dynamic_cast<TAbBinGControl *>(widget);
        if (other && other != this && other->m_groupIndex == m_groupIndex)
            other->SetStatusInt(v);
    }
    g_groupUpdate = false;
}

void TAbBinGControl::SetStatusBit(int v)
{
    if (v < 0 || v > 31)
        return;
    m_statusBit = v;
    SetChecked(BitOf(m_statusInt, v));
}

void TAbBinGControl::SetGroupIndex(int v)
{
    if (v < 0 || v == m_groupIndex)
        return;
    m_groupIndex = v;
    if (v != 0) {
        // Take over the status word of the group's first member (possibly this one).
        const auto members = window()->findChildren<QWidget *>();
        for (QWidget *widget : members) {
            auto *other = dynamic_cast<TAbBinGControl *>(widget);
            if (other && other->m_groupIndex == v) {
                if (other != this)
                    SetStatusInt(other->m_statusInt);
                break;
            }
        }
    }
    GroupChanged();
}

void TAbBinGControl::SetMode(TMode v)
{
    if (v == m_mode)
        return;
    m_mode = v;
    if (v == TMode::mButton)
        SetStatusInt(0);
    else if (v == TMode::mRadioButton)
        SetStatusInt(1);
}

void TAbBinGControl::Refresh()
{
    update();
}

void TAbBinGControl::ShowStatus() { }

void TAbBinGControl::GroupChanged() { }

void TAbBinGControl::StatusIntChanged() { }

void TAbBinGControl::FlashTick(bool) { }

void TAbBinGControl::TimerTick(std::uint32_t, std::int32_t value)
{
    FlashTick(value != 0);
}

void TAbBinGControl::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    switch (m_mode) {
    case TMode::mButton:
        SetChecked(true);
        break;
    case TMode::mSwitch:
        SetChecked(!m_checked);
        break;
    case TMode::mRadioButton:
        SetStatusInt(OnlyBit(m_statusBit));
        break;
    case TMode::mIndicator:
        break;
    }
}

void TAbBinGControl::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || m_mode == TMode::mIndicator)
        return;
    if (m_mode == TMode::mButton)
        SetChecked(false);
    ShowStatus();
}
