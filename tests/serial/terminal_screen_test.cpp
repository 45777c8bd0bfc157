#include "serial/escape_codes_vt100.h"
#include "serial/escape_codes_vt52.h"
#include "serial/terminal_screen.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

using enum TEscapeCode;
using namespace std::string_literals;

struct CellAt
{
    int column;
    int row;
    char ch;
};

// The cells of the grid holding more than a blank, row by row.
std::vector<CellAt> Cells(const TComTermBuffer &buffer)
{
    std::vector<CellAt> cells;
    for (int row = 1; row <= buffer.Rows(); ++row) {
        for (int column = 1; column <= buffer.Columns(); ++column) {
            if (const char ch = buffer.GetCell(column, row).Ch; ch != 0 && ch != ' ')
                cells.push_back({column, row, ch});
        }
    }
    return cells;
}

std::string Describe(const std::vector<CellAt> &cells)
{
    std::string text;
    for (const auto &c : cells)
        text += std::string(1, c.ch) + "@" + std::to_string(c.column) + "," + std::to_string(c.row)
                + " ";
    return text;
}

enum class Parser { none, vt100, vt52 };

struct ScreenCase
{
    const char *name;
    std::string stream;
    std::string expectedCells; // as Describe() writes them, blanks left out
    TTermPosition caret;
    Parser parser = Parser::none;
    bool wrap = false;
};

std::string Repeat(char c, int n)
{
    return std::string(static_cast<std::size_t>(n), c);
}

// Screen of 80 x 20 cells as the main window uses it.
std::unique_ptr<TerminalScreen> MakeScreen(Parser parser, bool wrap)
{
    auto screen = std::make_unique<TerminalScreen>();
    screen->SetRows(20);
    screen->SetWrapLines(wrap);
    if (parser == Parser::vt100)
        screen->SetEscapeCodes(std::make_unique<TEscapeCodesVT100>());
    else if (parser == Parser::vt52)
        screen->SetEscapeCodes(std::make_unique<TEscapeCodesVT52>());
    return screen;
}

const ScreenCase ScreenCases[] = {
        {"CrLfStartsTheNextLine", "AB\r\nC", "A@1,1 B@2,1 C@1,2 ", {2, 2}},
        {"LfAloneKeepsTheColumn", "AB\nC", "A@1,1 B@2,1 C@3,2 ", {4, 2}},
        {"BackspaceStopsAtColumnOne", "\b\bA\bB", "B@1,1 ", {2, 1}},
        {"TabGoesToTheNextStop", "\tX\tY", "X@9,1 Y@17,1 ", {18, 1}},
        {"TabWithoutFurtherStopStays", Repeat(' ', 74) + "\tX", "X@75,1 ", {76, 1}},
        {"FormFeedClearsAndHomes", "AB\r\nC\fD", "D@1,1 ", {2, 1}},
        {"IgnoredControlBytes",
         "A\x01\x07\x0b\x0e\x1f\x00"
         "B"s,
         "A@1,1 B@2,1 ",
         {3, 1}},
        {"LastColumnIsOverwrittenWithoutWrap", Repeat(' ', 79) + "bc", "c@80,1 ", {80, 1}},
        {"WrapContinuesOnTheNextRow", Repeat(' ', 80) + "b", "b@1,2 ", {2, 2}, Parser::none, true},
        {"LfOnTheLastRowShiftsUp", "A" + Repeat('\n', 19) + "Z\n", "Z@2,19 ", {3, 20}},
        {"WrapOnTheLastRowShiftsUp",
         Repeat('\n', 19) + Repeat(' ', 79) + "YZ",
         "Y@80,19 Z@1,20 ",
         {2, 20},
         Parser::none,
         true},
        {"Vt100CursorPosition", "\x1b[12;40HX", "X@40,12 ", {41, 12}, Parser::vt100},
        {"Vt100HomeAndMoveByZero",
         "\x1b[5;5H\x1b[0AX\x1b[HY",
         "Y@1,1 X@5,5 ",
         {2, 1},
         Parser::vt100},
        {"Vt100RelativeMovesClamp",
         "\x1b[99B\x1b[3C\x1b[99AX\x1b[2DY",
         "Y@3,1 X@4,1 ",
         {4, 1},
         Parser::vt100},
        {"Vt100EraseLineFrom", "ABCD\x1b[1;3H\x1b[K", "A@1,1 B@2,1 ", {3, 1}, Parser::vt100},
        {"Vt100EraseLine", "AB\r\nCD\x1b[2K", "A@1,1 B@2,1 ", {1, 2}, Parser::vt100},
        {"Vt100EraseScreenFrom", "AB\r\nCD\x1b[1;2H\x1b[J", "A@1,1 ", {2, 1}, Parser::vt100},
        {"Vt100EraseScreen", "AB\r\nCD\x1b[2J", "", {1, 1}, Parser::vt100},
        {"Vt100ClearAllTabs", "\x1b[3g\tX", "X@1,1 ", {2, 1}, Parser::vt100},
        {"Vt100SetTab", "\x1b[1;5H\x1bH\r\tX", "X@5,1 ", {6, 1}, Parser::vt100},
        {"Vt100ClearTab", "\x1b[1;9H\x1b[g\r\tX", "X@17,1 ", {18, 1}, Parser::vt100},
        {"Vt100SaveAndRestoreCaret",
         "\x1b[3;4H\x1b[sAB\x1b[uC",
         "C@4,3 B@5,3 ",
         {5, 3},
         Parser::vt100},
        {"Vt100WrapModeOn", "\x1b[7h" + Repeat(' ', 80) + "b", "b@1,2 ", {2, 2}, Parser::vt100},
        {"Vt52Move", "\x1bY\x25\x30X", "X@17,6 ", {18, 6}, Parser::vt52},
        {"Vt52ReverseLineFeedOnRowOneShiftsDown", "A\x1bI", "A@1,2 ", {2, 1}, Parser::vt52},
        {"Vt52ReverseLineFeedMovesUp",
         "\nA\x1bI\x1b"
         "B\x1b"
         "AB",
         "B@2,1 A@1,2 ",
         {3, 1},
         Parser::vt52},
        {"Vt52EraseToLineEnd",
         "ABC\x1b"
         "D\x1b"
         "D\x1bK",
         "A@1,1 ",
         {2, 1},
         Parser::vt52},
};

std::ostream &operator<<(std::ostream &os, const ScreenCase &c)
{
    return os << c.name;
}

class TerminalStream : public testing::TestWithParam<ScreenCase>
{ };

TEST_P(TerminalStream, GivesCellsAndCaret)
{
    const ScreenCase &c = GetParam();
    auto screen = MakeScreen(c.parser, c.wrap);
    screen->ShowText(c.stream);
    const auto whole = Describe(Cells(screen->Buffer()));
    EXPECT_EQ(whole, c.expectedCells);
    EXPECT_EQ(screen->CaretPos(), c.caret);

    // The same stream cut in two at every offset gives the same screen.
    for (std::size_t cut = 1; cut < c.stream.size(); ++cut) {
        auto split = MakeScreen(c.parser, c.wrap);
        split->ShowText(c.stream.substr(0, cut));
        split->ShowText(c.stream.substr(cut));
        ASSERT_EQ(Describe(Cells(split->Buffer())), whole) << "cut at " << cut;
        ASSERT_EQ(split->CaretPos(), c.caret) << "cut at " << cut;
    }
}

INSTANTIATE_TEST_SUITE_P(TerminalScreen, TerminalStream, testing::ValuesIn(ScreenCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(TerminalScreen, EveryByteRaisesOnCharAfterItIsHandled)
{
    TerminalScreen screen;
    std::string seen;
    screen.OnChar = [&](char ch) {
        seen += ch;
        if (ch == 'A') {
            EXPECT_EQ(screen.CaretPos(), (TTermPosition {2, 1}));
        }
    };
    const std::string stream("A\x01\x1b\x0b\x7f\xff\r\n\x00", 9);
    screen.ShowText(stream);
    EXPECT_EQ(seen, stream);
}

TEST(TerminalScreen, RowsAndColumnsClampAndClear)
{
    struct Case
    {
        bool rows;
        int value;
        int stored;
    };
    const Case cases[] = {{true, 150, 100},  {true, 1, 2},  {true, 40, 40},
                          {false, 300, 256}, {false, 0, 2}, {false, 132, 132}};
    for (const auto &c : cases) {
        TerminalScreen screen;
        int geometryChanges = 0;
        screen.OnGeometryChanged = [&] { ++geometryChanges; };
        screen.ShowText("AB\r\n\n\nCD");
        if (c.rows)
            screen.SetRows(c.value);
        else
            screen.SetColumns(c.value);
        EXPECT_EQ(c.rows ? screen.Rows() : screen.Columns(), c.stored) << c.value;
        EXPECT_TRUE(Cells(screen.Buffer()).empty()) << c.value;
        EXPECT_EQ(geometryChanges, 1);
        EXPECT_LE(screen.CaretPos().Row, screen.Rows());
        EXPECT_LE(screen.CaretPos().Column, screen.Columns());
    }

    TerminalScreen unchanged;
    unchanged.ShowText("A");
    unchanged.SetRows(24);
    EXPECT_EQ(Cells(unchanged.Buffer()).size(), 1u) << "the same value keeps the grid";
}

TEST(TerminalScreen, AttributesColourTheCells)
{
    TerminalScreen screen;
    screen.SetEscapeCodes(std::make_unique<TEscapeCodesVT100>());
    screen.SetFontColor(clBlack);
    screen.SetColor(clWhite);
    screen.SetAltColor(0xA6A6A6);
    const TColor red = RGBToColor(0xFF, 0, 0);
    const TColor green = RGBToColor(0, 0x80, 0);
    screen.ShowText("\x1b[1;31mA\x1b[21mB\x1b[0mC\x1b[7mD\x1b[27;4;42mE\x1b[mF\x1b[?;39mG");

    struct Expected
    {
        TColor fore;
        TColor back;
        bool underline;
    };
    const Expected expected[] = {
            {0xA6A6A6, clWhite, false}, // bright shows in AltColor
            {red, clWhite, false}, // the red appears once bright is off
            {clBlack, clWhite, false}, // 0 resets
            {clWhite, clBlack, false}, // inverse swaps
            {clBlack, green, true}, // underline, green background
            {clBlack, clWhite, false}, // no parameter resets
            {RGBToColor(0x80, 0x80, 0x80), clWhite, false}, // '?' counts as 1 (bright) ...
    };
    for (int i = 0; i < 7; ++i) {
        const TTermChar cell = screen.Buffer().GetCell(i + 1, 1);
        EXPECT_EQ(cell.Ch, 'A' + i);
        if (i == 6) {
            EXPECT_EQ(cell.ForeColor, 0xA6A6A6u) << "... so grey 39 does not show";
            EXPECT_TRUE(screen.Attributes().Bright);
            EXPECT_EQ(screen.Attributes().ForeColor, expected[i].fore);
            continue;
        }
        EXPECT_EQ(cell.ForeColor, expected[i].fore) << cell.Ch;
        EXPECT_EQ(cell.BackColor, expected[i].back) << cell.Ch;
        EXPECT_EQ(cell.Underline, expected[i].underline) << cell.Ch;
    }
}

TEST(TerminalScreen, QueriesAreAnsweredThroughTheParser)
{
    struct Case
    {
        Parser parser;
        std::string query;
        std::string answer;
    };
    const Case cases[] = {
            {Parser::vt100, "\x1b[12;40H\x1b[6n", "\x1b[12;40R"},
            {Parser::vt100, "\x1b[c", "\x1b[?1;2c"},
            {Parser::vt100, "\x1b[0c", "\x1b[?1;2c"},
            {Parser::vt100, "\x1b[5n", "\x1b[0n"},
            {Parser::vt52, "\x1bZ", "\x1b/Z"},
            {Parser::vt100, "\x1b[0n\x1b[3;4R\x1b[?1;2c", ""}, // reports are not answered
    };
    for (const auto &c : cases) {
        auto screen = MakeScreen(c.parser, false);
        std::string sent;
        screen->OnSend = [&](const std::string &text) { sent += text; };
        screen->ShowText(c.query);
        EXPECT_EQ(sent, c.answer) << c.query.substr(1);
    }
}

TEST(TerminalScreen, UnperformedCodesReachOnUnhandledCode)
{
    auto screen = MakeScreen(Parser::vt100, false);
    std::vector<std::pair<TEscapeCode, std::string>> unhandled;
    screen->OnUnhandledCode = [&](TEscapeCode code, const std::string &data) {
        unhandled.emplace_back(code, data);
    };
    screen->ShowText("\x1b[1J\x1b[3n\x1b[2;2R\x1bOA\x1b[7q");
    const std::vector<std::pair<TEscapeCode, std::string>> expected
            = {{ecUnknown, "[1J"},
               {ecReportDeviceFailure, "[3n"},
               {ecReportCursorPos, "[2;2R"},
               {ecUnknown, "[7q"}};
    EXPECT_EQ(unhandled, expected);
    EXPECT_TRUE(screen->EscapeCodes()->Params().empty());
    EXPECT_EQ(screen->CaretPos(), (TTermPosition {1, 1})) << "ESC O A moved up from row 1";
}

TEST(TerminalScreen, ModesSaveRestoreAndTest)
{
    auto screen = MakeScreen(Parser::vt100, false);
    screen->SetFontColor(clBlack);
    screen->SetColor(clWhite);
    screen->ShowText("\x1b[?1h\x1b[7h\x1b[?3h");
    EXPECT_TRUE(screen->TermMode());
    EXPECT_TRUE(screen->WrapLines());
    EXPECT_EQ(screen->Columns(), 132);
    screen->ShowText("\x1b[?1l\x1b[7l\x1b[?3l");
    EXPECT_FALSE(screen->TermMode());
    EXPECT_FALSE(screen->WrapLines());
    EXPECT_EQ(screen->Columns(), 80);

    screen->ShowText("\x1b[5;6H\x1b[4m\x1b"
                     "7\x1b[H\x1b[24;1mA\x1b"
                     "8B");
    EXPECT_EQ(screen->Buffer().GetCell(6, 5).Ch, 'B');
    EXPECT_TRUE(screen->Buffer().GetCell(6, 5).Underline) << "attributes restored";
    EXPECT_FALSE(screen->Buffer().GetCell(1, 1).Underline);

    int repaints = 0;
    screen->OnRepaint = [&] { ++repaints; };
    screen->ShowText("\x1b[31m\x1b#8");
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(Cells(screen->Buffer()).size(), 80u * 20u);
    const TTermChar test {'E', clBlack, clWhite, false};
    EXPECT_EQ(screen->Buffer().GetCell(80, 20), test);
}

TEST(TerminalScreen, BufferReportsWhatToRedraw)
{
    TComTermBuffer buffer(10, 5);
    std::vector<std::array<int, 4>> invalidated;
    std::vector<int> scrolled;
    buffer.OnInvalidate = [&](int c, int r, int lc, int lr) {
        invalidated.push_back({c, r, lc, lr});
    };
    buffer.OnScroll = [&](int rows) { scrolled.push_back(rows); };
    buffer.SetCell(3, 2, {'x', clRed, clBlue, true});
    buffer.EraseToLineEnd(4, 2);
    buffer.EraseToScreenEnd(5, 5);
    buffer.EraseToScreenEnd(2, 3);
    buffer.ShiftDown();
    buffer.ShiftUp();
    buffer.SetCell(11, 1, {'y'});
    buffer.SetCell(0, 1, {'y'});
    EXPECT_EQ(buffer.GetCell(3, 2).Ch, 'x');
    EXPECT_EQ(buffer.GetCell(11, 1).Ch, 0);
    const std::vector<std::array<int, 4>> expected
            = {{4, 2, 10, 2}, {5, 5, 10, 5}, {2, 3, 10, 3}, {1, 4, 10, 5}};
    EXPECT_EQ(invalidated, expected);
    EXPECT_EQ(scrolled, (std::vector<int> {1, -1}));
    EXPECT_EQ(buffer.NextTabStop(0), 1);
    EXPECT_EQ(buffer.NextTabStop(10), 0);
    EXPECT_EQ(buffer.NextTabStop(2), 9);
}

} // namespace
