#include "serial/com_terminal.h"

#include "serial/ansi_text.h"
#include "serial/com_port.h"
#include "serial/escape_codes_vt100.h"
#include "serial/escape_codes_vt52.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>

namespace {

constexpr char CR = 0x0D;
constexpr char LF = 0x0A;

// The shared default font of a terminal.
TFont DefaultTerminalFont()
{
    TFont font;
    font.Name = QStringLiteral("Fixedsys");
    font.Color = clWhite;
    font.Height = -12; // 9 point at 96 dots per inch
    return font;
}

bool IsFixedPitch(const QFont &font)
{
    return QFontInfo(font).fixedPitch();
}

// A family of fixed pitch present here: the platform's fixed font when it is one, else the
// first fixed-pitch family installed.
QString MonospaceFamily()
{
    static const QString family = [] {
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (QFontInfo(fixed).fixedPitch())
            return QFontInfo(fixed).family();
        QFont hinted(QStringLiteral("monospace"));
        hinted.setStyleHint(QFont::Monospace);
        if (QFontInfo(hinted).fixedPitch())
            return QFontInfo(hinted).family();
        const QStringList families = QFontDatabase::families();
        for (const QString &name : families) {
            if (QFontDatabase::isFixedPitch(name))
                return name;
        }
        return fixed.family();
    }();
    return family;
}

// The face actually drawn: the classic terminal faces fall back to the platform's monospace
// face when they are missing.
QFont DrawnFont(const TFont &font)
{
    QFont drawn = ToQFont(font);
    drawn.setStyleHint(QFont::Monospace);
    drawn.setStyleStrategy(QFont::NoAntialias);
    const bool classic = font.Name.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0
            || font.Name.compare(QLatin1String("Fixedsys"), Qt::CaseInsensitive) == 0;
    if (classic && (!IsFixedPitch(drawn) || QFontInfo(drawn).family() != font.Name))
        drawn.setFamily(MonospaceFamily());
    return drawn;
}

// The byte a key sends, or -1.
int KeyByte(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return CR;
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
        return 0x09;
    case Qt::Key_Escape:
        return 0x1B;
    default:
        break;
    }
    const QString text = event.text();
    return text.size() == 1 ? CharToAnsiByte(text.front()) : -1;
}

} // namespace

TCustomComTerminal::TCustomComTerminal(QWidget *parent)
    : QWidget(parent)
    , m_font(DefaultTerminalFont())
    , m_vertical(new QScrollBar(Qt::Vertical, this))
    , m_horizontal(new QScrollBar(Qt::Horizontal, this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    m_link.RxBlock = [this](TCustomComPort *, const std::string &block, int count) {
        Receive(block.substr(0, static_cast<std::size_t>(std::max(count, 0))));
    };
    ConnectScreen();
    m_screen.SetColor(clBlack);
    m_screen.SetFontColor(m_font.Color);
    for (QScrollBar *bar : {m_vertical, m_horizontal}) {
        bar->hide();
        bar->setTracking(m_smoothScroll);
        connect(bar, &QScrollBar::valueChanged, this, [this] { ScrollBarMoved(); });
    }
    ApplyFont();
    resize(400, 250);
    SelectEscapeCodes();
}

TCustomComTerminal::~TCustomComTerminal()
{
    SetComPort(nullptr);
}

void TCustomComTerminal::ConnectScreen()
{
    m_screen.OnChar = [this](char ch) {
        if (OnChar)
            OnChar(this, ch);
    };
    m_screen.OnUnhandledCode = [this](TEscapeCode code, const std::string &data) {
        if (OnUnhandledCode)
            OnUnhandledCode(this, code, data);
    };
    m_screen.OnSend = [this](const std::string &text) { SendAnswer(text); };
    m_screen.OnCellStored = [this](int column, int row) { RenderStoredCell(column, row); };
    m_screen.OnRepaint = [this] { RenderAll(); };
    m_screen.OnGeometryChanged = [this] {
        ApplyAutoSize();
        UpdateScrollRanges();
    };
    m_screen.Buffer().OnInvalidate = [this](int column, int row, int lastColumn, int lastRow) {
        RenderCells(column, row, lastColumn, lastRow);
    };
    m_screen.Buffer().OnScroll = [this](int rows) { ScrollPixels(rows); };
}

void TCustomComTerminal::SetComPort(TCustomComPort *port)
{
    if (port == m_port)
        return;
    MoveLink(m_port, port, this, m_link, [this] { PortGone(); });
    m_port = port;
}

void TCustomComTerminal::PortGone()
{
    m_port->DetachLink(&m_link);
    m_port = nullptr;
}

bool TCustomComTerminal::Connected() const
{
    return m_port && m_port->Connected();
}

void TCustomComTerminal::SetConnected(bool value)
{
    if (m_port)
        m_port->SetConnected(value);
}

bool TCustomComTerminal::PortOpen() const
{
    return m_port && m_port->Connected();
}

void TCustomComTerminal::SetColumns(int value)
{
    m_screen.SetColumns(value);
}

void TCustomComTerminal::SetRows(int value)
{
    m_screen.SetRows(value);
}

void TCustomComTerminal::SetEmulation(TTermEmulation value)
{
    if (value == m_emulation)
        return;
    m_emulation = value;
    SelectEscapeCodes();
}

void TCustomComTerminal::SelectEscapeCodes()
{
    switch (m_emulation) {
    case TTermEmulation::teVT100orANSI:
        m_screen.SetEscapeCodes(std::make_unique<TEscapeCodesVT100>());
        break;
    case TTermEmulation::teVT52:
        m_screen.SetEscapeCodes(std::make_unique<TEscapeCodesVT52>());
        break;
    case TTermEmulation::teNone: {
        m_screen.SetEscapeCodes(nullptr);
        std::unique_ptr<TEscapeCodes> supplied;
        if (OnGetEscapeCodes)
            OnGetEscapeCodes(this, supplied);
        m_screen.SetEscapeCodes(std::move(supplied));
        break;
    }
    }
}

void TCustomComTerminal::Loaded()
{
    SelectEscapeCodes();
    ClearTerminal();
}

void TCustomComTerminal::SetCaret(TTermCaret value)
{
    if (value == m_caret)
        return;
    m_caret = value;
    UpdateCaret();
}

void TCustomComTerminal::SetSmoothScroll(bool value)
{
    m_smoothScroll = value;
    m_vertical->setTracking(value);
    m_horizontal->setTracking(value);
}

void TCustomComTerminal::SetScrollBars(TScrollStyle value)
{
    if (value == m_scrollBars)
        return;
    m_scrollBars = value;
    UpdateScrollRanges();
}

void TCustomComTerminal::SetBorderStyle(TBorderStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    ApplyAutoSize();
    UpdateScrollRanges();
}

void TCustomComTerminal::SetAutoSize(bool value)
{
    m_autoSize = value;
    ApplyAutoSize();
}

void TCustomComTerminal::ApplyAutoSize()
{
    if (m_autoSize) {
        resize(Columns() * m_fontWidth + 2 * FrameWidth(),
               Rows() * m_fontHeight + 2 * FrameWidth());
    }
}

void TCustomComTerminal::SetColor(TColor value)
{
    m_screen.SetColor(value);
    RenderAll();
}

void TCustomComTerminal::SetFont(const TFont &value)
{
    m_font = value;
    m_font.Underline = false;
    if (!IsFixedPitch(DrawnFont(m_font)))
        m_font.Name = QStringLiteral("Fixedsys");
    m_screen.SetFontColor(m_font.Color);
    ApplyFont();
}

void TCustomComTerminal::ApplyFont()
{
    m_qfont = DrawnFont(m_font);
    m_cellPictures.clear();
    const QFontMetrics metrics(m_qfont);
    // The cell width of a fixed-pitch face; the widest glyph of some faces is far wider.
    m_fontWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('M')));
    m_fontHeight = std::max(1, metrics.height());
    m_fontAscent = metrics.ascent();
    ApplyAutoSize();
    UpdateScrollRanges();
}

void TCustomComTerminal::ClearTerminal()
{
    m_screen.ClearTerminal();
    UpdateCaret();
}

void TCustomComTerminal::Receive(const std::string &block)
{
    std::string text;
    text.reserve(block.size());
    for (char b : block) {
        text += m_force7Bit ? static_cast<char>(b & 0x7F) : b;
        if (b == CR && m_appendLF)
            text += LF;
    }
    if (OnStrRecieved)
        OnStrRecieved(this, text);
    ShowText(text);
}

void TCustomComTerminal::ShowText(const std::string &text)
{
    struct CaretGuard
    {
        TCustomComTerminal *terminal;
        ~CaretGuard() { terminal->UpdateCaret(); }
    } guard {this};
    m_screen.ShowText(text);
}

void TCustomComTerminal::SendAnswer(const std::string &text)
{
    if (PortOpen())
        m_port->SendString(text);
}

void TCustomComTerminal::SendByte(char b)
{
    if (!PortOpen())
        return;
    for (char out : {b, LF}) {
        m_port->SendString(std::string(1, out));
        if (m_localEcho) {
            m_screen.PlaceChar(out);
            UpdateCaret();
        }
        if (b != CR || !m_sendLF)
            break;
    }
}

void TCustomComTerminal::CursorKey(TEscapeCode code)
{
    using enum TEscapeCode;
    if (m_screen.TermMode()) {
        switch (code) {
        case ecCursorUp:
            code = ecAppCursorUp;
            break;
        case ecCursorDown:
            code = ecAppCursorDown;
            break;
        case ecCursorLeft:
            code = ecAppCursorLeft;
            break;
        case ecCursorRight:
            code = ecAppCursorRight;
            break;
        default:
            return; // Home sends nothing in application mode
        }
    }
    if (m_arrowKeys == TArrowKeys::akWindows && !m_screen.TermMode()) {
        m_screen.PerformCode(code, {});
        UpdateCaret();
        return;
    }
    TEscapeCodes *codes = m_screen.EscapeCodes();
    if (!PortOpen() || !codes)
        return;
    const std::string text = codes->EncodeCode(code);
    if (!text.empty())
        m_port->SendString(text);
    if (m_localEcho) {
        m_screen.PerformCode(code, {});
        UpdateCaret();
    }
}

void TCustomComTerminal::keyPressEvent(QKeyEvent *event)
{
    using enum TEscapeCode;
    switch (event->key()) {
    case Qt::Key_Home:
        CursorKey(ecCursorHome);
        return;
    case Qt::Key_Left:
        CursorKey(ecCursorLeft);
        return;
    case Qt::Key_Up:
        CursorKey(ecCursorUp);
        return;
    case Qt::Key_Right:
        CursorKey(ecCursorRight);
        return;
    case Qt::Key_Down:
        CursorKey(ecCursorDown);
        return;
    default:
        break;
    }
    const int byte = KeyByte(*event);
    if (byte < 0 || (event->key() == Qt::Key_Tab && !m_wantTab)) {
        QWidget::keyPressEvent(event);
        return;
    }
    SendByte(static_cast<char>(byte));
}

bool TCustomComTerminal::focusNextPrevChild(bool next)
{
    // With WantTab the Tab key reaches keyPressEvent instead of moving the focus.
    return m_wantTab ? false : QWidget::focusNextPrevChild(next);
}

void TCustomComTerminal::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
}

void TCustomComTerminal::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    UpdateCaret();
}

void TCustomComTerminal::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    UpdateCaret();
}
