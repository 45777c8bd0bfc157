#include "chart/chart_model.h"
#include "support/message_recorder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <random>

namespace {

std::array<unsigned char, 104> Bytes(const TChartItem &item)
{
    std::array<unsigned char, 104> bytes {};
    std::memcpy(bytes.data(), &item, sizeof item);
    return bytes;
}

template<typename T>
T Field(const std::array<unsigned char, 104> &bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

TChartItem ItemAt(const TChartModel &chart, int index)
{
    TChartItem item {};
    chart.GetItem(index, item);
    return item;
}

} // namespace

TEST(DisplayList, MoveToWithDefaultAttributesHasTheFileLayout)
{
    TChartModel chart;
    chart.AddMoveTo(0.0, 1.5);
    const auto bytes = Bytes(ItemAt(chart, 0));
    EXPECT_EQ(Field<double>(bytes, 0), 0.0);
    const unsigned char y1[] = {0, 0, 0, 0, 0, 0, 0xF8, 0x3F};
    EXPECT_EQ(std::memcmp(bytes.data() + 8, y1, 8), 0);
    EXPECT_EQ(Field<std::uint32_t>(bytes, 32), 0u); // Color: DataColor black
    EXPECT_EQ(bytes[48], 0); // psSolid
    EXPECT_EQ(Field<std::uint32_t>(bytes, 52), 0u); // reserved
    EXPECT_EQ(Field<std::uint32_t>(bytes, 56), 1u); // LineWidth
    EXPECT_EQ(bytes[60], 0); // ItemClass
    EXPECT_EQ(bytes[61], 8); // ikMoveTo
    EXPECT_EQ(Field<std::int32_t>(bytes, 64), 1); // Layer
}

TEST(DisplayList, AppendCopiesTheAttributesOfTheMoment)
{
    TChartModel chart;
    chart.SetActiveLayer(2);
    chart.SetDataColor(clBlue);
    chart.SetFillColor(clLime);
    chart.SetPenStyle(TPenStyle::psDot);
    chart.SetLineWidth(3);
    chart.SetClassDefault(7);
    chart.AddLine(1, 2, 3, 4);
    chart.SetDataColor(clRed);
    chart.AddLineTo(5, 6);
    chart.AddMoveTo(7, 8);

    const TChartItem line = ItemAt(chart, 0);
    EXPECT_EQ(line.Kind, TItemKind::ikLine);
    EXPECT_EQ(line.X1, 1);
    EXPECT_EQ(line.Y1, 2);
    EXPECT_EQ(line.X2, 3);
    EXPECT_EQ(line.Y2, 4);
    EXPECT_EQ(line.Color, clBlue);
    EXPECT_EQ(line.FillColor, clLime);
    EXPECT_EQ(line.PenStyle, TPenStyle::psDot);
    EXPECT_EQ(line.LineWidth, 3u);
    EXPECT_EQ(line.ItemClass, 7);
    EXPECT_EQ(line.Layer, 2);

    const TChartItem lineTo = ItemAt(chart, 1);
    EXPECT_EQ(lineTo.Kind, 3);
    EXPECT_EQ(lineTo.Color, clRed);
    EXPECT_EQ(lineTo.FillColor, clLime);
    EXPECT_EQ(lineTo.Y1, 6);
    EXPECT_EQ(ItemAt(chart, 2).Kind, TItemKind::ikMoveTo);
}

TEST(DisplayList, SettersIgnoreOutOfRangeValues)
{
    TChartModel chart;
    for (int layer : {0, 17, -1})
        chart.SetActiveLayer(layer);
    EXPECT_EQ(chart.ActiveLayer(), 1);
    chart.SetActiveLayer(16);
    EXPECT_EQ(chart.ActiveLayer(), 16);

    for (int size : {0, -5, 1000001})
        chart.SetAllocSize(size);
    EXPECT_EQ(chart.AllocSize(), 1000);
    chart.SetAllocSize(1000000);
    EXPECT_EQ(chart.AllocSize(), 1000000);

    chart.SetClassDefault(12);
    chart.SetClassDefault(255);
    EXPECT_EQ(chart.ClassDefault(), 12);
}

TEST(DisplayList, GrowsByAllocSizeAndKeepsItems)
{
    TChartModel chart;
    chart.SetAllocSize(110000);
    EXPECT_EQ(chart.Capacity(), 0);
    for (int i = 0; i < 110001; ++i)
        chart.AddLineTo(i, i * 0.5);
    EXPECT_EQ(chart.Capacity(), 220000);
    EXPECT_EQ(chart.ItemCount(), 110001);
    for (int i : {0, 1, 109999, 110000}) {
        const TChartItem item = ItemAt(chart, i);
        EXPECT_EQ(item.X1, i);
        EXPECT_EQ(item.Y1, i * 0.5);
    }
}

TEST(DisplayList, GetItemOutOfRangeSetsOnlyTheKind)
{
    TChartModel chart;
    chart.AddMoveTo(1, 2);
    for (int index : {-1, 1}) {
        TChartItem item {};
        item.X1 = 42;
        item.Y2 = -3;
        item.Kind = TItemKind::ikLine;
        chart.GetItem(index, item);
        EXPECT_EQ(item.Kind, TItemKind::ikNone);
        EXPECT_EQ(item.X1, 42);
        EXPECT_EQ(item.Y2, -3);
    }
}

TEST(DisplayList, RemoveFirstItem)
{
    TChartModel chart;
    chart.RemoveFirstItem();
    EXPECT_EQ(chart.ItemCount(), 0);

    chart.AddMoveTo(0, 0);
    chart.RemoveFirstItem();
    EXPECT_EQ(chart.ItemCount(), 0);
    EXPECT_EQ(chart.Capacity(), 0); // storage released

    for (int i = 0; i < 3; ++i)
        chart.AddLineTo(i, 10 + i);
    chart.RemoveFirstItem();
    EXPECT_EQ(chart.ItemCount(), 2);
    EXPECT_EQ(chart.Capacity(), 1000);
    EXPECT_EQ(ItemAt(chart, 0).Y1, 11);
    EXPECT_EQ(ItemAt(chart, 1).Y1, 12);
}

TEST(DisplayList, ClearKeepsAttributesAndScales)
{
    TChartModel chart;
    chart.SetActiveLayer(2);
    chart.SetDataColor(clRed);
    chart.SetRange(1, 0, 0, 1000, 10);
    chart.AddLine(0, 0, 1, 1);
    chart.SetLastDrawnIndex(5);
    chart.ClearItems();
    EXPECT_EQ(chart.ItemCount(), 0);
    EXPECT_EQ(chart.Capacity(), 0);
    EXPECT_EQ(chart.LastDrawnIndex(), 0);
    EXPECT_EQ(chart.ActiveLayer(), 2);
    EXPECT_EQ(chart.DataColor(), clRed);
    EXPECT_EQ(chart.Scale1X().RangeHigh(), 1000);
}

// A long random mix of appends and removals against a plain deque: the storage moves items
// around (compaction, growth) and must never lose or reorder one, and Capacity must follow
// its growth rule exactly.
TEST(DisplayList, RandomAppendAndRemoveMatchesAReferenceList)
{
    for (int allocSize : {1, 3, 1000}) {
        TDisplayList list;
        list.SetAllocSize(allocSize);
        std::deque<double> reference;
        int capacity = 0;
        std::mt19937 random(allocSize);
        double next = 0;
        for (int step = 0; step < 20000; ++step) {
            const int op = static_cast<int>(random() % 10);
            if (step % 997 == 0) {
                // Reserving moves nothing and changes no Capacity, also with items removed.
                list.Reserve(static_cast<int>(random() % 3000));
            } else if (op < 6 || reference.empty()) {
                TChartItem item {};
                item.X1 = next;
                list.Append(item);
                reference.push_back(next++);
                if (static_cast<int>(reference.size()) > capacity)
                    capacity += allocSize;
            } else {
                const int index = op < 9 ? 0 : static_cast<int>(random() % reference.size());
                list.Remove(index);
                reference.erase(reference.begin() + index);
                if (reference.empty())
                    capacity = 0;
            }
            ASSERT_EQ(list.ItemCount(), static_cast<int>(reference.size()));
            ASSERT_EQ(list.Capacity(), capacity) << "step " << step;
        }
        for (size_t i = 0; i < reference.size(); ++i)
            ASSERT_EQ(list.Items()[i].X1, reference[i]);
    }
}

// A run's reserved room takes all its items in place, and the next run after a clear finds the
// same room again.
TEST(DisplayList, ReservedRoomIsKeptAcrossClear)
{
    for (int allocSize : {1000, 110000}) {
        TDisplayList list;
        list.SetAllocSize(allocSize);
        list.Reserve(5000);
        const TChartItem *room = nullptr;
        for (int run = 0; run < 2; ++run) {
            TChartItem item {};
            list.Append(item);
            if (run == 0)
                room = list.Items();
            ASSERT_EQ(list.Items(), room) << "allocSize " << allocSize << ", run " << run;
            for (int i = 1; i < 5000; ++i) {
                item.X1 = i;
                list.Append(item);
                ASSERT_EQ(list.Items(), room) << "allocSize " << allocSize << ", item " << i;
            }
            EXPECT_EQ(list.Capacity(), (5000 + allocSize - 1) / allocSize * allocSize);
            EXPECT_EQ(list.Items()[4999].X1, 4999);
            list.Clear();
            EXPECT_EQ(list.Capacity(), 0);
        }
    }
}

TEST(DisplayList, LoadReplacesOrAppends)
{
    TChartModel chart;
    chart.AddMoveTo(1, 1);
    chart.AddLineTo(2, 2);
    TChartItem stored[3] = {};
    for (int i = 0; i < 3; ++i) {
        stored[i].X1 = 10 + i;
        stored[i].Kind = TItemKind::ikLine;
        stored[i].Layer = 2;
    }
    chart.LoadItems(stored, 3, true);
    EXPECT_EQ(chart.ItemCount(), 5);
    EXPECT_EQ(chart.Capacity(), 5);
    EXPECT_EQ(ItemAt(chart, 1).X1, 2);
    EXPECT_EQ(ItemAt(chart, 4).X1, 12);
    EXPECT_EQ(ItemAt(chart, 4).Layer, 2);

    chart.LoadItems(stored, 2, false);
    EXPECT_EQ(chart.ItemCount(), 2);
    EXPECT_EQ(ItemAt(chart, 0).X1, 10);
}

TEST(DisplayList, SharingRejectsInvalidSources)
{
    MessageRecorder messages;
    TChartModel source;
    TChartModel user;
    user.SetUseDataOf(&user);
    EXPECT_EQ(user.UseDataOf(), nullptr);

    user.SetUseDataOf(&source);
    EXPECT_EQ(user.UseDataOf(), &source);
    source.SetUseDataOf(&user); // source of others
    EXPECT_EQ(source.UseDataOf(), nullptr);

    TChartModel more[4];
    for (auto &chart : more)
        chart.SetUseDataOf(&source);
    EXPECT_EQ(more[3].UseDataOf(), nullptr);
    EXPECT_EQ(source.DataUsers().size(), 4u);

    EXPECT_EQ(messages.Infos,
              QStringList({"RChart: Cannot share data with myself",
                           "RChart: Cannot use foreign data. Other RCharts are using my own data.",
                           "RChart: Max. number of data shares exceeded"}));
}

TEST(DisplayList, SharedListFollowsTheSource)
{
    MessageRecorder messages;
    TChartModel source;
    TChartModel user;
    TChartModel second;
    source.AddMoveTo(1, 1);
    source.SetLastDrawnIndex(0);
    user.SetUseDataOf(&source);
    second.SetUseDataOf(&user); // no chains: linked to the source
    EXPECT_EQ(second.UseDataOf(), &source);

    source.AddLineTo(2, 2);
    source.SetLastDrawnIndex(1);
    EXPECT_EQ(user.ItemCount(), 2);
    EXPECT_EQ(ItemAt(user, 1).X1, 2);
    EXPECT_EQ(user.LastDrawnIndex(), 1);

    source.ClearItems();
    EXPECT_EQ(second.ItemCount(), 0);
    EXPECT_EQ(second.LastDrawnIndex(), 0);

    user.SetUseDataOf(nullptr);
    EXPECT_EQ(source.DataUsers().size(), 1u);
    EXPECT_TRUE(messages.Infos.isEmpty());
}

TEST(DisplayList, DestroyedSourceReleasesItsUsers)
{
    TChartModel user;
    {
        TChartModel source;
        source.AddMoveTo(1, 1);
        user.SetUseDataOf(&source);
        EXPECT_EQ(user.ItemCount(), 1);
    }
    EXPECT_EQ(user.UseDataOf(), nullptr);
    EXPECT_EQ(user.ItemCount(), 0);
}
