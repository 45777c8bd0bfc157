#include "chart/display_list.h"

#include "platform/exception.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

void TDisplayList::SetAllocSize(int value)
{
    if (value >= 1 && value <= 1000000)
        m_allocSize = value;
}

void TDisplayList::Reallocate(size_t slotCount, size_t fallbackSlots)
{
    // The live items move to the start of the new block; the list is unchanged on failure.
    auto build = [this](size_t n) {
        std::vector<TChartItem> fresh(n, TChartItem {});
        if (m_count > 0)
            std::memcpy(fresh.data(), Items(), static_cast<size_t>(m_count) * sizeof(TChartItem));
        m_slots.swap(fresh);
        m_offset = 0;
    };
    try {
        build(slotCount);
    } catch (const std::bad_alloc &) {
        if (fallbackSlots >= slotCount)
            throw EOutOfMemory();
        try {
            build(fallbackSlots);
        } catch (const std::bad_alloc &) {
            throw EOutOfMemory();
        }
    }
}

void TDisplayList::MakeRoomAtEnd()
{
    if (m_count >= m_capacity) {
        const size_t capacity = static_cast<size_t>(m_capacity) + static_cast<size_t>(m_allocSize);
        if (capacity > static_cast<size_t>(std::numeric_limits<int>::max()))
            throw EOutOfMemory();
        if (static_cast<size_t>(m_offset) + capacity > m_slots.size()) {
            // Physical room grows geometrically so that small AllocSize values stay cheap.
            Reallocate(std::max(capacity, m_slots.size() + m_slots.size() / 2), capacity);
        }
        m_capacity = static_cast<int>(capacity);
        return;
    }
    if (static_cast<size_t>(m_offset + m_count) < m_slots.size())
        return;
    // The end of the block is reached after removals at the front.
    if (m_offset >= m_count) {
        std::memmove(m_slots.data(), Items(), static_cast<size_t>(m_count) * sizeof(TChartItem));
        m_offset = 0;
        return;
    }
    const size_t capacity = static_cast<size_t>(m_capacity);
    try {
        Reallocate(std::max(2 * capacity, m_slots.size() + capacity), capacity);
    } catch (const EOutOfMemory &) {
        std::memmove(m_slots.data(), Items(), static_cast<size_t>(m_count) * sizeof(TChartItem));
        m_offset = 0;
    }
}

void TDisplayList::Append(const TChartItem &item)
{
    MakeRoomAtEnd();
    m_slots[static_cast<size_t>(m_offset + m_count)] = item;
    ++m_count;
}

void TDisplayList::Remove(int index)
{
    if (index < 0 || index >= m_count)
        return;
    if (m_count == 1) {
        Clear();
        return;
    }
    TChartItem *first = m_slots.data() + m_offset;
    if (index < m_count / 2) {
        std::memmove(first + 1, first, static_cast<size_t>(index) * sizeof(TChartItem));
        ++m_offset;
    } else {
        std::memmove(first + index, first + index + 1,
                     static_cast<size_t>(m_count - index - 1) * sizeof(TChartItem));
    }
    --m_count;
}

void TDisplayList::Clear()
{
    std::vector<TChartItem>().swap(m_slots);
    m_offset = 0;
    m_count = 0;
    m_capacity = 0;
}

void TDisplayList::Load(const TChartItem *items, int count, bool append)
{
    if (count < 0)
        return;
    const int kept = append ? m_count : 0;
    const size_t total = static_cast<size_t>(kept) + static_cast<size_t>(count);
    if (total > static_cast<size_t>(std::numeric_limits<int>::max()))
        throw EOutOfMemory();
    std::vector<TChartItem> fresh;
    try {
        fresh.resize(total, TChartItem {});
    } catch (const std::bad_alloc &) {
        throw EOutOfMemory();
    }
    if (kept > 0)
        std::memcpy(fresh.data(), Items(), static_cast<size_t>(kept) * sizeof(TChartItem));
    if (count > 0)
        std::memcpy(fresh.data() + kept, items, static_cast<size_t>(count) * sizeof(TChartItem));
    m_slots.swap(fresh);
    m_offset = 0;
    m_count = static_cast<int>(total);
    m_capacity = static_cast<int>(total);
}

void TDisplayList::GetItem(int index, TChartItem &item) const
{
    if (index < 0 || index >= m_count) {
        item.Kind = TItemKind::ikNone;
        return;
    }
    item = Item(index);
}
