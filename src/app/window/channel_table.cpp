#include "app/window/channel_table.h"

#include "app/run/channel_colors.h"
#include "app/window/float_edit.h"
#include "platform/color.h"
#include "platform/number_text.h"

#include <QHeaderView>
#include <QLocale>
#include <QPixmap>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

using Column = ChannelTable::Column;
constexpr Column kName = ChannelTable::kName;
constexpr Column kScale = ChannelTable::kScale;
constexpr Column kOffset = ChannelTable::kOffset;
constexpr int kColumns = ChannelTable::kColumns;

// The fields' six decimals without the trailing zeros, and no group separators.
QString CellText(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(value, 'f', 6);
    const QString point = locale.decimalPoint();
    if (text.contains(point)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(point))
            text.chop(point.size());
    }
    return text;
}

// Scale and offset cells are edited with the rules of the channels' edit fields.
class NumberDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &index) const override
    {
        auto *edit = new FloatEdit(parent);
        edit->SetFormat(6, index.column() == kOffset);
        return edit;
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        // Read as typed, shown as short as the value allows: the column is narrow. A text that
        // is not a number ("-", ".") is not taken: the cell keeps its value.
        const auto *edit = static_cast<FloatEdit *>(editor);
        double value = 0.0;
        if (TryTypedFieldToFloat(edit->text(), value))
            model->setData(index, CellText(value));
    }
};

QIcon Swatch(int channel)
{
    QPixmap swatch(10, 10);
    swatch.fill(ToQColor(ChannelColor(channel)));
    return QIcon(swatch);
}

} // namespace

ChannelTable::ChannelTable(QTableWidget &table)
    : QObject(&table)
    , m_table(table)
{
    constexpr int rows = kMaxChannels - kFirstChannel + 1;
    m_table.setColumnCount(kColumns);
    m_table.setRowCount(rows);
    m_table.setHorizontalHeaderLabels({tr("Name"), tr("Scale"), tr("Offset")});
    m_table.verticalHeader()->setVisible(false);
    m_table.verticalHeader()->setDefaultSectionSize(22);
    m_table.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table.horizontalHeader()->setMinimumSectionSize(20);
    // The name takes what the numbers leave of the table's width.
    m_table.horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    m_table.setColumnWidth(kScale, 44);
    m_table.setColumnWidth(kOffset, 56);
    m_table.setItemDelegateForColumn(kScale, new NumberDelegate(&m_table));
    m_table.setItemDelegateForColumn(kOffset, new NumberDelegate(&m_table));
    for (int row = 0; row < rows; ++row) {
        const int channel = row + kFirstChannel;
        auto *name = new QTableWidgetItem(Swatch(channel), QStringLiteral("CH%1").arg(channel));
        name->setFlags(name->flags() | Qt::ItemIsUserCheckable);
        name->setCheckState(Qt::Checked);
        m_table.setItem(row, kName, name);
        m_table.setItem(row, kScale, new QTableWidgetItem(CellText(1.0)));
        m_table.setItem(row, kOffset, new QTableWidgetItem(CellText(0.0)));
    }
    connect(&m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (item->column() == kName)
            emit ChannelChanged(item->row() + kFirstChannel);
    });
}

QString ChannelTable::Text(int channel, Column column) const
{
    const QTableWidgetItem *item = m_table.item(channel - kFirstChannel, column);
    return item ? item->text() : QString();
}

QString ChannelTable::ColumnTitle(Column column) const
{
    const QTableWidgetItem *header = m_table.horizontalHeaderItem(column);
    return header ? header->text() : QString();
}

void ChannelTable::ShowCell(int channel, Column column)
{
    m_table.setCurrentCell(channel - kFirstChannel, column);
    if (QTableWidgetItem *item = m_table.item(channel - kFirstChannel, column))
        m_table.scrollToItem(item);
}

QString ChannelTable::Name(int channel) const
{
    return Text(channel, kName);
}

bool ChannelTable::Visible(int channel) const
{
    const QTableWidgetItem *item = m_table.item(channel - kFirstChannel, kName);
    return item && item->checkState() == Qt::Checked;
}

void ChannelTable::SetVisible(int channel, bool visible)
{
    if (QTableWidgetItem *item = m_table.item(channel - kFirstChannel, kName))
        item->setCheckState(visible ? Qt::Checked : Qt::Unchecked);
}

void ChannelTable::SetChannelCount(int count)
{
    const QSignalBlocker quiet(&m_table); // greying a row out shows or hides nothing
    for (int channel = kFirstChannel; channel <= kMaxChannels; ++channel) {
        const bool used = channel <= count;
        for (int column = 0; column < kColumns; ++column) {
            QTableWidgetItem *item = m_table.item(channel - kFirstChannel, column);
            if (!item)
                continue;
            const Qt::ItemFlags flags = item->flags();
            item->setFlags(used ? flags | Qt::ItemIsEnabled : flags & ~Qt::ItemIsEnabled);
        }
    }
}
