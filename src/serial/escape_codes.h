#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Terminal control codes, in the order stored and reported to handlers.
enum class TEscapeCode {
    ecUnknown,
    ecNotCompleted,
    ecCursorUp,
    ecCursorDown,
    ecCursorLeft,
    ecCursorRight,
    ecCursorHome,
    ecCursorMove,
    ecReverseLineFeed,
    ecAppCursorLeft,
    ecAppCursorRight,
    ecAppCursorUp,
    ecAppCursorDown,
    ecEraseLineFrom,
    ecEraseScreenFrom,
    ecEraseLine,
    ecEraseScreen,
    ecSetTab,
    ecClearTab,
    ecClearAllTabs,
    ecIdentify,
    ecIdentResponse,
    ecQueryDevice,
    ecReportDeviceOK,
    ecReportDeviceFailure,
    ecQueryCursorPos,
    ecReportCursorPos,
    ecAttributes,
    ecSetMode,
    ecResetMode,
    ecReset,
    ecSaveCaretAndAttr,
    ecRestoreCaretAndAttr,
    ecSaveCaret,
    ecRestoreCaret,
    ecTest
};

enum class TEscapeParseResult { epCharacter, epCode, epPending };

// Parameter texts of a control sequence.
using TEscapeParams = std::vector<std::string>;

// Splits the text between "[" and the final letter into parameters: ';' ends a non-empty
// token, a ';' met with an empty token becomes part of it ("5;;7" gives "5" and ";7").
TEscapeParams SplitEscapeParams(const std::string &text);

// A byte-fed escape-code parser: turns received bytes into plain characters and control codes
// and control codes back into the bytes to send. Not thread-safe; owned by one terminal.
class TEscapeCodes
{
public:
    // A sequence that grows to this many bytes without completing is given up as ecUnknown,
    // so a stream that never sends the final byte cannot grow memory without bound.
    static constexpr std::size_t MaxSequenceLength = 256;

    virtual ~TEscapeCodes() = default;

    virtual TEscapeParseResult FeedByte(char b);
    // The bytes that send code with params; empty for a code this parser cannot send.
    virtual std::string EncodeCode(TEscapeCode code, const TEscapeParams &params = {}) const = 0;

    // The index-th parameter (1-based) as an integer; 1 when missing or not a number.
    static int ParamValue(int index, const TEscapeParams &params);

    char Character() const { return m_character; }
    TEscapeCode LastCode() const { return m_lastCode; }
    // The bytes of the current or last sequence after the ESC byte.
    const std::string &Data() const { return m_data; }
    TEscapeParams &Params() { return m_params; }
    const TEscapeParams &Params() const { return m_params; }
    bool InSequence() const { return m_inSequence; }

protected:
    // Decides the sequence held in Data() after a byte was appended; ecNotCompleted keeps it
    // open.
    virtual TEscapeCode DecideSequence() = 0;
    // Called when a sequence ends, whatever its result.
    virtual void EndSequence() { }

    TEscapeParams m_params;
    std::string m_data;

private:
    char m_character = 0;
    TEscapeCode m_lastCode = TEscapeCode::ecUnknown;
    bool m_inSequence = false;
};
