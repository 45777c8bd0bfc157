#pragma once

#include "platform/color.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

// A display's legend: a box in a top corner of the plot with one row per shown channel, its
// colour, name and the value at the cursor. It follows its display's size and lets the mouse
// through to it.
class ChannelLegend : public QWidget
{
public:
    struct Entry
    {
        QString Name;
        TColor Color = 0;
        std::optional<double> Value; // none away from the samples

        bool operator==(const Entry &) const = default;
    };

    // parent is the display; corner is Qt::TopRightCorner or Qt::TopLeftCorner.
    explicit ChannelLegend(QWidget &display, Qt::Corner corner = Qt::TopRightCorner);

    void SetEntries(std::vector<Entry> entries);
    const std::vector<Entry> &Entries() const { return m_entries; }
    // The display's margins around the plot on the legend's side and at the top.
    void SetPlotCorner(int marginSide, int marginTop);
    // For a display that works out its plot as it paints: the legend takes the plot's corner
    // from it after each paint that moved it.
    void FollowPlot(std::function<QRect()> plot);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString RowText(const Entry &entry) const;
    void Place();

    std::vector<Entry> m_entries;
    Qt::Corner m_corner;
    std::function<QRect()> m_plot;
    QRect m_plotFollowed;
    int m_marginSide = 0;
    int m_marginTop = 0;
};
