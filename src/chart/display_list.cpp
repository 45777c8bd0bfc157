#include "chart/display_list.h"

#include "platform/exception.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <type_traits>
#include <utility>

static_assert(std::is_trivially_copyable_v<TChartItem>, "items are moved as bytes");

namespace {

// The whole pages that hold count items.
size_t PageBytes(size_t count)
{
    static const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    return (count * sizeof(TChartItem) + page - 1) / page * page;
}

} // namespace

TDisplayList::Slots::Slots(Slots &&other) noexcept
    : m_data(std::exchange(other.m_data, nullptr))
    , m_count(std::exchange(other.m_count, 0))
    , m_bytes(std::exchange(other.m_bytes, 0))
    , m_touched(std::exchange(other.m_touched, 0))
{ }

TDisplayList::Slots &TDisplayList::Slots::operator=(Slots &&other) noexcept
{
    if (this != &other) {
        Release();
        m_data = std::exchange(other.m_data, nullptr);
        m_count = std::exchange(other.m_count, 0);
        m_bytes = std::exchange(other.m_bytes, 0);
        m_touched = std::exchange(other.m_touched, 0);
    }
    return *this;
}

bool TDisplayList::Slots::Grow(size_t count)
{
    if (count <= m_count)
        return true;
    if (count > (std::numeric_limits<size_t>::max() / 2) / sizeof(TChartItem))
        return false;
    const size_t bytes = PageBytes(count);
    void *grown = m_data
            ? ::mremap(m_data, m_bytes, bytes, MREMAP_MAYMOVE)
            : ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (grown == MAP_FAILED)
        return false;
    // One call faults the new pages in: a fault per page while items are appended costs far
    // more. Where the system cannot, the pages fault in as they are written.
    ::madvise(static_cast<char *>(grown) + m_bytes, bytes - m_bytes, MADV_POPULATE_WRITE);
    m_data = static_cast<TChartItem *>(grown);
    m_bytes = bytes;
    m_count = bytes / sizeof(TChartItem);
    return true;
}

void TDisplayList::Slots::Touch(size_t from, size_t count)
{
    from = std::max(from, m_touched);
    count = std::min(count, m_count);
    if (from >= count)
        return;
    std::memset(static_cast<void *>(m_data + from), 0, (count - from) * sizeof(TChartItem));
    m_touched = count;
}

void TDisplayList::Slots::ShrinkTo(size_t count)
{
    if (count >= m_count)
        return;
    if (count == 0) {
        Release();
        return;
    }
    const size_t bytes = PageBytes(count);
    if (bytes >= m_bytes || ::mremap(m_data, m_bytes, bytes, 0) == MAP_FAILED)
        return; // keeping more than asked is harmless
    m_bytes = bytes;
    m_count = bytes / sizeof(TChartItem);
    m_touched = std::min(m_touched, m_count);
}

void TDisplayList::Slots::Release()
{
    if (m_data)
        ::munmap(m_data, m_bytes);
    m_data = nullptr;
    m_count = 0;
    m_bytes = 0;
    m_touched = 0;
}

void TDisplayList::SetAllocSize(int value)
{
    if (value >= 1 && value <= 1000000)
        m_allocSize = value;
}

void TDisplayList::MoveToFront()
{
    if (m_offset == 0)
        return;
    std::memmove(m_slots.Data(), Items(), static_cast<size_t>(m_count) * sizeof(TChartItem));
    m_offset = 0;
}

// The live items end at the start of the new block; the items are unchanged on failure.
void TDisplayList::Reallocate(size_t slotCount, size_t fallbackSlots)
{
    MoveToFront();
    if (m_slots.Grow(slotCount))
        return;
    if (fallbackSlots >= slotCount || !m_slots.Grow(fallbackSlots))
        throw EOutOfMemory();
}

void TDisplayList::MakeRoomAtEnd()
{
    if (m_count >= m_capacity) {
        const size_t capacity = static_cast<size_t>(m_capacity) + static_cast<size_t>(m_allocSize);
        if (capacity > static_cast<size_t>(std::numeric_limits<int>::max()))
            throw EOutOfMemory();
        if (static_cast<size_t>(m_offset) + capacity > m_slots.Count()) {
            // Physical room grows geometrically so that small AllocSize values stay cheap.
            Reallocate(std::max(capacity, m_slots.Count() + m_slots.Count() / 2), capacity);
        }
        m_capacity = static_cast<int>(capacity);
        return;
    }
    if (static_cast<size_t>(m_offset + m_count) < m_slots.Count())
        return;
    // The end of the block is reached after removals at the front.
    if (m_offset >= m_count) {
        MoveToFront();
        return;
    }
    const size_t capacity = static_cast<size_t>(m_capacity);
    try {
        Reallocate(std::max(2 * capacity, m_slots.Count() + capacity), capacity);
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
    TChartItem *first = m_slots.Data() + m_offset;
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
    m_slots.ShrinkTo(m_reserved > 0 ? CapacityToHold(size_t(m_reserved)) : 0);
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
    if (static_cast<size_t>(m_offset) + room > m_slots.Count())
        Reallocate(room, room);
    // The slots past count are mapped for the Capacity rule but need not be written.
    m_slots.Touch(static_cast<size_t>(m_offset + m_count),
                  static_cast<size_t>(m_offset) + static_cast<size_t>(count));
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
    Slots fresh;
    if (!fresh.Grow(total))
        throw EOutOfMemory();
    if (kept > 0)
        std::memcpy(fresh.Data(), Items(), static_cast<size_t>(kept) * sizeof(TChartItem));
    if (count > 0)
        std::memcpy(fresh.Data() + kept, items, static_cast<size_t>(count) * sizeof(TChartItem));
    m_slots = std::move(fresh);
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
