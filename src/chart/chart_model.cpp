#include "chart/chart_model.h"

#include "platform/user_interface.h"

#include <algorithm>

// The display-list half of the chart model: appending, removing, reading, attributes and data
// sharing. Scales, ranges and the mapping live in chart_mapping.cpp.

namespace {

constexpr int MaxDataUsers = 4;

} // namespace

void TChartModel::Append(TItemKind kind, double x1, double y1, double x2, double y2)
{
    TChartItem item {};
    item.Kind = kind;
    item.Layer = m_activeLayer;
    item.ItemClass = m_classDefault;
    item.Color = m_dataColor;
    item.PenStyle = m_penStyle;
    item.Reserved = 0;
    item.LineWidth = m_lineWidth;
    if (kind != TItemKind::ikMoveTo)
        item.FillColor = m_fillColor;
    item.X1 = x1;
    item.Y1 = y1;
    item.X2 = x2;
    item.Y2 = y2;
    TChartModel &owner = DataOwner();
    owner.m_list.Append(item);
    owner.PropagateData();
}

void TChartModel::AddMoveTo(double x, double y)
{
    Append(TItemKind::ikMoveTo, x, y, 0.0, 0.0);
}

void TChartModel::AddLineTo(double x, double y)
{
    Append(TItemKind::ikLineTo, x, y, 0.0, 0.0);
}

void TChartModel::AddLine(double x1, double y1, double x2, double y2)
{
    Append(TItemKind::ikLine, x1, y1, x2, y2);
}

void TChartModel::RemoveFirstItem()
{
    RemoveItem(0);
}

void TChartModel::RemoveItem(int index)
{
    TChartModel &owner = DataOwner();
    owner.m_list.Remove(index);
    ++owner.m_listRewrites;
    owner.PropagateData();
}

void TChartModel::ClearItems()
{
    if (m_view)
        m_view->DataAreaCleared();
    TChartModel &owner = DataOwner();
    owner.m_list.Clear();
    ++owner.m_listRewrites;
    owner.m_lastDrawnIndex = 0;
    m_lastDrawnIndex = 0;
    owner.PropagateData();
}

void TChartModel::GetItem(int index, TChartItem &item) const
{
    List().GetItem(index, item);
}

void TChartModel::LoadItems(const TChartItem *items, int count, bool append)
{
    TChartModel &owner = DataOwner();
    owner.m_list.Load(items, count, append);
    if (!append) {
        ++owner.m_listRewrites;
        owner.m_lastDrawnIndex = 0;
        m_lastDrawnIndex = 0;
    }
    owner.PropagateData();
}

void TChartModel::SetAllocSize(int value)
{
    m_list.SetAllocSize(value);
}

void TChartModel::ReserveItems(int count)
{
    DataOwner().m_list.Reserve(count);
}

void TChartModel::SetActiveLayer(int layer)
{
    if (layer < 1 || layer > LayerCount)
        return;
    m_activeLayer = layer;
    RepaintIfAutoRedraw();
}

void TChartModel::SetLastDrawnIndex(int index)
{
    m_lastDrawnIndex = index;
    PropagateData();
}

void TChartModel::SetClassDefault(int value)
{
    if (value >= 0 && value <= 254)
        m_classDefault = static_cast<std::uint8_t>(value);
}

bool TChartModel::ClassVisible(int itemClass) const
{
    return itemClass >= 0 && itemClass <= 255 && m_classVisible[static_cast<size_t>(itemClass)];
}

void TChartModel::SetClassVisible(int itemClass, bool visible)
{
    if (itemClass >= 0 && itemClass <= 255 && ClassVisible(itemClass) != visible) {
        m_classVisible[static_cast<size_t>(itemClass)] = visible;
        ++m_visibilityChanges;
    }
}

bool TChartModel::LayerVisible(int layer) const
{
    return layer >= 1 && layer <= LayerCount && m_layerVisible[static_cast<size_t>(layer - 1)];
}

void TChartModel::SetLayerVisible(int layer, bool visible)
{
    if (layer >= 1 && layer <= LayerCount && LayerVisible(layer) != visible) {
        m_layerVisible[static_cast<size_t>(layer - 1)] = visible;
        ++m_visibilityChanges;
    }
}

void TChartModel::RepaintIfAutoRedraw()
{
    if (m_autoRedraw)
        Paint();
}

void TChartModel::PropagateData()
{
    for (TChartModel *user : m_users)
        user->m_lastDrawnIndex = m_lastDrawnIndex;
}

void TChartModel::SetUseDataOf(TChartModel *source)
{
    if (source == m_source)
        return;
    if (source == this) {
        ShowInformation(QStringLiteral("RChart: Cannot share data with myself"));
        return;
    }
    if (source) {
        if (!m_users.empty()) {
            ShowInformation(QStringLiteral(
                    "RChart: Cannot use foreign data. Other RCharts are using my own data."));
            return;
        }
        if (source->m_source) // no chains: share with the chart that owns the data
            source = source->m_source;
        if (source == m_source)
            return;
        if (static_cast<int>(source->m_users.size()) >= MaxDataUsers) {
            ShowInformation(QStringLiteral("RChart: Max. number of data shares exceeded"));
            return;
        }
    }
    if (m_source) {
        auto &users = m_source->m_users;
        users.erase(std::remove(users.begin(), users.end(), this), users.end());
    }
    m_source = source;
    if (source) {
        source->m_users.push_back(this);
        m_lastDrawnIndex = source->m_lastDrawnIndex;
    }
    RepaintIfAutoRedraw();
}

void TChartModel::DetachUsers()
{
    if (m_source) {
        auto &users = m_source->m_users;
        users.erase(std::remove(users.begin(), users.end(), this), users.end());
        m_source = nullptr;
    }
    for (TChartModel *user : m_users) {
        user->m_source = nullptr;
        user->m_lastDrawnIndex = 0;
    }
    m_users.clear();
}
