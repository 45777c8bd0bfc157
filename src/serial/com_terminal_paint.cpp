// TCustomComTerminal: the off-screen picture of the cells, the caret, scroll bars and layout.
#include "serial/com_terminal.h"

#include "serial/ansi_text.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cstdint>
#include <cstring>

int TCustomComTerminal::FrameWidth() const
{
    return m_borderStyle == TBorderStyle::bsSingle ? 2 : 0;
}

QRect TCustomComTerminal::ClientRect() const
{
    const int frame = FrameWidth();
    QRect client = rect().adjusted(frame, frame, -frame, -frame);
    if (m_vertical->isVisibleTo(this))
        client.setRight(client.right() - m_vertical->sizeHint().width());
    if (m_horizontal->isVisibleTo(this))
        client.setBottom(client.bottom() - m_horizontal->sizeHint().height());
    return client;
}

// The part of the client area that shows cells, in client coordinates.
QRect TCustomComTerminal::GridArea() const
{
    const QSize client = ClientRect().size();
    return QRect(0, 0, std::min(client.width(), (Columns() - m_topLeft.Column + 1) * m_fontWidth),
                 std::min(client.height(), (Rows() - m_topLeft.Row + 1) * m_fontHeight));
}

void TCustomComTerminal::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    UpdateScrollRanges();
}

// A hidden widget gets its resize event only when shown; the picture must follow every size.
void TCustomComTerminal::SyncGeometry()
{
    if (m_laidOutSize != size())
        UpdateScrollRanges();
}

const QImage &TCustomComTerminal::Picture()
{
    SyncGeometry();
    return m_picture;
}

void TCustomComTerminal::UpdateScrollRanges()
{
    m_laidOutSize = size();
    const int frame = FrameWidth();
    const QRect inner = rect().adjusted(frame, frame, -frame, -frame);
    const int barWidth = m_vertical->sizeHint().width();
    const int barHeight = m_horizontal->sizeHint().height();
    const bool verticalAllowed
            = m_scrollBars == TScrollStyle::ssVertical || m_scrollBars == TScrollStyle::ssBoth;
    const bool horizontalAllowed
            = m_scrollBars == TScrollStyle::ssHorizontal || m_scrollBars == TScrollStyle::ssBoth;

    // Visible rows are counted as if there were no horizontal bar.
    const int visibleRows = std::max(inner.height(), 0) / m_fontHeight;
    const bool showVertical = verticalAllowed && visibleRows < Rows();
    const int clientWidth = inner.width() - (showVertical ? barWidth : 0);
    const int visibleColumns = std::max(clientWidth, 0) / m_fontWidth;
    const bool showHorizontal = horizontalAllowed && visibleColumns < Columns();

    const QSignalBlocker blockVertical(m_vertical);
    const QSignalBlocker blockHorizontal(m_horizontal);
    m_vertical->setRange(0, showVertical ? Rows() - visibleRows : 0);
    m_vertical->setPageStep(std::max(visibleRows, 1));
    m_horizontal->setRange(0, showHorizontal ? Columns() - visibleColumns : 0);
    m_horizontal->setPageStep(std::max(visibleColumns, 1));
    m_vertical->setVisible(showVertical);
    m_horizontal->setVisible(showHorizontal);
    m_vertical->setGeometry(inner.right() - barWidth + 1, inner.top(), barWidth,
                            inner.height() - (showHorizontal ? barHeight : 0));
    m_horizontal->setGeometry(inner.left(), inner.bottom() - barHeight + 1,
                              inner.width() - (showVertical ? barWidth : 0), barHeight);

    m_topLeft = {m_horizontal->value() + 1, m_vertical->value() + 1};
    const QSize client = ClientRect().size().expandedTo(QSize(1, 1));
    if (m_picture.size() != client)
        m_picture = QImage(client, QImage::Format_RGB32);
    RenderAll();
    update();
}

void TCustomComTerminal::ScrollBarMoved()
{
    const TTermPosition topLeft {m_horizontal->value() + 1, m_vertical->value() + 1};
    if (topLeft == m_topLeft)
        return;
    m_topLeft = topLeft;
    // The picture is double-buffered: draw it anew rather than moving pixels.
    RenderAll();
    UpdateCaret();
}

void TCustomComTerminal::RenderAll()
{
    RenderPixels(m_picture.rect());
    update();
}

// Fills an area of the picture with the background and draws the cells that touch it.
void TCustomComTerminal::RenderPixels(const QRect &area)
{
    if (m_picture.isNull() || area.isEmpty())
        return;
    QPainter(&m_picture).fillRect(area, ToQColor(Color()));
    const int firstColumn = area.left() / m_fontWidth + 1;
    const int lastColumn
            = std::min(area.right() / m_fontWidth + 1, Columns() - m_topLeft.Column + 1);
    const int firstRow = area.top() / m_fontHeight + 1;
    const int lastRow = std::min(area.bottom() / m_fontHeight + 1, Rows() - m_topLeft.Row + 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const TTermChar cell
                    = Buffer().GetCell(column + m_topLeft.Column - 1, row + m_topLeft.Row - 1);
            if (cell.Ch != 0)
                DrawCell(column, row, cell);
        }
    }
}

// Redraws grid cells (grid coordinates) that are in view.
void TCustomComTerminal::RenderCells(int column, int row, int lastColumn, int lastRow)
{
    SyncGeometry();
    const QRect area((column - m_topLeft.Column) * m_fontWidth,
                     (row - m_topLeft.Row) * m_fontHeight, (lastColumn - column + 1) * m_fontWidth,
                     (lastRow - row + 1) * m_fontHeight);
    const QRect visible = area & m_picture.rect();
    RenderPixels(visible);
    update(visible.translated(ClientRect().topLeft()));
}

void TCustomComTerminal::RenderStoredCell(int column, int row)
{
    SyncGeometry();
    const int windowColumn = column - m_topLeft.Column + 1;
    const int windowRow = row - m_topLeft.Row + 1;
    const QRect area((windowColumn - 1) * m_fontWidth, (windowRow - 1) * m_fontHeight, m_fontWidth,
                     m_fontHeight);
    if (windowColumn < 1 || windowRow < 1 || !m_picture.rect().intersects(area))
        return;
    DrawCell(windowColumn, windowRow, Buffer().GetCell(column, row));
    update(area.translated(ClientRect().topLeft()));
}

// The picture of one cell, drawn once per character, colours and underline.
const QImage &TCustomComTerminal::CellPicture(const TTermChar &cell)
{
    const std::uint64_t key = std::uint64_t(ColorToRGB(cell.ForeColor) & 0xFFFFFF) << 32
            | std::uint64_t(ColorToRGB(cell.BackColor) & 0xFFFFFF) << 8
            | std::uint64_t(static_cast<unsigned char>(cell.Ch))
            | std::uint64_t(cell.Underline) << 56;
    if (const auto found = m_cellPictures.find(key); found != m_cellPictures.end())
        return found->second;
    if (m_cellPictures.size() >= 4096)
        m_cellPictures.clear();
    QImage picture(m_fontWidth, m_fontHeight, QImage::Format_RGB32);
    picture.fill(ToQColor(cell.BackColor));
    QPainter painter(&picture);
    painter.setFont(m_qfont);
    painter.setPen(ToQColor(cell.ForeColor));
    painter.drawText(0, m_fontAscent, QString(AnsiByteToChar(static_cast<unsigned char>(cell.Ch))));
    if (cell.Underline) {
        const int y = std::min(m_fontAscent + 1, m_fontHeight - 1);
        painter.drawLine(0, y, m_fontWidth - 1, y);
    }
    painter.end();
    return m_cellPictures.emplace(key, std::move(picture)).first->second;
}

// Copies a cell's picture into the off-screen picture at a window cell (1-based).
void TCustomComTerminal::DrawCell(int windowColumn, int windowRow, const TTermChar &cell)
{
    const QImage &glyph = CellPicture(cell);
    const int left = (windowColumn - 1) * m_fontWidth;
    const int top = (windowRow - 1) * m_fontHeight;
    const int width = std::min(m_fontWidth, m_picture.width() - left);
    const int height = std::min(m_fontHeight, m_picture.height() - top);
    if (width <= 0 || height <= 0)
        return;
    for (int y = 0; y < height; ++y) {
        std::memcpy(m_picture.scanLine(top + y) + left * 4, glyph.constScanLine(y),
                    static_cast<std::size_t>(width) * 4);
    }
}

// The grid moved by whole rows (-1 up, +1 down): move the pixels and draw the uncovered strip.
void TCustomComTerminal::ScrollPixels(int rows)
{
    SyncGeometry();
    const QRect grid = GridArea() & m_picture.rect();
    const int shift = std::abs(rows) * m_fontHeight;
    if (grid.height() <= shift || grid.width() <= 0) {
        RenderAll();
        return;
    }
    const int bytes = grid.width() * 4;
    const int moved = grid.height() - shift;
    if (rows < 0) {
        for (int y = 0; y < moved; ++y)
            std::memcpy(m_picture.scanLine(y), m_picture.constScanLine(y + shift),
                        static_cast<std::size_t>(bytes));
        RenderPixels(QRect(0, moved, grid.width(), shift));
    } else {
        for (int y = grid.height() - 1; y >= shift; --y)
            std::memcpy(m_picture.scanLine(y), m_picture.constScanLine(y - shift),
                        static_cast<std::size_t>(bytes));
        RenderPixels(QRect(0, 0, grid.width(), shift));
    }
    update(grid.translated(ClientRect().topLeft()));
}

QRect TCustomComTerminal::CaretRect() const
{
    if (m_caret == TTermCaret::tcNone)
        return {};
    const int height
            = m_caret == TTermCaret::tcBlock ? m_fontHeight : std::max(m_fontHeight / 8, 1);
    const TTermPosition caret = CaretPos();
    return QRect((caret.Column - m_topLeft.Column) * m_fontWidth,
                 (caret.Row - m_topLeft.Row + 1) * m_fontHeight - height, m_fontWidth, height);
}

// Repaints where the caret was and where it is now.
void TCustomComTerminal::UpdateCaret()
{
    const QRect now = hasFocus() ? CaretRect().translated(ClientRect().topLeft()) : QRect();
    if (now == m_drawnCaret)
        return;
    update(m_drawnCaret);
    update(now);
    m_drawnCaret = now;
}

void TCustomComTerminal::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect client = ClientRect();
    if (FrameWidth() > 0) {
        // A sunken edge, darker outside at the top left.
        const QRect r = rect();
        painter.setPen(ToQColor(clBtnShadow));
        painter.drawLine(r.left(), r.top(), r.right(), r.top());
        painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
        painter.setPen(ToQColor(clBtnHighlight));
        painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
        painter.setPen(ToQColor(cl3DDkShadow));
        painter.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
        painter.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
        painter.setPen(ToQColor(cl3DLight));
        painter.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
        painter.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
    }
    painter.setClipRect(event->rect() & client);
    painter.drawImage(client.topLeft(), m_picture);
    if (m_vertical->isVisible() && m_horizontal->isVisible()) {
        painter.setClipping(false);
        painter.fillRect(QRect(m_vertical->x(), m_horizontal->y(), m_vertical->width(),
                               m_horizontal->height()),
                         ToQColor(clBtnFace));
    }
    if (hasFocus() && !m_drawnCaret.isEmpty()) {
        painter.setClipRect(client);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(m_drawnCaret, Qt::white);
    }
}
