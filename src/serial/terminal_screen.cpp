#include "serial/terminal_screen.h"

#include <algorithm>

namespace {

constexpr char BS = 0x08, TAB = 0x09, LF = 0x0A, FF = 0x0C, CR = 0x0D;

} // namespace

TerminalScreen::TerminalScreen()
    : m_buffer(80, 24)
{ }

void TerminalScreen::SetColumns(int columns)
{
    columns = std::clamp(columns, MinColumns, MaxColumns);
    if (columns != Columns())
        Resize(columns, Rows());
}

void TerminalScreen::SetRows(int rows)
{
    rows = std::clamp(rows, MinRows, MaxRows);
    if (rows != Rows())
        Resize(Columns(), rows);
}

void TerminalScreen::Resize(int columns, int rows)
{
    m_buffer.Resize(columns, rows);
    SetCaretPos(m_caret.Column, m_caret.Row);
    if (OnGeometryChanged)
        OnGeometryChanged();
    Repaint();
}

void TerminalScreen::SetCaretPos(int column, int row)
{
    m_caret.Column = std::clamp(column, 1, Columns());
    m_caret.Row = std::clamp(row, 1, Rows());
}

void TerminalScreen::SetFontColor(TColor color)
{
    m_fontColor = color;
    m_attributes.ForeColor = color;
}

void TerminalScreen::SetColor(TColor color)
{
    m_color = color;
    m_attributes.BackColor = color;
}

void TerminalScreen::SetEscapeCodes(std::unique_ptr<TEscapeCodes> codes)
{
    m_escapeCodes = std::move(codes);
}

void TerminalScreen::ShowText(const std::string &text)
{
    for (char b : text) {
        if (!m_escapeCodes) {
            PlaceChar(b);
            continue;
        }
        switch (m_escapeCodes->FeedByte(b)) {
        case TEscapeParseResult::epCharacter:
            PlaceChar(m_escapeCodes->Character());
            break;
        case TEscapeParseResult::epCode: {
            // The parser may be replaced by a handler; keep what this code needs.
            TEscapeCodes *codes = m_escapeCodes.get();
            const TEscapeParams params = std::move(codes->Params());
            codes->Params().clear();
            if (!PerformCode(codes->LastCode(), params) && OnUnhandledCode)
                OnUnhandledCode(codes->LastCode(), codes->Data());
            break;
        }
        case TEscapeParseResult::epPending:
            break;
        }
    }
}

void TerminalScreen::PlaceChar(char b)
{
    switch (b) {
    case BS:
        SetCaretPos(m_caret.Column - 1, m_caret.Row);
        break;
    case TAB:
        if (const int stop = m_buffer.NextTabStop(m_caret.Column + 1); stop != 0)
            SetCaretPos(stop, m_caret.Row);
        break;
    case LF:
        LineFeed();
        break;
    case FF:
        ClearTerminal();
        break;
    case CR:
        SetCaretPos(1, m_caret.Row);
        break;
    default:
        if (static_cast<unsigned char>(b) >= 0x20) {
            StoreChar(b);
            AdvanceAfterChar();
        }
        break;
    }
    if (OnChar)
        OnChar(b);
}

void TerminalScreen::StoreChar(char b)
{
    TTermChar cell;
    cell.Ch = b;
    if (m_attributes.Bright)
        cell.ForeColor = m_altColor;
    else
        cell.ForeColor = m_attributes.Inverse ? m_attributes.BackColor : m_attributes.ForeColor;
    cell.BackColor = m_attributes.Inverse ? m_attributes.ForeColor : m_attributes.BackColor;
    cell.Underline = m_attributes.Underline;
    m_buffer.SetCell(m_caret.Column, m_caret.Row, cell);
    if (OnCellStored)
        OnCellStored(m_caret.Column, m_caret.Row);
}

void TerminalScreen::AdvanceAfterChar()
{
    if (m_caret.Column < Columns()) {
        ++m_caret.Column;
        return;
    }
    if (!m_wrapLines)
        return;
    if (m_caret.Row == Rows())
        m_buffer.ShiftUp();
    else
        ++m_caret.Row;
    m_caret.Column = 1;
}

void TerminalScreen::LineFeed()
{
    if (m_caret.Row == Rows())
        m_buffer.ShiftUp();
    else
        ++m_caret.Row;
}

void TerminalScreen::ReverseLineFeed()
{
    if (m_caret.Row == 1)
        m_buffer.ShiftDown();
    else
        --m_caret.Row;
}

void TerminalScreen::ClearTerminal()
{
    m_buffer.Reset();
    m_caret = {};
    Repaint();
}

void TerminalScreen::Repaint()
{
    if (OnRepaint)
        OnRepaint();
}
