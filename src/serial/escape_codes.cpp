#include "serial/escape_codes.h"

#include <charconv>

namespace {

constexpr char Esc = 0x1B;

} // namespace

TEscapeParams SplitEscapeParams(const std::string &text)
{
    TEscapeParams params;
    std::string token;
    for (char c : text) {
        if (c == ';' && !token.empty()) {
            params.push_back(token);
            token.clear();
        } else {
            token += c;
        }
    }
    if (!token.empty())
        params.push_back(token);
    return params;
}

TEscapeParseResult TEscapeCodes::FeedByte(char b)
{
    if (!m_inSequence) {
        if (b != Esc) {
            m_character = b;
            return TEscapeParseResult::epCharacter;
        }
        m_data.clear();
        m_inSequence = true;
        return TEscapeParseResult::epPending;
    }
    m_data += b;
    TEscapeCode code = DecideSequence();
    if (code == TEscapeCode::ecNotCompleted) {
        if (m_data.size() < MaxSequenceLength)
            return TEscapeParseResult::epPending;
        code = TEscapeCode::ecUnknown;
    }
    m_lastCode = code;
    m_inSequence = false;
    EndSequence();
    return TEscapeParseResult::epCode;
}

int TEscapeCodes::ParamValue(int index, const TEscapeParams &params)
{
    if (index < 1 || static_cast<std::size_t>(index) > params.size())
        return 1;
    const std::string &text = params[static_cast<std::size_t>(index - 1)];
    const char *first = text.data();
    const char *last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    int value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return 1;
    return value;
}
