#include "serial/com_port.h"
#include "serial/com_terminal.h"
#include "serial/escape_codes_vt52.h"
#include "support/event_wait.h"
#include "support/pseudo_terminal.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

// A terminal as the main window sets it up: no parser, 20 rows, black on white.
class TerminalFixture : public testing::Test
{
protected:
    TerminalFixture()
    {
        terminal.SetEmulation(TTermEmulation::teNone);
        terminal.SetRows(20);
        terminal.SetColor(clWhite);
        TFont font = terminal.Font();
        font.Name = "Courier New";
        font.Color = clBlack;
        font.Height = -17;
        terminal.SetFont(font);
        terminal.SetScrollBars(TScrollStyle::ssVertical);
        terminal.SetSmoothScroll(true);
        terminal.SetWrapLines(true);
        terminal.resize(721, 369);
    }

    // Pixels of a window cell (1-based) in the off-screen picture.
    QImage CellPixels(int column, int row)
    {
        return terminal.Picture().copy((column - 1) * terminal.FontWidth(),
                                       (row - 1) * terminal.FontHeight(), terminal.FontWidth(),
                                       terminal.FontHeight());
    }

    static bool AllPixels(const QImage &image, QRgb rgb)
    {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if ((image.pixel(x, y) & 0xFFFFFF) != (rgb & 0xFFFFFF))
                    return false;
            }
        }
        return true;
    }

    TComTerminal terminal;
};

TEST_F(TerminalFixture, DrawsReceivedCellsAtOnce)
{
    const QRgb white = qRgb(255, 255, 255);
    ASSERT_TRUE(AllPixels(CellPixels(1, 1), white));
    terminal.ShowText("AB\r\n C");
    EXPECT_FALSE(AllPixels(CellPixels(1, 1), white)) << "A drawn";
    EXPECT_FALSE(AllPixels(CellPixels(2, 1), white)) << "B drawn";
    EXPECT_TRUE(AllPixels(CellPixels(1, 2), white)) << "a blank";
    EXPECT_FALSE(AllPixels(CellPixels(2, 2), white)) << "C drawn";
    EXPECT_TRUE(AllPixels(CellPixels(3, 1), white));

    // Cell colours come from the attributes: a blank on a green background, a bright
    // underscore in AltColor.
    terminal.SetEmulation(TTermEmulation::teVT100orANSI);
    terminal.ShowText("\x1b[1;1H\x1b[42m \x1b[0;1m_");
    EXPECT_TRUE(AllPixels(CellPixels(1, 1), qRgb(0, 0x80, 0)));
    const QImage underscore = CellPixels(2, 1);
    EXPECT_TRUE(underscore.allGray());
    EXPECT_FALSE(AllPixels(underscore, white));
    bool altColorSeen = false;
    for (int y = 0; y < underscore.height(); ++y) {
        for (int x = 0; x < underscore.width(); ++x)
            altColorSeen |= (underscore.pixel(x, y) & 0xFFFFFF) == 0xA6A6A6;
    }
    EXPECT_TRUE(altColorSeen);
}

TEST_F(TerminalFixture, MovedPixelsMatchAFullRepaint)
{
    struct Case
    {
        int rows;
        int scrolledTo;
    };
    // All rows in view; more rows than fit, seen from the top and from further down.
    for (const Case c : {Case {20, 0}, Case {60, 0}, Case {60, 25}}) {
        terminal.SetRows(c.rows);
        terminal.VerticalScrollBar()->setValue(c.scrolledTo);
        ASSERT_EQ(terminal.TopLeft().Row, c.scrolledTo + 1);
        std::string text;
        for (int line = 1; line <= c.rows + 7; ++line)
            text += "line " + std::to_string(line) + "\r\n";
        terminal.ShowText(text);
        terminal.ShowText("\x1b"); // no parser: an ignored byte
        const QImage moved = terminal.Picture();
        terminal.SetColor(terminal.Color()); // draws every cell anew
        EXPECT_EQ(moved, terminal.Picture()) << c.rows << " rows, top " << c.scrolledTo;
        EXPECT_EQ(terminal.Buffer().GetCell(1, c.rows - 1).Ch, 'l');
        EXPECT_EQ(terminal.Buffer().GetCell(6, c.rows - 1).Ch, '0' + (c.rows + 7) / 10);
    }
}

TEST_F(TerminalFixture, ScrollBarShowsRowsBelowTheWindow)
{
    const int visibleRows = (terminal.height() - 4) / terminal.FontHeight();
    ASSERT_GE(visibleRows, 10);
    terminal.SetRows(visibleRows);
    EXPECT_FALSE(terminal.VerticalScrollBar()->isVisibleTo(&terminal));
    EXPECT_FALSE(terminal.HorizontalScrollBar()->isVisibleTo(&terminal));

    terminal.SetRows(40);
    QScrollBar *bar = terminal.VerticalScrollBar();
    EXPECT_TRUE(bar->isVisibleTo(&terminal));
    EXPECT_EQ(bar->maximum(), 40 - visibleRows);
    EXPECT_FALSE(terminal.HorizontalScrollBar()->isVisibleTo(&terminal));

    terminal.ShowText(std::string(24, '\n') + "X");
    EXPECT_EQ(terminal.Buffer().GetCell(1, 25).Ch, 'X');
    const QImage before = terminal.Picture();
    bar->setValue(bar->maximum());
    EXPECT_EQ(terminal.TopLeft(), (TTermPosition {1, 41 - visibleRows}));
    EXPECT_NE(terminal.Picture(), before) << "the X came into view";
    EXPECT_EQ(terminal.CaretRect().top(),
              (25 - (41 - visibleRows) + 1) * terminal.FontHeight() - terminal.FontHeight());
}

TEST_F(TerminalFixture, FontsAreFixedPitchWithoutUnderline)
{
    EXPECT_EQ(terminal.Font().Name, "Courier New");
    EXPECT_GT(terminal.FontWidth(), 4);
    EXPECT_GE(terminal.FontHeight(), 17);

    TFont proportional = terminal.Font();
    proportional.Name = "DejaVu Sans";
    proportional.Underline = true;
    proportional.Color = clRed;
    terminal.SetFont(proportional);
    EXPECT_EQ(terminal.Font().Name, "Fixedsys");
    EXPECT_FALSE(terminal.Font().Underline);
    terminal.ShowText("A");
    EXPECT_EQ(terminal.Buffer().GetCell(1, 1).ForeColor, clRed);
}

TEST_F(TerminalFixture, CaretShapes)
{
    terminal.ShowText("ab");
    const int w = terminal.FontWidth();
    const int h = terminal.FontHeight();
    EXPECT_EQ(terminal.CaretRect(), QRect(2 * w, 0, w, h));
    terminal.SetCaret(TTermCaret::tcUnderline);
    EXPECT_EQ(terminal.CaretRect(), QRect(2 * w, h - h / 8, w, h / 8));
    terminal.SetCaret(TTermCaret::tcNone);
    EXPECT_TRUE(terminal.CaretRect().isEmpty());
}

TEST_F(TerminalFixture, CaretIsDrawnInvertedOnlyWithTheFocus)
{
    terminal.ShowText("ab");
    terminal.show();
    const QPoint inCaret = terminal.ClientRect().topLeft() + terminal.CaretRect().center();
    const QRgb background = terminal.grab().toImage().pixel(inCaret);
    EXPECT_EQ(background & 0xFFFFFF, 0xFFFFFFu) << "no focus, no caret";

    QApplication::setActiveWindow(&terminal);
    terminal.setFocus();
    if (!terminal.hasFocus())
        GTEST_SKIP() << "the platform gives no focus here";
    EXPECT_EQ(terminal.grab().toImage().pixel(inCaret) & 0xFFFFFF, 0u) << "block caret inverts";
    terminal.SetCaret(TTermCaret::tcNone);
    EXPECT_EQ(terminal.grab().toImage().pixel(inCaret) & 0xFFFFFF, 0xFFFFFFu);
}

// The terminal bound to a port on a pseudo-terminal; the test plays the device on the master.
class BoundTerminal : public TerminalFixture
{
protected:
    BoundTerminal()
    {
        port.SetPort(pty.SlavePath());
        terminal.SetComPort(&port);
    }

    void Open()
    {
        terminal.SetConnected(true);
        ASSERT_TRUE(terminal.Connected());
    }

    // Sends bytes from the device and waits until the terminal has handled them all.
    void Receive(const std::string &bytes)
    {
        std::size_t handled = 0;
        auto previous = terminal.OnChar;
        terminal.OnChar = [&](TCustomComTerminal *, char) { ++handled; };
        ASSERT_TRUE(pty.Write(bytes));
        EXPECT_TRUE(ProcessEventsUntil([&] { return handled >= bytes.size(); }));
        terminal.OnChar = previous;
    }

    void Key(int key, const QString &text = {})
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&terminal, &event);
    }

    // Sends a query from the device and reads count answer bytes while the terminal works.
    std::string Exchange(const std::string &query, std::size_t count)
    {
        EXPECT_TRUE(pty.Write(query));
        std::string answer;
        ProcessEventsUntil([&] {
            answer += pty.Read(count - answer.size(), 5);
            return answer.size() >= count;
        });
        return answer;
    }

    // The bytes the device got, read up to the marker the test typed last.
    std::string SentUpToMarker()
    {
        Key(Qt::Key_Z, "z");
        std::string sent;
        while (sent.empty() || sent.back() != 'z') {
            const std::string more = pty.Read(1);
            if (more.empty())
                break;
            sent += more;
        }
        return sent.substr(0, sent.size() - 1);
    }

    PseudoTerminal pty;
    TComPort port;
};

TEST_F(BoundTerminal, ShowsReceivedBlocks)
{
    Open();
    terminal.SetAppendLF(true);
    std::string seen;
    terminal.OnStrRecieved = [&](TCustomComTerminal *sender, std::string &text) {
        EXPECT_EQ(sender, &terminal);
        seen += text;
        for (char &c : text)
            c = c == 'b' ? 'B' : c;
    };
    Receive("AB\rab");
    EXPECT_EQ(seen, "AB\r\nab");
    EXPECT_EQ(terminal.Buffer().GetCell(2, 1).Ch, 'B');
    EXPECT_EQ(terminal.Buffer().GetCell(1, 2).Ch, 'a');
    EXPECT_EQ(terminal.Buffer().GetCell(2, 2).Ch, 'B');
    EXPECT_EQ(terminal.CaretPos(), (TTermPosition {3, 2}));
}

TEST_F(BoundTerminal, AnswersQueriesThroughThePort)
{
    terminal.SetEmulation(TTermEmulation::teVT100orANSI);
    Open();
    EXPECT_EQ(Exchange("\x1b[5;7H\x1b[6n", 6), "\x1b[5;7R");
    EXPECT_EQ(Exchange("\x1b[c", 7), "\x1b[?1;2c");
    EXPECT_EQ(Exchange("\x1b[5n", 4), "\x1b[0n");

    terminal.SetEmulation(TTermEmulation::teVT52);
    EXPECT_EQ(Exchange("\x1bY\x25\x30\x1bZ", 3), "\x1b/Z");
    EXPECT_EQ(terminal.CaretPos(), (TTermPosition {17, 6}));
}

TEST_F(BoundTerminal, TypedKeysReachTheDeviceOnlyWhileOpen)
{
    terminal.SetLocalEcho(true);
    Key(Qt::Key_A, "a");
    EXPECT_EQ(terminal.Buffer().GetCell(1, 1).Ch, 0) << "closed: nothing shown";

    Open();
    terminal.SetSendLF(true);
    Key(Qt::Key_A, "a");
    Key(Qt::Key_Return, "\r");
    Key(Qt::Key_E, QString(QChar(0x20AC))); // the euro sign is 0x80 in the code page
    EXPECT_EQ(SentUpToMarker(), "a\r\n\x80");
    EXPECT_EQ(terminal.Buffer().GetCell(1, 1).Ch, 'a') << "local echo";
    EXPECT_EQ(terminal.Buffer().GetCell(1, 2).Ch, '\x80');

    Key(Qt::Key_Tab, "\t");
    EXPECT_EQ(SentUpToMarker(), "") << "Tab belongs to the focus chain";
    terminal.SetWantTab(true);
    Key(Qt::Key_Tab, "\t");
    EXPECT_EQ(SentUpToMarker(), "\t");

    terminal.SetConnected(false);
    Key(Qt::Key_B, "b");
    terminal.SetConnected(true);
    EXPECT_EQ(SentUpToMarker(), "");
}

TEST_F(BoundTerminal, CursorKeys)
{
    Open();
    Key(Qt::Key_Up);
    EXPECT_EQ(SentUpToMarker(), "") << "no parser, nothing to send";

    terminal.SetEmulation(TTermEmulation::teVT100orANSI);
    Key(Qt::Key_Up);
    Key(Qt::Key_Home);
    EXPECT_EQ(SentUpToMarker(), "\x1b[A\x1b[H");

    terminal.ShowText("\x1b[?1h");
    Key(Qt::Key_Left);
    Key(Qt::Key_Home);
    EXPECT_EQ(SentUpToMarker(), "\x1bOD") << "application keys; Home sends nothing";
    terminal.ShowText("\x1b[?1l");

    terminal.SetArrowKeys(TArrowKeys::akWindows);
    terminal.ShowText("\x1b[5;5H");
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    EXPECT_EQ(SentUpToMarker(), "");
    EXPECT_EQ(terminal.CaretPos(), (TTermPosition {6, 6}));
}

TEST_F(BoundTerminal, ForgetsADestroyedPort)
{
    auto other = std::make_unique<TComPort>();
    terminal.SetComPort(other.get());
    EXPECT_EQ(terminal.ComPort(), other.get());
    other.reset();
    EXPECT_EQ(terminal.ComPort(), nullptr);
    EXPECT_FALSE(terminal.Connected());
    terminal.SetConnected(true); // nothing to open
    terminal.SetComPort(&port);
    EXPECT_EQ(terminal.ComPort(), &port);
}

TEST_F(TerminalFixture, GetEscapeCodesSuppliesAParser)
{
    std::vector<std::string> unhandled;
    terminal.OnUnhandledCode = [&](TCustomComTerminal *, TEscapeCode, const std::string &data) {
        unhandled.push_back(data);
    };
    terminal.OnGetEscapeCodes = [](TCustomComTerminal *, std::unique_ptr<TEscapeCodes> &codes) {
        codes = std::make_unique<TEscapeCodesVT52>();
    };
    terminal.Loaded();
    ASSERT_NE(dynamic_cast<TEscapeCodesVT52 *>(terminal.EscapeCodes()), nullptr);
    terminal.ShowText("\x1bY\x22\x22"
                      "A\x1bq");
    EXPECT_EQ(terminal.Buffer().GetCell(3, 3).Ch, 'A');
    EXPECT_EQ(unhandled, (std::vector<std::string> {"q"}));
}

} // namespace
