#pragma once

#include "chart/rchart.h"

#include <QImage>

#include <memory>

// The fast display's chart: 708 x 384, margins 80/20/30/45, shadow 1, white background, layer 1
// 0..1000 x 0..10, no caption, no grid; painting allowed without showing a window.
inline std::unique_ptr<TRChart> MakeChart(int width = 708, int height = 384)
{
    auto chart = std::make_unique<TRChart>();
    chart->SetAutoRedraw(false);
    chart->resize(width, height);
    chart->SetMarginLeft(80);
    chart->SetMarginRight(20);
    chart->SetMarginTop(30);
    chart->SetMarginBottom(45);
    chart->SetShadowWidth(1);
    chart->SetWindColor(clWhite);
    chart->SetShadowStyle(TShadowStyle::ssBox);
    chart->SetShadowColor(clGray);
    chart->SetGridColor(clSilver);
    chart->SetRange(1, 0, 0, 1000, 10);
    chart->SetRange(2, 0, 0, 1000, 10);
    chart->SuppressPaint(false);
    return chart;
}

inline QRgb Rgb(TColor color)
{
    return ToQColor(color).rgb() | 0xFF000000u;
}

// Pixels of the image in the colour, inside the rectangle [x0, x1) x [y0, y1).
inline int CountPixels(const QImage &image, QRgb colour, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            n += image.pixel(x, y) == colour;
        }
    }
    return n;
}
