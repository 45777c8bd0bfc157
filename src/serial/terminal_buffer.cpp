#include "serial/terminal_buffer.h"

#include <algorithm>

TComTermBuffer::TComTermBuffer(int columns, int rows)
    : m_columns(std::max(columns, 1))
    , m_rows(std::max(rows, 1))
{
    Reset();
}

void TComTermBuffer::Resize(int columns, int rows)
{
    m_columns = std::max(columns, 1);
    m_rows = std::max(rows, 1);
    Reset();
}

void TComTermBuffer::Reset()
{
    m_cells.assign(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows), {});
    m_tabStops.assign(static_cast<std::size_t>(m_columns), false);
    for (int column = 1; column <= m_columns; column += 8)
        SetTabStop(column, true);
}

bool TComTermBuffer::Contains(int column, int row) const
{
    return column >= 1 && column <= m_columns && row >= 1 && row <= m_rows;
}

std::size_t TComTermBuffer::Index(int column, int row) const
{
    return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(m_columns)
            + static_cast<std::size_t>(column - 1);
}

void TComTermBuffer::Invalidate(int column, int row, int lastColumn, int lastRow)
{
    if (OnInvalidate)
        OnInvalidate(column, row, lastColumn, lastRow);
}

void TComTermBuffer::SetCell(int column, int row, const TTermChar &cell)
{
    if (Contains(column, row))
        m_cells[Index(column, row)] = cell;
}

TTermChar TComTermBuffer::GetCell(int column, int row) const
{
    return Contains(column, row) ? m_cells[Index(column, row)] : TTermChar {};
}

void TComTermBuffer::ShiftUp()
{
    const auto rowLength = static_cast<std::ptrdiff_t>(m_columns);
    std::move(m_cells.begin() + rowLength, m_cells.end(), m_cells.begin());
    std::fill(m_cells.end() - rowLength, m_cells.end(), TTermChar {});
    if (OnScroll)
        OnScroll(-1);
}

void TComTermBuffer::ShiftDown()
{
    const auto rowLength = static_cast<std::ptrdiff_t>(m_columns);
    std::move_backward(m_cells.begin(), m_cells.end() - rowLength, m_cells.end());
    std::fill(m_cells.begin(), m_cells.begin() + rowLength, TTermChar {});
    if (OnScroll)
        OnScroll(1);
}

void TComTermBuffer::EraseToLineEnd(int column, int row)
{
    if (!Contains(column, row))
        return;
    std::fill(m_cells.begin() + static_cast<std::ptrdiff_t>(Index(column, row)),
              m_cells.begin() + static_cast<std::ptrdiff_t>(Index(m_columns, row)) + 1,
              TTermChar {});
    Invalidate(column, row, m_columns, row);
}

void TComTermBuffer::EraseToScreenEnd(int column, int row)
{
    if (!Contains(column, row))
        return;
    std::fill(m_cells.begin() + static_cast<std::ptrdiff_t>(Index(column, row)), m_cells.end(),
              TTermChar {});
    Invalidate(column, row, m_columns, row);
    if (row < m_rows)
        Invalidate(1, row + 1, m_columns, m_rows);
}

void TComTermBuffer::SetTabStop(int column, bool on)
{
    if (column >= 1 && column <= m_columns)
        m_tabStops[static_cast<std::size_t>(column - 1)] = on;
}

bool TComTermBuffer::TabStop(int column) const
{
    return column >= 1 && column <= m_columns && m_tabStops[static_cast<std::size_t>(column - 1)];
}

void TComTermBuffer::ClearTabStops()
{
    std::fill(m_tabStops.begin(), m_tabStops.end(), false);
}

int TComTermBuffer::NextTabStop(int column) const
{
    for (int c = std::max(column, 1); c <= m_columns; ++c) {
        if (TabStop(c))
            return c;
    }
    return 0;
}
