#include "chart/display_list.h"

#include "platform/exception.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <type_traits>

static_assert(std::is_trivially_copyable_v<TChartItem>, "items are moved as bytes");

void TDisplayList::SetAllocSize(int value)
{
    if (value >= 1 && value <= 1000000)
        m_allocSize = value;
}

void TDisplayList::MoveToFront()
{
    if (m_offset == 0)
        return;
    std::memmove(m_slots.data(), Items(), static_cast<size_t>(m_count) * sizeof(TChartItem));
    m_offset = 0;
}

// The live items move to the start of a block of slotCount slots; false with nothing changed
// when memory is short.
bool TDisplayList::TryReallocate(size_t slotCount)
{
    try {
        std::vector<TChartItem> fresh;
        fresh.reserve(slotCount);
        fresh.assign(Items(), Items() + m_count);
        fresh.resize(slotCount);
        m_slots.swap(fresh);
    } catch (const std::bad_alloc &) {
        return false;
    }
    m_offset = 0;
    return true;
}

void TDisplayList::Reallocate(size_t slotCount, size_t fallbackSlots)
{
    if (TryReallocate(slotCount))
        return;
    if (fallbackSlots >= slotCount || !TryReallocate(fallbackSlots))
        throw EOutOfMemory();
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
        MoveToFront();
        return;
    }
    const size_t capacity = static_cast<size_t>(m_capacity);
    try {
        Reallocate(std::max(2 * capacity, m_slots.size() + capacity), capacity);
    } catch (const EOutOfMemory &) {
        MoveToFront();
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
    m_offset = 0;
    m_count = 0;
    m_capacity = 0;
    if (m_reserved == 0) {
        std::vector<TChartItem>().swap(m_slots);
        return;
    }
    // The room past the reserved one is given back; the reserved slots stay written.
    const size_t room = CapacityToHold(static_cast<size_t>(m_reserved));
    if (m_slots.size() > room) {
        m_slots.resize(room);
        m_slots.shrink_to_fit();
    }
}

// The Capacity that appending up to count items in all reaches from the present one.
size_t TDisplayList::CapacityToHold(size_t count) const
{
    const size_t capacity = static_cast<size_t>(m_capacity);
    if (count <= capacity)
        return capacity;
    const size_t step = static_cast<size_t>(m_allocSize);
    return capacity + (count - capacity + step - 1) / step * step;
}

void TDisplayList::Reserve(int count)
{
    count = std::max(count, 0);
    const size_t room = CapacityToHold(static_cast<size_t>(count));
    if (room > static_cast<size_t>(std::numeric_limits<int>::max()))
        throw EOutOfMemory();
    // Appends grow the list physically when the live block would pass the end of the slots.
    if (static_cast<size_t>(m_offset) + room > m_slots.size())
        Reallocate(room, room);
    m_reserved = count;
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
        fresh.reserve(total);
        fresh.assign(Items(), Items() + kept);
        fresh.insert(fresh.end(), items, items + count);
    } catch (const std::bad_alloc &) {
        throw EOutOfMemory();
    }
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
