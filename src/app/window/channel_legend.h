#pragma once

#include "platform/color.h"

#include <QWidget>

#include <optional>
#include <vector>

// The fast display's legend: a box in the plot's top right corner with one row per shown
// channel, its colour, name and the value at the cursor. It follows its chart's size and lets
// the mouse through to it.
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

    // parent is the chart; margins are its right and top margins.
    explicit ChannelLegend(QWidget &chart);

    void SetEntries(std::vector<Entry> entries);
    const std::vector<Entry> &Entries() const { return m_entries; }
    void SetPlotCorner(int marginRight, int marginTop);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString RowText(const Entry &entry) const;
    void Place();

    std::vector<Entry> m_entries;
    int m_marginRight = 0;
    int m_marginTop = 0;
};
