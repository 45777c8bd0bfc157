#pragma once

#include <functional>

// Spaces the repaint requests of all controls about one frame apart: a request 12 ms or more
// after the last posting posts at once (with any still due), so a value that wakes the thread
// late in the frame needs no timer wake-up of its own; earlier requests post together when the
// frame ends (16 ms). So controls fed thousands of values a second ask Qt for one repaint per
// frame, in the same event-loop turn, and the last value of a burst still shows within a
// frame. User-interface thread only.
class TPaintPacer
{
public:
    static constexpr int kFrameMs = 16;

    // post asks Qt for the repaint; it runs from Request or when the frame ends.
    explicit TPaintPacer(std::function<void()> post);
    ~TPaintPacer();
    TPaintPacer(const TPaintPacer &) = delete;
    TPaintPacer &operator=(const TPaintPacer &) = delete;

    void Request();
    // Forgets a due post (the control is hidden or repaints fully).
    void Cancel();

private:
    friend class TPaintFrame;

    std::function<void()> m_post;
    bool m_due = false;
};
