#include "cool/BoundaryRowIndex.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace {

// The array may be at most this much larger than the number of keys in it.
std::size_t DenseLimit(std::size_t count)
{
    return 4 * count + 1024;
}

std::size_t SlotOf(int key, unsigned shift)
{
    // Fibonacci hashing spreads patterned numbers over the table.
    const uint64_t h = static_cast<uint64_t>(static_cast<uint32_t>(key)) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h >> shift);
}

} // namespace

long CBoundaryRowIndex::Find(int key) const
{
    if (!m_hashed) {
        if (key < 0 || static_cast<std::size_t>(key) >= m_dense.size())
            return -1;
        return static_cast<long>(m_dense[static_cast<std::size_t>(key)]) - 1;
    }
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = SlotOf(key, m_shift);; i = (i + 1) & mask) {
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
    const uint32_t rowPlusOne = static_cast<uint32_t>(row + 1);
    if (!m_hashed) {
        if (key >= 0 && static_cast<std::size_t>(key) < DenseLimit(m_count + 1)) {
            const std::size_t k = static_cast<std::size_t>(key);
            if (k >= m_dense.size())
                m_dense.resize(std::max(k + 1, m_dense.size() + m_dense.size() / 2), 0);
            if (m_dense[k] != 0)
                return false;
            m_dense[k] = rowPlusOne;
            ++m_count;
            return true;
        }
        SwitchToHash();
    }
    return InsertHashed(key, rowPlusOne);
}

void CBoundaryRowIndex::SwitchToHash()
{
    std::vector<uint32_t> dense;
    dense.swap(m_dense);
    m_hashed = true;
    m_count = 0;
    for (std::size_t k = 0; k < dense.size(); ++k)
        if (dense[k] != 0)
            InsertHashed(static_cast<int>(k), dense[k]);
}

bool CBoundaryRowIndex::InsertHashed(int key, uint32_t rowPlusOne)
{
    if ((m_count + 1) * 2 > m_slots.size())
        Grow();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = SlotOf(key, m_shift);; i = (i + 1) & mask) {
        Slot& s = m_slots[i];
        if (s.rowPlusOne == 0) {
            s = Slot{key, rowPlusOne};
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
            InsertHashed(s.key, s.rowPlusOne);
}

void CBoundaryRowIndex::Clear()
{
    m_dense.clear();
    m_slots.clear();
    m_hashed = false;
    m_count = 0;
    m_shift = 64;
}
