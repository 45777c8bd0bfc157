#pragma once

#include "platform/drawing_types.h"
#include "serial/com_link.h"
#include "serial/terminal_screen.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

class QScrollBar;
class TCustomComPort;

enum class TTermEmulation { teVT100orANSI, teVT52, teNone };
enum class TTermCaret { tcBlock, tcUnderline, tcNone };
enum class TArrowKeys { akTerminal, akWindows };
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TBorderStyle { bsNone, bsSingle };

class TCustomComTerminal;
using TChScreenEvent = std::function<void(TCustomComTerminal *sender, char ch)>;
using TStrRecvEvent = std::function<void(TCustomComTerminal *sender, std::string &str)>;
// The handler may supply a parser; the terminal takes it over.
using TEscapeEvent = std::function<void(TCustomComTerminal *sender,
                                        std::unique_ptr<TEscapeCodes> &escapeCodes)>;
using TUnhandledEvent = std::function<void(TCustomComTerminal *sender, TEscapeCode code,
                                           const std::string &data)>;

// A terminal control: shows what its port receives in a grid of character cells and sends what
// the user types. The emulation lives in a TerminalScreen; this widget binds it to a port
// through a TComLink, keeps an off-screen picture of the visible cells (drawn cell by cell as
// bytes arrive, moved by whole rows when the grid scrolls), draws its own caret while it has
// the focus, and maps keys to bytes. User-interface thread only. The port is not owned; when it
// is destroyed the terminal forgets it.
class TCustomComTerminal : public QWidget
{
    Q_OBJECT

public:
    explicit TCustomComTerminal(QWidget *parent = nullptr);
    ~TCustomComTerminal() override;

    TCustomComPort *ComPort() const { return m_port; }
    void SetComPort(TCustomComPort *port);
    // True while a port is bound and open; writing opens or closes the bound port.
    bool Connected() const;
    void SetConnected(bool value);

    int Columns() const { return m_screen.Columns(); }
    void SetColumns(int value); // 2..256; a change clears the screen
    int Rows() const { return m_screen.Rows(); }
    void SetRows(int value); // 2..100; a change clears the screen
    TTermEmulation Emulation() const { return m_emulation; }
    void SetEmulation(TTermEmulation value);
    TTermCaret Caret() const { return m_caret; }
    void SetCaret(TTermCaret value);
    bool WrapLines() const { return m_screen.WrapLines(); }
    void SetWrapLines(bool value) { m_screen.SetWrapLines(value); }
    bool LocalEcho() const { return m_localEcho; }
    void SetLocalEcho(bool value) { m_localEcho = value; }
    bool SendLF() const { return m_sendLF; }
    void SetSendLF(bool value) { m_sendLF = value; }
    bool AppendLF() const { return m_appendLF; }
    void SetAppendLF(bool value) { m_appendLF = value; }
    // Received bytes lose their eighth bit.
    bool Force7Bit() const { return m_force7Bit; }
    void SetForce7Bit(bool value) { m_force7Bit = value; }
    TArrowKeys ArrowKeys() const { return m_arrowKeys; }
    void SetArrowKeys(TArrowKeys value) { m_arrowKeys = value; }
    bool WantTab() const { return m_wantTab; }
    void SetWantTab(bool value) { m_wantTab = value; }
    bool SmoothScroll() const { return m_smoothScroll; }
    void SetSmoothScroll(bool value);
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // The size follows Columns x Rows cells plus the border.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    TColor AltColor() const { return m_screen.AltColor(); }
    void SetAltColor(TColor value) { m_screen.SetAltColor(value); }
    TColor Color() const { return m_screen.Color(); }
    void SetColor(TColor value);
    // A face without fixed pitch is replaced by "Fixedsys"; "Courier New" and "Fixedsys" are
    // drawn with the platform's monospace face when they are not installed.
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &value);

    // Chooses the parser for Emulation and clears the screen, as after loading a form.
    void Loaded();
    void ClearTerminal();
    // Shows bytes as if received (through the parser when there is one).
    void ShowText(const std::string &text);

    TerminalScreen &Screen() { return m_screen; }
    TComTermBuffer &Buffer() { return m_screen.Buffer(); }
    TEscapeCodes *EscapeCodes() const { return m_screen.EscapeCodes(); }
    TTermPosition CaretPos() const { return m_screen.CaretPos(); }
    // The grid cell shown at the top-left corner; follows the scroll bars.
    TTermPosition TopLeft() const { return m_topLeft; }
    bool TermMode() const { return m_screen.TermMode(); }
    int FontWidth() const { return m_fontWidth; }
    int FontHeight() const { return m_fontHeight; }
    // The area the cells are drawn in, in widget coordinates (inside border and scroll bars).
    QRect ClientRect() const;
    // Where the caret is drawn, in client coordinates; empty for tcNone.
    QRect CaretRect() const;
    // The off-screen picture of the client area.
    const QImage &Picture();
    QScrollBar *VerticalScrollBar() const { return m_vertical; }
    QScrollBar *HorizontalScrollBar() const { return m_horizontal; }

    TChScreenEvent OnChar;
    TStrRecvEvent OnStrRecieved;
    TEscapeEvent OnGetEscapeCodes;
    TUnhandledEvent OnUnhandledCode;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void ConnectScreen();
    void PortGone();
    void Receive(const std::string &block);
    void SelectEscapeCodes();
    void SendAnswer(const std::string &text);
    bool PortOpen() const;
    void SendByte(char b);
    void CursorKey(TEscapeCode code);
    int FrameWidth() const;
    void ApplyFont();
    void ApplyAutoSize();
    void UpdateScrollRanges();
    void SyncGeometry();
    void ScrollBarMoved();
    void UpdateCaret();

    // Painting (com_terminal_paint.cpp).
    void RenderAll();
    void RenderPixels(const QRect &area);
    void RenderCells(int column, int row, int lastColumn, int lastRow);
    void RenderStoredCell(int column, int row);
    const QImage &CellPicture(const TTermChar &cell);
    void DrawCell(int windowColumn, int windowRow, const TTermChar &cell);
    void ScrollPixels(int rows);
    QRect GridArea() const;

    TerminalScreen m_screen;
    TComLink m_link;
    TCustomComPort *m_port = nullptr;
    TTermEmulation m_emulation = TTermEmulation::teVT100orANSI;
    TTermCaret m_caret = TTermCaret::tcBlock;
    TArrowKeys m_arrowKeys = TArrowKeys::akTerminal;
    TScrollStyle m_scrollBars = TScrollStyle::ssBoth;
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
    bool m_localEcho = false;
    bool m_sendLF = false;
    bool m_appendLF = false;
    bool m_force7Bit = false;
    bool m_wantTab = false;
    bool m_smoothScroll = false;
    bool m_autoSize = false;
    TFont m_font;
    QFont m_qfont;
    int m_fontWidth = 8;
    int m_fontHeight = 16;
    int m_fontAscent = 12;
    TTermPosition m_topLeft;
    QImage m_picture;
    std::unordered_map<std::uint64_t, QImage> m_cellPictures; // for the current font
    QSize m_laidOutSize; // the widget size the scroll bars and picture were computed for
    QRect m_drawnCaret;
    QScrollBar *m_vertical = nullptr;
    QScrollBar *m_horizontal = nullptr;
};

// The published terminal control.
class TComTerminal : public TCustomComTerminal
{
    Q_OBJECT

public:
    using TCustomComTerminal::TCustomComTerminal;
};
