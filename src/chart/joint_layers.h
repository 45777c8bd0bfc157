#pragma once

#include <array>

class TChartModel;

// Which layer controls the X and the Y range of each of the 16 layers (every layer controls
// itself by default). A controlled layer follows the range of its controlling layer; ranges set
// on it directly are ignored. Owned by the chart; invalid joints raise EChartError and change
// nothing.
class TJointLayers
{
public:
    explicit TJointLayers(TChartModel &chart);

    int XControlledBy(int layer) const { return m_x[Index(layer)]; }
    int YControlledBy(int layer) const { return m_y[Index(layer)]; }
    void SetXControlledBy(int layer, int destination);
    void SetYControlledBy(int layer, int destination);

#define VANTOR_JOINT_LAYER(nn, n)                                                                  \
    int L##nn##xControlledBy() const                                                               \
    {                                                                                              \
        return XControlledBy(n);                                                                   \
    }                                                                                              \
    void SetL##nn##xControlledBy(int d)                                                            \
    {                                                                                              \
        SetXControlledBy(n, d);                                                                    \
    }                                                                                              \
    int L##nn##yControlledBy() const                                                               \
    {                                                                                              \
        return YControlledBy(n);                                                                   \
    }                                                                                              \
    void SetL##nn##yControlledBy(int d)                                                            \
    {                                                                                              \
        SetYControlledBy(n, d);                                                                    \
    }
    VANTOR_JOINT_LAYER(01, 1)
    VANTOR_JOINT_LAYER(02, 2)
    VANTOR_JOINT_LAYER(03, 3)
    VANTOR_JOINT_LAYER(04, 4)
    VANTOR_JOINT_LAYER(05, 5)
    VANTOR_JOINT_LAYER(06, 6)
    VANTOR_JOINT_LAYER(07, 7)
    VANTOR_JOINT_LAYER(08, 8)
    VANTOR_JOINT_LAYER(09, 9)
    VANTOR_JOINT_LAYER(10, 10)
    VANTOR_JOINT_LAYER(11, 11)
    VANTOR_JOINT_LAYER(12, 12)
    VANTOR_JOINT_LAYER(13, 13)
    VANTOR_JOINT_LAYER(14, 14)
    VANTOR_JOINT_LAYER(15, 15)
    VANTOR_JOINT_LAYER(16, 16)
#undef VANTOR_JOINT_LAYER

private:
    static int Index(int layer);
    void Join(std::array<int, 16> &entries, bool xDirection, int layer, int destination);

    TChartModel &m_chart;
    std::array<int, 16> m_x;
    std::array<int, 16> m_y;
};
