#include "instruments/draw_helpers.h"
#include "instruments/trend.h"

#include <QMouseEvent>

void TAbTrend::ScrollRecords(int delta)
{
    if (!Shown())
        return;
    SetFlow(false);
    m_viewStart = TrendScrolledViewStart(m_viewStart, delta, m_records.Count(), m_gridXPixel);
    PrepareBackground(true);
    DrawRecords(m_viewStart, m_records.Count() - 1);
    CopyPlotToScreen();
}

void TAbTrend::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(this, event->modifiers(), event->buttons(), pos.x(), pos.y());
    MoveCursor(pos.x(), pos.y());
}

// The cursor line follows the mouse over the plot and reports the record under it.
void TAbTrend::MoveCursor(int x, int y)
{
    if (!m_cursorLine || m_busy
        || (m_flowActive && !m_options.Contains(TTrendOption::opCursorOnRec)))
        return;
    const int column = x - m_plotRect.left();
    if (column == m_cursorX)
        return;
    m_cursorRecord = column + m_viewStart;
    m_cursorX = column;

    if (!PointInRect(x, y, m_plotRect)) {
        HideCursor();
        return;
    }
    if (m_cursorRecord < 0 || m_cursorRecord > m_records.Count() - 1) {
        // A line drawn before stays on the screen until the plot is copied again.
        m_cursorShown = false;
        m_valueAtCursor.m_dataValid = false;
        if (OnNewCursorPos)
            OnNewCursorPos(this);
        return;
    }
    m_cursorShown = true;
    DrawCursor(false);
    const TTrendRecord &record = m_records[m_cursorRecord];
    m_valueAtCursor.m_dataValid = !IsSeparator(record);
    m_valueAtCursor.m_recordNo = m_cursorRecord;
    m_valueAtCursor.m_time = record.Time;
    for (int k = 0; k < 8; ++k)
        m_valueAtCursor.m_values[k] = m_channels[k]->ValueOfRelDigit(record.Word[k]);
    if (OnNewCursorPos)
        OnNewCursorPos(this);
}

void TAbTrend::HideCursor()
{
    if (!m_cursorShown)
        return;
    m_cursorShown = false;
    m_valueAtCursor.m_dataValid = false;
    if (OnNewCursorPos)
        OnNewCursorPos(this);
    CopyPlotToScreen();
}
