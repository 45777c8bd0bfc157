#include "serial/escape_codes_vt100.h"
#include "serial/escape_codes_vt52.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

using enum TEscapeCode;

// What one parser result carried: a plain byte or a code with its parameters and data.
struct Token
{
    bool isCode = false;
    char ch = 0;
    TEscapeCode code = ecUnknown;
    TEscapeParams params;
    std::string data;

    bool operator==(const Token &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Token &t)
{
    if (!t.isCode)
        return os << "char " << int(static_cast<unsigned char>(t.ch));
    os << "code " << int(t.code) << " data '" << t.data << "' params";
    for (const auto &p : t.params)
        os << " '" << p << "'";
    return os;
}

Token Ch(char c)
{
    return Token {false, c, ecUnknown, {}, {}};
}

Token Code(TEscapeCode code, std::string data, TEscapeParams params = {})
{
    return Token {true, 0, code, std::move(params), std::move(data)};
}

std::vector<Token> Parse(TEscapeCodes &parser, const std::string &stream)
{
    std::vector<Token> tokens;
    for (char b : stream) {
        switch (parser.FeedByte(b)) {
        case TEscapeParseResult::epCharacter:
            tokens.push_back(Ch(parser.Character()));
            break;
        case TEscapeParseResult::epCode:
            tokens.push_back(Code(parser.LastCode(), parser.Data(), parser.Params()));
            parser.Params().clear();
            break;
        case TEscapeParseResult::epPending:
            break;
        }
    }
    return tokens;
}

struct ParseCase
{
    const char *name;
    std::string stream;
    std::vector<Token> tokens;
};

const ParseCase Vt100Cases[] = {
        {"PlainBytesIncludingControlBytes", "A\r\n\x07", {Ch('A'), Ch('\r'), Ch('\n'), Ch('\x07')}},
        {"CursorPosition", "\x1b[12;40H", {Code(ecCursorHome, "[12;40H", {"12", "40"})}},
        {"CursorHomeWithoutParameters", "\x1b[H", {Code(ecCursorHome, "[H")}},
        {"CursorMoveF", "\x1b[3;4f", {Code(ecCursorMove, "[3;4f", {"3", "4"})}},
        {"CursorUpByZero", "\x1b[0A", {Code(ecCursorUp, "[0A", {"0"})}},
        {"CursorDownRightLeft",
         "\x1b[B\x1b[2C\x1b[D",
         {Code(ecCursorDown, "[B"), Code(ecCursorRight, "[2C", {"2"}), Code(ecCursorLeft, "[D")}},
        {"EraseScreenVariants",
         "\x1b[J\x1b[0J\x1b[2J\x1b[1J",
         {Code(ecEraseScreenFrom, "[J"), Code(ecEraseScreenFrom, "[0J", {"0"}),
          Code(ecEraseScreen, "[2J", {"2"}), Code(ecUnknown, "[1J", {"1"})}},
        {"EraseLineVariants",
         "\x1b[K\x1b[2K\x1b[1K",
         {Code(ecEraseLineFrom, "[K"), Code(ecEraseLine, "[2K", {"2"}),
          Code(ecUnknown, "[1K", {"1"})}},
        {"TabClearing",
         "\x1b[g\x1b[3g\x1b[1g",
         {Code(ecClearTab, "[g"), Code(ecClearAllTabs, "[3g", {"3"}),
          Code(ecUnknown, "[1g", {"1"})}},
        {"DeviceReports",
         "\x1b[0n\x1b[3n\x1b[5n\x1b[6n\x1b[n",
         {Code(ecReportDeviceOK, "[0n", {"0"}), Code(ecReportDeviceFailure, "[3n", {"3"}),
          Code(ecQueryDevice, "[5n", {"5"}), Code(ecQueryCursorPos, "[6n", {"6"}),
          Code(ecUnknown, "[n")}},
        {"IdentifyAndResponse",
         "\x1b[c\x1b[0c\x1b[?1;2c\x1b[1c",
         {Code(ecIdentify, "[c"), Code(ecIdentify, "[0c", {"0"}),
          Code(ecIdentResponse, "[?1;2c", {"?1", "2"}), Code(ecUnknown, "[1c", {"1"})}},
        {"EmptyParameterJoinsTheNext", "\x1b[5;;7m", {Code(ecAttributes, "[5;;7m", {"5", ";7"})}},
        {"ModesSaveRestoreReport",
         "\x1b[?1h\x1b[7l\x1b[s\x1b[u\x1b[3;9R\x1b[z",
         {Code(ecSetMode, "[?1h", {"?1"}), Code(ecResetMode, "[7l", {"7"}), Code(ecSaveCaret, "[s"),
          Code(ecRestoreCaret, "[u"), Code(ecReportCursorPos, "[3;9R", {"3", "9"}),
          Code(ecUnknown, "[z")}},
        {"ShortSequences",
         "\x1b"
         "7\x1b"
         "8\x1bH\x1b"
         "c\x1bx",
         {Code(ecSaveCaretAndAttr, "7"), Code(ecRestoreCaretAndAttr, "8"), Code(ecSetTab, "H"),
          Code(ecReset, "c"), Code(ecUnknown, "x")}},
        {"TwoByteSequences",
         "\x1b#8\x1b#3\x1bOA\x1bOB\x1bOC\x1bOD\x1bOx",
         {Code(ecTest, "#8"), Code(ecUnknown, "#3"), Code(ecAppCursorUp, "OA"),
          Code(ecAppCursorDown, "OB"), Code(ecAppCursorRight, "OC"), Code(ecAppCursorLeft, "OD"),
          Code(ecUnknown, "Ox")}},
        {"TextAroundASequence", "A\x1b[1mB", {Ch('A'), Code(ecAttributes, "[1m", {"1"}), Ch('B')}},
};

const ParseCase Vt52Cases[] = {
        {"SingleLetters",
         "\x1b"
         "A\x1b"
         "B\x1b"
         "C\x1b"
         "D\x1bH\x1bI\x1bJ\x1bK\x1bZ",
         {Code(ecCursorUp, "A"), Code(ecCursorDown, "B"), Code(ecCursorRight, "C"),
          Code(ecCursorLeft, "D"), Code(ecCursorHome, "H"), Code(ecReverseLineFeed, "I"),
          Code(ecEraseScreenFrom, "J"), Code(ecEraseLineFrom, "K"), Code(ecIdentify, "Z")}},
        {"MoveTakesRowAndColumnBytes",
         "\x1bY\x25\x30X",
         {Code(ecCursorMove, "Y\x25\x30", {"6", "17"}), Ch('X')}},
        {"IdentResponseAndUnknown",
         "\x1b/Z\x1b/x\x1bq",
         {Code(ecIdentResponse, "/Z"), Code(ecUnknown, "/x"), Code(ecUnknown, "q")}},
        {"ControlSequenceIntroducerIsUnknown", "\x1b[A", {Code(ecUnknown, "["), Ch('A')}},
};

class Vt100Parse : public testing::TestWithParam<ParseCase>
{ };
class Vt52Parse : public testing::TestWithParam<ParseCase>
{ };

TEST_P(Vt100Parse, GivesTokens)
{
    TEscapeCodesVT100 parser;
    EXPECT_EQ(Parse(parser, GetParam().stream), GetParam().tokens);
    EXPECT_FALSE(parser.InSequence());
    EXPECT_FALSE(parser.InCsi());
}

TEST_P(Vt52Parse, GivesTokens)
{
    TEscapeCodesVT52 parser;
    EXPECT_EQ(Parse(parser, GetParam().stream), GetParam().tokens);
    EXPECT_FALSE(parser.InSequence());
}

auto CaseName = [](const testing::TestParamInfo<ParseCase> &info) {
    return std::string(info.param.name);
};

INSTANTIATE_TEST_SUITE_P(EscapeCodes, Vt100Parse, testing::ValuesIn(Vt100Cases), CaseName);
INSTANTIATE_TEST_SUITE_P(EscapeCodes, Vt52Parse, testing::ValuesIn(Vt52Cases), CaseName);

TEST(EscapeCodes, PendingSequenceIsGivenUpAtTheLengthLimit)
{
    TEscapeCodesVT100 parser;
    const std::string digits(TEscapeCodes::MaxSequenceLength + 10, '1');
    const auto tokens = Parse(parser, "\x1b[" + digits + "m");
    ASSERT_EQ(tokens.size(), 13u); // the code, the 11 digits left over, the final byte
    EXPECT_TRUE(tokens[0].isCode);
    EXPECT_EQ(tokens[0].code, ecUnknown);
    EXPECT_EQ(tokens[0].data.size(), TEscapeCodes::MaxSequenceLength);
    EXPECT_EQ(tokens[1], Ch('1'));
    EXPECT_EQ(tokens.back(), Ch('m'));
    EXPECT_FALSE(parser.InCsi());
}

TEST(EscapeCodes, ParamSplittingAndValues)
{
    struct SplitCase
    {
        std::string text;
        TEscapeParams params;
    };
    const SplitCase splits[] = {
            {"", {}},     {"12;5", {"12", "5"}}, {"5;;7", {"5", ";7"}},
            {";", {";"}}, {"1;", {"1"}},         {"?1;2", {"?1", "2"}},
    };
    for (const auto &c : splits)
        EXPECT_EQ(SplitEscapeParams(c.text), c.params) << c.text;

    const TEscapeParams params {"0", "12", "x", "-3", ";7", "99999999999", "+4", ""};
    const int expected[] = {0, 12, 1, -3, 1, 1, 4, 1};
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(TEscapeCodes::ParamValue(i, params), expected[i - 1]) << "index " << i;
    EXPECT_EQ(TEscapeCodes::ParamValue(9, params), 1);
    EXPECT_EQ(TEscapeCodes::ParamValue(0, params), 1);
    EXPECT_EQ(TEscapeCodes::ParamValue(1, {}), 1);
}

TEST(EscapeCodes, EncodeWithParameters)
{
    TEscapeCodesVT100 vt100;
    TEscapeCodesVT52 vt52;
    EXPECT_EQ(vt100.EncodeCode(ecCursorMove, {"12", "40"}), "\x1b[12;40f");
    EXPECT_EQ(vt100.EncodeCode(ecCursorMove), "\x1b[1;1f");
    EXPECT_EQ(vt100.EncodeCode(ecIdentResponse, {"2"}), "\x1b[?1;2c");
    EXPECT_EQ(vt100.EncodeCode(ecReportCursorPos, {"7", "33"}), "\x1b[7;33R");
    EXPECT_EQ(vt100.EncodeCode(ecReverseLineFeed), "");
    EXPECT_EQ(vt52.EncodeCode(ecCursorMove, {"6", "17"}), "\x1bY\x25\x30");
    EXPECT_EQ(vt52.EncodeCode(ecEraseLine), "");
    EXPECT_EQ(vt52.EncodeCode(ecAppCursorUp), "");
}

// Every code a parser can send reads back as the same code through the same parser.
template<typename Parser>
void ExpectEncodingsReadBack()
{
    int encoded = 0;
    for (int i = int(ecCursorUp); i <= int(ecTest); ++i) {
        const auto code = static_cast<TEscapeCode>(i);
        Parser encoder;
        const std::string text = encoder.EncodeCode(code, {"3", "4"});
        if (text.empty())
            continue;
        ++encoded;
        Parser parser;
        const auto tokens = Parse(parser, text);
        ASSERT_EQ(tokens.size(), 1u) << "code " << i;
        EXPECT_TRUE(tokens[0].isCode) << "code " << i;
        EXPECT_EQ(tokens[0].code, code) << "code " << i << " text " << text.substr(1);
    }
    EXPECT_GT(encoded, 5);
}

TEST(EscapeCodes, Vt100EncodingsReadBack)
{
    ExpectEncodingsReadBack<TEscapeCodesVT100>();
}

TEST(EscapeCodes, Vt52EncodingsReadBack)
{
    ExpectEncodingsReadBack<TEscapeCodesVT52>();
}

} // namespace
