#include "instruments/paint_pacer.h"

#include <utility>

TPaintPacer::TPaintPacer(std::function<void()> post)
    : m_post(std::move(post))
{
    m_timer.setSingleShot(true);
    m_timer.callOnTimeout([this] { Post(); });
}

void TPaintPacer::Request()
{
    // Overdue (no event loop ran the timer, e.g. inside a long burst): post now.
    if (!m_sincePost.isValid() || m_sincePost.elapsed() >= kFrameMs) {
        m_timer.stop();
        Post();
        return;
    }
    if (!m_timer.isActive())
        m_timer.start(int(kFrameMs - m_sincePost.elapsed()));
}

void TPaintPacer::Cancel()
{
    m_timer.stop();
}

void TPaintPacer::Post()
{
    m_sincePost.start();
    m_post();
}
