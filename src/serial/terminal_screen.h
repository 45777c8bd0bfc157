#pragma once

#include "serial/escape_codes.h"
#include "serial/terminal_buffer.h"

#include <functional>
#include <memory>
#include <string>

// A 1-based grid position.
struct TTermPosition
{
    int Column = 1;
    int Row = 1;

    bool operator==(const TTermPosition &) const = default;
};

// The attributes new characters get.
struct TTermAttributes
{
    TColor ForeColor = clWhite;
    TColor BackColor = clBlack;
    bool Inverse = false;
    bool Bright = false;
    bool Underline = false;

    bool operator==(const TTermAttributes &) const = default;
};

// The terminal's emulation without pixels: the grid, the caret, the current attributes and the
// optional escape-code parser. Received bytes go in through ShowText; what must be drawn comes
// out through the buffer's notifications and OnCellStored / OnRepaint; answers to the peer come
// out through OnSend. Lives on the user-interface thread with its terminal control.
class TerminalScreen
{
public:
    static constexpr int MinColumns = 2;
    static constexpr int MaxColumns = 256;
    static constexpr int MinRows = 2;
    static constexpr int MaxRows = 100;

    TerminalScreen();

    TComTermBuffer &Buffer() { return m_buffer; }
    const TComTermBuffer &Buffer() const { return m_buffer; }

    int Columns() const { return m_buffer.Columns(); }
    int Rows() const { return m_buffer.Rows(); }
    // Clamp; on a different value the grid is cleared and the caret kept inside.
    void SetColumns(int columns);
    void SetRows(int rows);

    TTermPosition CaretPos() const { return m_caret; }
    void SetCaretPos(int column, int row); // clamped to the grid

    const TTermAttributes &Attributes() const { return m_attributes; }
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor color);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TColor AltColor() const { return m_altColor; }
    void SetAltColor(TColor color) { m_altColor = color; }
    bool WrapLines() const { return m_wrapLines; }
    void SetWrapLines(bool on) { m_wrapLines = on; }
    bool TermMode() const { return m_termMode; }
    void SetTermMode(bool on) { m_termMode = on; }

    TEscapeCodes *EscapeCodes() const { return m_escapeCodes.get(); }
    void SetEscapeCodes(std::unique_ptr<TEscapeCodes> codes);

    // Every byte through the parser when there is one, else straight to PlaceChar.
    void ShowText(const std::string &text);
    // One byte without the parser: a printable byte is stored at the caret, five control
    // bytes act, the others are ignored; OnChar follows every byte.
    void PlaceChar(char b);
    // Performs a parsed code with the parser's parameters; false for a code not performed.
    bool PerformCode(TEscapeCode code, const TEscapeParams &params);
    // Empties the grid, resets the tab stops, homes the caret.
    void ClearTerminal();

    std::function<void(char ch)> OnChar;
    std::function<void(TEscapeCode code, const std::string &data)> OnUnhandledCode;
    // Bytes to send to the peer (answers to queries).
    std::function<void(const std::string &text)> OnSend;
    // A cell was stored at this grid position and should be drawn now.
    std::function<void(int column, int row)> OnCellStored;
    std::function<void()> OnRepaint;
    // Columns or Rows changed (the grid was cleared).
    std::function<void()> OnGeometryChanged;

private:
    void StoreChar(char b);
    void AdvanceAfterChar();
    void LineFeed();
    void ReverseLineFeed();
    void ApplyAttribute(int parameter);
    void ResetAttributes();
    void SetMode(const TEscapeParams &params, bool on);
    void Answer(TEscapeCode code, const TEscapeParams &params = {});
    void FillWithTest();
    void Repaint();
    void Resize(int columns, int rows);

    TComTermBuffer m_buffer;
    TTermPosition m_caret;
    TTermAttributes m_attributes;
    TTermPosition m_savedCaret;
    TTermAttributes m_savedAttributes;
    TColor m_fontColor = clWhite;
    TColor m_color = clBlack;
    TColor m_altColor = 0xA6A6A6;
    bool m_wrapLines = false;
    bool m_termMode = false;
    std::unique_ptr<TEscapeCodes> m_escapeCodes;
};
