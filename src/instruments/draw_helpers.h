#pragma once

#include "platform/color.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;
class QPaintDevice;

// Drawing helpers shared by the instruments. Text is drawn in the painter's font and pen
// colour; with a solid painter brush the text box is filled first, otherwise it is transparent.
// Rectangles are half-open in the classic sense: x() .. x() + width() - 1.

// Draws text so that its anchor point lies at (x, y): anchor % 3 picks left / centre / right,
// anchor / 3 picks top / middle / bottom of the text box.
void DrawTextAligned(QPainter &painter, int x, int y, int anchor, const QString &text);

// Lines separated by '|', pitch = height of "X" + extra, each line drawn with the same anchor.
void DrawTextLines(QPainter &painter, int x, int y, int anchor, const QString &text, int extra);

// steps + 1 labels from top to bottom, each formatted with format and followed by ';'.
QString BuildLabelList(int steps, const QString &format, double top, double bottom);

// Width of the widest ';'-separated item and the text height, in the painter's font.
QSize MeasureLabelList(QPainter &painter, const QString &list);

// Removes and returns the text before the first separator (or the whole rest).
QString NextToken(QString &list, QChar separator = QLatin1Char(';'));

// Per RGB component c1 + round((c2 - c1) / n * i); n = 0 counts as 1; c1 itself when c1 and c2
// have the same RGB value.
TColor BlendColor(TColor c1, TColor c2, int n, int i);

// True when left <= x < right and top <= y <= bottom (the bottom edge counts as inside).
bool PointInRect(int x, int y, const QRect &rect);

// Sizes bitmap to rect and copies the part of canvas inside both rect and the canvas into it.
void CopyBackground(const QImage &canvas, const QRect &rect, QImage &bitmap);

// Copies source into target with its top-left at `at`, clipped to target (32-bit formats).
void BlitImage(QImage &target, const QPoint &at, const QImage &source);

// Size of a text in the painter's font (advance width, ascent + descent).
QSize TextExtent(QPainter &painter, const QString &text);

// One-pixel outline of rect.
void FrameRectangle(QPainter &painter, const QRect &rect, TColor color);

// One ring of a 3D frame: top and left in topLeft, bottom and right in bottomRight.
void DrawFrame3D(QPainter &painter, const QRect &rect, TColor topLeft, TColor bottomRight);

// An RGB32 image whose resolution matches device, so point-sized fonts measure alike on both.
QImage MakeImage(const QSize &size, const QPaintDevice *device);
