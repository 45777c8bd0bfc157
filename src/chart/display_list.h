#pragma once

#include "chart/chart_item.h"

#include <cstddef>
#include <vector>

// The storage of a chart's display list: items in append order, index 0 the oldest.
//
// Capacity() is the list's logical number of slots: it grows by AllocSize whenever an append
// finds the list full and drops to 0 when the list is emptied. Physically the items live in one
// contiguous block that starts at an offset into a larger buffer, so removing the oldest item
// and appending a new one cost O(1) amortised (the live items are moved down only after at
// least as many removals). Items() points at item 0 and stays valid until the next change.
// Every slot is written when the buffer grows: a page's first write costs far more than an
// item's (a fault, and in a virtual machine often a second one), so a run that knows its size
// reserves the room beforehand and the room stays across Clear. Slots outside the live block
// hold no meaningful value.
class TDisplayList
{
public:
    TDisplayList() = default;
    TDisplayList(const TDisplayList &) = delete;
    TDisplayList &operator=(const TDisplayList &) = delete;
    TDisplayList(TDisplayList &&) noexcept = default;
    TDisplayList &operator=(TDisplayList &&) noexcept = default;

    int ItemCount() const { return m_count; }
    int Capacity() const { return m_capacity; }

    int AllocSize() const { return m_allocSize; }
    // Accepted for 1 .. 1,000,000; other values are ignored.
    void SetAllocSize(int value);

    const TChartItem *Items() const { return m_slots.data() + m_offset; }
    const TChartItem &Item(int index) const
    {
        return m_slots[static_cast<size_t>(m_offset + index)];
    }

    // Appends a copy of the item, growing Capacity by AllocSize when the list is full.
    // Raises EOutOfMemory when the storage cannot grow; the list is then unchanged.
    void Append(const TChartItem &item);

    // Removes item index (0-based) keeping the order; out of range: nothing. Removing the
    // last item empties the list as Clear does (Capacity 0).
    void Remove(int index);

    // Removes every item and releases the storage beyond the reserved room.
    void Clear();

    // Makes room for count items in all, its slots written, and keeps that room across Clear:
    // appending up to count items then neither allocates nor faults. Capacity is not
    // changed. 0 gives the room back at the next Clear. Raises EOutOfMemory with nothing
    // changed when the room cannot be made.
    void Reserve(int count);

    // The items of a stored list: replaces the list or adds them after the present items;
    // Capacity becomes exactly the new ItemCount. Raises EOutOfMemory with the list unchanged.
    void Load(const TChartItem *items, int count, bool append);

    // Copies item index into item; out of range sets only item.Kind to ikNone.
    void GetItem(int index, TChartItem &item) const;

private:
    void MakeRoomAtEnd();
    void Reallocate(size_t slotCount, size_t fallbackSlots);
    bool TryReallocate(size_t slotCount);
    void MoveToFront();
    size_t CapacityToHold(size_t count) const;

    std::vector<TChartItem> m_slots;
    int m_offset = 0;
    int m_count = 0;
    int m_capacity = 0;
    int m_allocSize = 1000;
    int m_reserved = 0;
};
