#pragma once

#include "platform/color.h"

#include <functional>
#include <vector>

// One character cell of the terminal grid; Ch 0 is an empty cell that is never drawn.
struct TTermChar
{
    char Ch = 0;
    TColor ForeColor = clWhite;
    TColor BackColor = clBlack;
    bool Underline = false;

    bool operator==(const TTermChar &) const = default;
};

// The terminal's grid of Columns x Rows cells (1-based positions) and its tab stops.
// It knows no pixels: changes that need drawing are reported through OnInvalidate (a cell
// rectangle to repaint) and OnScroll (the grid moved by whole rows; -1 up, +1 down), so a view
// can move its pixels instead of repainting. Positions outside the grid are ignored.
class TComTermBuffer
{
public:
    TComTermBuffer(int columns = 80, int rows = 24);

    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    // Reallocates for the new size (as Reset).
    void Resize(int columns, int rows);

    // All cells empty, tab stops at columns 1, 9, 17, ...
    void Reset();
    void SetCell(int column, int row, const TTermChar &cell);
    TTermChar GetCell(int column, int row) const;
    // Rows 2..Rows move up by one, the last row becomes empty.
    void ShiftUp();
    // Rows 1..Rows-1 move down by one, the first row becomes empty.
    void ShiftDown();
    void EraseToLineEnd(int column, int row);
    void EraseToScreenEnd(int column, int row);

    void SetTabStop(int column, bool on);
    bool TabStop(int column) const;
    void ClearTabStops();
    // The first column >= column with a tab stop, or 0 when there is none.
    int NextTabStop(int column) const;

    std::function<void(int column, int row, int lastColumn, int lastRow)> OnInvalidate;
    std::function<void(int rows)> OnScroll;

private:
    bool Contains(int column, int row) const;
    std::size_t Index(int column, int row) const;
    void Invalidate(int column, int row, int lastColumn, int lastRow);

    int m_columns;
    int m_rows;
    std::vector<TTermChar> m_cells;
    std::vector<bool> m_tabStops;
};
