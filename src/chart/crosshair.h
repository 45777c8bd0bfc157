#pragma once

#include "platform/color.h"
#include "platform/drawing_types.h"
#include "platform/store_if_changed.h"

#include <functional>

enum class TCrossHMode { chOff, chHoriz, chVert, chBoth, chBox };

// An overlay line pair of the chart at a position in its layer's user coordinates. The chart
// owns four; every setter that changes a value raises OnChange (the chart repaints when its
// AutoRedraw is on). MoveTo changes the position quietly, for the chart's cheap refresh.
class TCrossHair
{
public:
    TCrossHair(int layer)
        : m_layer(layer)
    { }

    double PosX() const { return m_posX; }
    void SetPosX(double value) { Change(m_posX, value); }
    double PosY() const { return m_posY; }
    void SetPosY(double value) { Change(m_posY, value); }
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { Change(m_color, value); }
    int Layer() const { return m_layer; }
    void SetLayer(int value) { Change(m_layer, value < 1 ? 1 : value > 16 ? 16 : value); }
    TCrossHMode Mode() const { return m_mode; }
    void SetMode(TCrossHMode value) { Change(m_mode, value); }
    TPenStyle LineType() const { return m_lineType; }
    void SetLineType(TPenStyle value) { Change(m_lineType, value); }
    int LineWid() const { return m_lineWid; }
    void SetLineWid(int value) { Change(m_lineWid, value < 1 ? 1 : value); }

    void MoveTo(double x, double y)
    {
        m_posX = x;
        m_posY = y;
    }

    std::function<void(TCrossHair *sender)> OnChange;

private:
    template<typename T>
    void Change(T &field, T value)
    {
        if (StoreIfChanged(field, value) && OnChange) {
            OnChange(this);
        }
    }

    double m_posX = 0;
    double m_posY = 0;
    TColor m_color = clBlack;
    int m_layer;
    TCrossHMode m_mode = TCrossHMode::chOff;
    TPenStyle m_lineType = TPenStyle::psSolid;
    int m_lineWid = 1;
};
