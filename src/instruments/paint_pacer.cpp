#include "instruments/paint_pacer.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <utility>
#include <vector>

// The frame all pacers share: when the last posting was, and who waits for the frame's end.
class TPaintFrame
{
public:
    static TPaintFrame &Instance()
    {
        static TPaintFrame frame;
        return frame;
    }

    void Request(TPaintPacer *pacer)
    {
        if (!pacer->m_due) {
            pacer->m_due = true;
            m_due.push_back(pacer);
        }
        // A request late in the frame posts at once: the thread is awake for it anyway, and the
        // timer need not wake it. So does an overdue one (no event loop ran the timer).
        const qint64 since = m_sincePost.isValid() ? m_sincePost.elapsed() : kFrameMs;
        if (since >= kEarliestMs)
            PostDue();
        else if (!m_timer.isActive())
            m_timer.start(int(kFrameMs - since));
    }

    void Cancel(TPaintPacer *pacer)
    {
        if (!pacer->m_due)
            return;
        pacer->m_due = false;
        m_due.erase(std::remove(m_due.begin(), m_due.end(), pacer), m_due.end());
        if (m_due.empty())
            m_timer.stop();
    }

private:
    static constexpr int kFrameMs = TPaintPacer::kFrameMs;
    static constexpr int kEarliestMs = kFrameMs * 3 / 4;

    TPaintFrame()
    {
        m_timer.setSingleShot(true);
        m_timer.callOnTimeout([this] { PostDue(); });
    }

    void PostDue()
    {
        m_timer.stop();
        m_sincePost.start();
        const std::vector<TPaintPacer *> due = std::exchange(m_due, {});
        for (TPaintPacer *pacer : due) {
            pacer->m_due = false;
            pacer->m_post();
        }
    }

    QElapsedTimer m_sincePost;
    QTimer m_timer;
    std::vector<TPaintPacer *> m_due;
};

TPaintPacer::TPaintPacer(std::function<void()> post)
    : m_post(std::move(post))
{ }

TPaintPacer::~TPaintPacer()
{
    Cancel();
}

void TPaintPacer::Request()
{
    TPaintFrame::Instance().Request(this);
}

void TPaintPacer::Cancel()
{
    if (m_due)
        TPaintFrame::Instance().Cancel(this);
}
