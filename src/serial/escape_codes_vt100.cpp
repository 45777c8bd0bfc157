#include "serial/escape_codes_vt100.h"

#include <initializer_list>
#include <string_view>

namespace {

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The first byte of the first parameter, or 0 without parameters.
char FirstParamByte(const TEscapeParams &params)
{
    return params.empty() || params.front().empty() ? 0 : params.front().front();
}

TEscapeCode DecideEraseOrTab(const TEscapeParams &params, TEscapeCode from, char allDigit,
                             TEscapeCode all)
{
    const char p0 = FirstParamByte(params);
    if (params.empty() || p0 == '0')
        return from;
    return p0 == allDigit ? all : TEscapeCode::ecUnknown;
}

TEscapeCode DecideDeviceReport(const TEscapeParams &params)
{
    switch (FirstParamByte(params)) {
    case '0':
        return TEscapeCode::ecReportDeviceOK;
    case '3':
        return TEscapeCode::ecReportDeviceFailure;
    case '5':
        return TEscapeCode::ecQueryDevice;
    case '6':
        return TEscapeCode::ecQueryCursorPos;
    default:
        return TEscapeCode::ecUnknown;
    }
}

TEscapeCode DecideIdentify(const TEscapeParams &params)
{
    if (params.empty() || (params.size() == 1 && params.front() == "0"))
        return TEscapeCode::ecIdentify;
    if (params.size() == 2 && params.front() == "?1")
        return TEscapeCode::ecIdentResponse;
    return TEscapeCode::ecUnknown;
}

// ESC "[" prefix, the numbers joined by ';', then the final byte.
std::string NumericSequence(std::initializer_list<int> numbers, char finalByte)
{
    std::string text = "\033[";
    for (int n : numbers) {
        if (text.size() > 2)
            text += ';';
        text += std::to_string(n);
    }
    return text + finalByte;
}

} // namespace

TEscapeCode TEscapeCodesVT100::DecideSequence()
{
    using enum TEscapeCode;
    if (m_inCsi)
        return IsLetter(m_data.back()) ? DecideControlSequence() : ecNotCompleted;
    if (m_data.front() == '[') {
        m_inCsi = true;
        return ecNotCompleted;
    }
    if (m_data.size() == 1) {
        switch (m_data.front()) {
        case '#':
        case 'O':
            return ecNotCompleted;
        case '7':
            return ecSaveCaretAndAttr;
        case '8':
            return ecRestoreCaretAndAttr;
        case 'H':
            return ecSetTab;
        case 'c':
            return ecReset;
        default:
            return ecUnknown;
        }
    }
    if (m_data == "#8")
        return ecTest;
    if (m_data.size() == 2 && m_data.front() == 'O') {
        switch (m_data.back()) {
        case 'A':
            return ecAppCursorUp;
        case 'B':
            return ecAppCursorDown;
        case 'C':
            return ecAppCursorRight;
        case 'D':
            return ecAppCursorLeft;
        default:
            break;
        }
    }
    return ecUnknown;
}

TEscapeCode TEscapeCodesVT100::DecideControlSequence()
{
    using enum TEscapeCode;
    m_params = SplitEscapeParams(m_data.substr(1, m_data.size() - 2));
    switch (m_data.back()) {
    case 'A':
        return ecCursorUp;
    case 'B':
        return ecCursorDown;
    case 'C':
        return ecCursorRight;
    case 'D':
        return ecCursorLeft;
    case 'H':
        return ecCursorHome;
    case 'f':
        return ecCursorMove;
    case 'J':
        return DecideEraseOrTab(m_params, ecEraseScreenFrom, '2', ecEraseScreen);
    case 'K':
        return DecideEraseOrTab(m_params, ecEraseLineFrom, '2', ecEraseLine);
    case 'g':
        return DecideEraseOrTab(m_params, ecClearTab, '3', ecClearAllTabs);
    case 'n':
        return DecideDeviceReport(m_params);
    case 'c':
        return DecideIdentify(m_params);
    case 'R':
        return ecReportCursorPos;
    case 'm':
        return ecAttributes;
    case 'h':
        return ecSetMode;
    case 'l':
        return ecResetMode;
    case 's':
        return ecSaveCaret;
    case 'u':
        return ecRestoreCaret;
    default:
        return ecUnknown;
    }
}

std::string TEscapeCodesVT100::EncodeCode(TEscapeCode code, const TEscapeParams &params) const
{
    using enum TEscapeCode;
    const int p1 = ParamValue(1, params);
    const int p2 = ParamValue(2, params);
    std::string_view body;
    switch (code) {
    case ecCursorUp:
        body = "[A";
        break;
    case ecCursorDown:
        body = "[B";
        break;
    case ecCursorLeft:
        body = "[D";
        break;
    case ecCursorRight:
        body = "[C";
        break;
    case ecCursorHome:
        body = "[H";
        break;
    case ecCursorMove:
        return NumericSequence({p1, p2}, 'f');
    case ecAppCursorLeft:
        body = "OD";
        break;
    case ecAppCursorRight:
        body = "OC";
        break;
    case ecAppCursorUp:
        body = "OA";
        break;
    case ecAppCursorDown:
        body = "OB";
        break;
    case ecEraseLineFrom:
        body = "[K";
        break;
    case ecEraseScreenFrom:
        body = "[J";
        break;
    case ecEraseLine:
        body = "[2K";
        break;
    case ecEraseScreen:
        body = "[2J";
        break;
    case ecSetTab:
        body = "H";
        break;
    case ecClearTab:
        body = "[g";
        break;
    case ecClearAllTabs:
        body = "[3g";
        break;
    case ecIdentify:
        body = "[c";
        break;
    case ecIdentResponse:
        return "\033[?1;" + std::to_string(p1) + 'c';
    case ecQueryDevice:
        body = "[5n";
        break;
    case ecReportDeviceOK:
        body = "[0n";
        break;
    case ecReportDeviceFailure:
        body = "[3n";
        break;
    case ecQueryCursorPos:
        body = "[6n";
        break;
    case ecReportCursorPos:
        return NumericSequence({p1, p2}, 'R');
    case ecAttributes:
        body = "[m";
        break;
    case ecSetMode:
        body = "[h";
        break;
    case ecResetMode:
        body = "[l";
        break;
    case ecReset:
        body = "c";
        break;
    case ecSaveCaretAndAttr:
        body = "7";
        break;
    case ecRestoreCaretAndAttr:
        body = "8";
        break;
    case ecSaveCaret:
        body = "[s";
        break;
    case ecRestoreCaret:
        body = "[u";
        break;
    case ecTest:
        body = "#8";
        break;
    default:
        return {};
    }
    std::string sequence(1, '\033');
    sequence += body;
    return sequence;
}
