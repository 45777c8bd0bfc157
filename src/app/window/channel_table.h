#pragma once

#include <QObject>
#include <QString>

class QTableWidget;

// The settings of channels 3 to 8 on their table page: one row per channel with its name (and a
// tick that shows it, and a swatch of its colour), its scale and its offset. The cells take
// what the edit fields of channels 1 and 2 take and keep their text until the user changes it; an
// edit that does not read as a number is not taken. Start reads the scale and offset texts.
class ChannelTable : public QObject
{
    Q_OBJECT

public:
    static constexpr int kFirstChannel = 3;
    enum Column { kName, kScale, kOffset, kColumns };

    explicit ChannelTable(QTableWidget &table);

    QString Name(int channel) const;
    QString Text(int channel, Column column) const;
    QString ColumnTitle(Column column) const;
    // Makes the cell the current one and scrolls it into view.
    void ShowCell(int channel, Column column);
    bool Visible(int channel) const;
    void SetVisible(int channel, bool visible);

    // Rows of channels beyond the count are greyed out.
    void SetChannelCount(int count);

signals:
    // A channel's name or tick changed.
    void ChannelChanged(int channel);

private:
    QTableWidget &m_table;
};
