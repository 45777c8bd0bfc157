#include "chart/joint_layers.h"

#include "chart/chart_model.h"

#include <QStringList>

#include <algorithm>

TJointLayers::TJointLayers(TChartModel &chart)
    : m_chart(chart)
{
    for (int i = 0; i < 16; ++i) {
        m_x[static_cast<size_t>(i)] = i + 1;
        m_y[static_cast<size_t>(i)] = i + 1;
    }
}

int TJointLayers::Index(int layer)
{
    return std::clamp(layer, 1, 16) - 1;
}

void TJointLayers::SetXControlledBy(int layer, int destination)
{
    Join(m_x, true, layer, destination);
}

void TJointLayers::SetYControlledBy(int layer, int destination)
{
    Join(m_y, false, layer, destination);
}

void TJointLayers::Join(std::array<int, 16> &entries, bool xDirection, int layer, int destination)
{
    if (destination < 1 || destination > 16)
        throw EChartError(QStringLiteral("Destination layer %1 is out of range").arg(destination));
    const int n = Index(layer) + 1;
    if (destination == n) {
        entries[static_cast<size_t>(n - 1)] = n;
        return;
    }
    if (entries[static_cast<size_t>(destination - 1)] != destination)
        throw EChartError(
                QStringLiteral("Destination layer %1 is already joined").arg(destination));
    QStringList followers;
    for (int k = 1; k <= 16; ++k)
        if (k != n && entries[static_cast<size_t>(k - 1)] == n)
            followers << QString::number(k);
    if (!followers.isEmpty())
        throw EChartError(QStringLiteral("Layer %1 is joined by other layers (%2)")
                                  .arg(n)
                                  .arg(followers.join(QStringLiteral(", "))));
    entries[static_cast<size_t>(n - 1)] = destination;
    const TScaleProps &sx = m_chart.ScaleX(xDirection ? destination : n);
    const TScaleProps &sy = m_chart.ScaleY(xDirection ? n : destination);
    m_chart.SetLayerRange(n, sx.RangeLow(), sy.RangeLow(), sx.RangeHigh(), sy.RangeHigh());
    m_chart.RepaintIfAutoRedraw();
}
