#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <functional>

// Spaces a control's repaint requests at least one frame (16 ms) apart: a request a frame or
// more after the last post posts at once, later ones within the frame post once when the frame
// ends. So a control fed thousands of values a second asks Qt for at most one repaint per
// frame, and the last value of a burst still shows within a frame. User-interface thread only.
class TPaintPacer
{
public:
    static constexpr int kFrameMs = 16;

    // post asks Qt for the repaint; it runs from Request or from the pacer's timer.
    explicit TPaintPacer(std::function<void()> post);

    void Request();
    // Forgets a due post (the control repainted fully or is hidden).
    void Cancel();
    bool Due() const { return m_timer.isActive(); }

private:
    void Post();

    std::function<void()> m_post;
    QElapsedTimer m_sincePost;
    QTimer m_timer;
};
