#include "cool/BoundaryRowIndex.h"

#include <cassert>
#include <limits>

std::size_t CBoundaryRowIndex::SlotOf(int key) const
{
    // Fibonacci hashing spreads consecutive element numbers over the table.
    uint64_t h = static_cast<uint64_t>(static_cast<uint32_t>(key)) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h >> m_shift);
}

long CBoundaryRowIndex::Find(int key) const
{
    if (m_slots.empty())
        return -1;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = SlotOf(key);; i = (i + 1) & mask) {
        const Slot& s = m_slots[i];
        if (s.rowPlusOne == 0)
            return -1;
        if (s.key == key)
            return static_cast<long>(s.rowPlusOne - 1);
    }
}

bool CBoundaryRowIndex::Insert(int key, std::size_t row)
{
    assert(row < std::numeric_limits<uint32_t>::max());
    if ((m_count + 1) * 2 > m_slots.size())
        Grow();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = SlotOf(key);; i = (i + 1) & mask) {
        Slot& s = m_slots[i];
        if (s.rowPlusOne == 0) {
            s.key = key;
            s.rowPlusOne = static_cast<uint32_t>(row + 1);
            ++m_count;
            return true;
        }
        if (s.key == key)
            return false;
    }
}

void CBoundaryRowIndex::Grow()
{
    std::vector<Slot> old;
    old.swap(m_slots);
    const std::size_t size = old.empty() ? 16 : old.size() * 2;
    m_slots.assign(size, Slot{0, 0});
    m_shift = 64;
    for (std::size_t s = size; s > 1; s >>= 1)
        --m_shift;
    m_count = 0;
    for (const Slot& s : old)
        if (s.rowPlusOne != 0)
            Insert(s.key, s.rowPlusOne - 1);
}

void CBoundaryRowIndex::Clear()
{
    m_slots.clear();
    m_count = 0;
    m_shift = 64;
}
