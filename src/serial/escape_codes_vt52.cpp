#include "serial/escape_codes_vt52.h"

namespace {

// VT52 encodes a row or column n (1-based) as the byte n + 31.
std::string PositionText(char byte)
{
    return std::to_string(static_cast<unsigned char>(byte) - 31);
}

} // namespace

TEscapeCode TEscapeCodesVT52::DecideSequence()
{
    using enum TEscapeCode;
    switch (m_data.front()) {
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
    case 'I':
        return ecReverseLineFeed;
    case 'J':
        return ecEraseScreenFrom;
    case 'K':
        return ecEraseLineFrom;
    case 'Z':
        return ecIdentify;
    case '/':
        if (m_data.size() == 1)
            return ecNotCompleted;
        return m_data[1] == 'Z' ? ecIdentResponse : ecUnknown;
    case 'Y':
        if (m_data.size() < 3)
            return ecNotCompleted;
        m_params.push_back(PositionText(m_data[1]));
        m_params.push_back(PositionText(m_data[2]));
        return ecCursorMove;
    default:
        return ecUnknown;
    }
}

std::string TEscapeCodesVT52::EncodeCode(TEscapeCode code, const TEscapeParams &params) const
{
    using enum TEscapeCode;
    switch (code) {
    case ecCursorUp:
        return "\033A";
    case ecCursorDown:
        return "\033B";
    case ecCursorLeft:
        return "\033D";
    case ecCursorRight:
        return "\033C";
    case ecCursorHome:
        return "\033H";
    case ecCursorMove: {
        std::string text = "\033Y";
        text += static_cast<char>(ParamValue(1, params) + 31);
        text += static_cast<char>(ParamValue(2, params) + 31);
        return text;
    }
    case ecReverseLineFeed:
        return "\033I";
    case ecEraseLineFrom:
        return "\033K";
    case ecEraseScreenFrom:
        return "\033J";
    case ecIdentify:
        return "\033Z";
    case ecIdentResponse:
        return "\033/Z";
    default:
        return {};
    }
}
