// TerminalScreen: performing the control codes an escape-code parser reports.
#include "serial/terminal_screen.h"

#include <array>

namespace {

// Colours of the attribute parameters 30..39 (text) and 40..49 (background).
constexpr std::array<TColor, 10> AttributeColors = {
        RGBToColor(0x00, 0x00, 0x00), RGBToColor(0xFF, 0x00, 0x00), RGBToColor(0x00, 0x80, 0x00),
        RGBToColor(0xFF, 0xFF, 0x00), RGBToColor(0x00, 0x00, 0xFF), RGBToColor(0x80, 0x00, 0x80),
        RGBToColor(0xFF, 0x80, 0x00), RGBToColor(0xFF, 0xFF, 0xFF), RGBToColor(0x80, 0x00, 0x00),
        RGBToColor(0x80, 0x80, 0x80),
};

} // namespace

bool TerminalScreen::PerformCode(TEscapeCode code, const TEscapeParams &params)
{
    using enum TEscapeCode;
    const int p1 = TEscapeCodes::ParamValue(1, params);
    const int p2 = TEscapeCodes::ParamValue(2, params);
    const TTermPosition caret = m_caret;
    switch (code) {
    case ecCursorUp:
    case ecAppCursorUp:
        SetCaretPos(caret.Column, caret.Row - p1);
        break;
    case ecCursorDown:
    case ecAppCursorDown:
        SetCaretPos(caret.Column, caret.Row + p1);
        break;
    case ecCursorLeft:
    case ecAppCursorLeft:
        SetCaretPos(caret.Column - p1, caret.Row);
        break;
    case ecCursorRight:
    case ecAppCursorRight:
        SetCaretPos(caret.Column + p1, caret.Row);
        break;
    case ecCursorHome:
    case ecCursorMove:
        SetCaretPos(p2, p1);
        break;
    case ecReverseLineFeed:
        ReverseLineFeed();
        break;
    case ecEraseLineFrom:
        m_buffer.EraseToLineEnd(caret.Column, caret.Row);
        break;
    case ecEraseScreenFrom:
        m_buffer.EraseToScreenEnd(caret.Column, caret.Row);
        break;
    case ecEraseLine:
        m_buffer.EraseToLineEnd(1, caret.Row);
        SetCaretPos(1, caret.Row);
        break;
    case ecEraseScreen:
        m_buffer.EraseToScreenEnd(1, 1);
        SetCaretPos(1, 1);
        break;
    case ecSetTab:
    case ecClearTab:
        m_buffer.SetTabStop(caret.Column, code == ecSetTab);
        break;
    case ecClearAllTabs:
        m_buffer.ClearTabStops();
        break;
    case ecIdentify:
        Answer(ecIdentResponse, {"2"});
        break;
    case ecQueryDevice:
        Answer(ecReportDeviceOK);
        break;
    case ecQueryCursorPos:
        Answer(ecReportCursorPos, {std::to_string(caret.Row), std::to_string(caret.Column)});
        break;
    case ecAttributes:
        if (params.empty())
            ResetAttributes();
        for (std::size_t i = 1; i <= params.size(); ++i)
            ApplyAttribute(TEscapeCodes::ParamValue(static_cast<int>(i), params));
        break;
    case ecSetMode:
    case ecResetMode:
        SetMode(params, code == ecSetMode);
        break;
    case ecReset:
        ResetAttributes();
        break;
    case ecSaveCaretAndAttr:
        m_savedCaret = caret;
        m_savedAttributes = m_attributes;
        break;
    case ecRestoreCaretAndAttr:
        SetCaretPos(m_savedCaret.Column, m_savedCaret.Row);
        m_attributes = m_savedAttributes;
        break;
    case ecSaveCaret:
        m_savedCaret = caret;
        break;
    case ecRestoreCaret:
        SetCaretPos(m_savedCaret.Column, m_savedCaret.Row);
        break;
    case ecTest:
        FillWithTest();
        break;
    default:
        return false;
    }
    return true;
}

void TerminalScreen::ApplyAttribute(int parameter)
{
    switch (parameter) {
    case 0:
        ResetAttributes();
        return;
    case 1:
    case 21:
        m_attributes.Bright = parameter == 1;
        return;
    case 4:
    case 24:
        m_attributes.Underline = parameter == 4;
        return;
    case 7:
    case 27:
        m_attributes.Inverse = parameter == 7;
        return;
    default:
        break;
    }
    if (parameter >= 30 && parameter <= 39)
        m_attributes.ForeColor = AttributeColors[static_cast<std::size_t>(parameter - 30)];
    else if (parameter >= 40 && parameter <= 49)
        m_attributes.BackColor = AttributeColors[static_cast<std::size_t>(parameter - 40)];
}

void TerminalScreen::ResetAttributes()
{
    m_attributes = TTermAttributes {m_fontColor, m_color, false, false, false};
}

void TerminalScreen::SetMode(const TEscapeParams &params, bool on)
{
    if (params.empty())
        return;
    const std::string &mode = params.front();
    if (mode == "?1")
        m_termMode = on;
    else if (mode == "7")
        m_wrapLines = on;
    else if (mode == "?3")
        SetColumns(on ? 132 : 80);
}

void TerminalScreen::Answer(TEscapeCode code, const TEscapeParams &params)
{
    if (!m_escapeCodes || !OnSend)
        return;
    const std::string text = m_escapeCodes->EncodeCode(code, params);
    if (!text.empty())
        OnSend(text);
}

void TerminalScreen::FillWithTest()
{
    const TTermChar test {'E', m_fontColor, m_color, false};
    for (int row = 1; row <= Rows(); ++row) {
        for (int column = 1; column <= Columns(); ++column)
            m_buffer.SetCell(column, row, test);
    }
    Repaint();
}
