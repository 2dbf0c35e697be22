#pragma once
// A hash map from a row's first field (an element or node number) to the
// index of its row. Open addressing over one array: a million inserts stay
// linear and cache-friendly, which a node-based map does not.
#include <cstddef>
#include <cstdint>
#include <vector>

class CBoundaryRowIndex {
public:
    // The row stored for `key`, or -1.
    long Find(int key) const;
    // Stores `row` for `key` unless the key is present (the first row wins).
    // Returns false when the key was already there.
    bool Insert(int key, std::size_t row);
    void Clear();
    std::size_t GetCount() const { return m_count; }

private:
    struct Slot {
        int32_t key;
        uint32_t rowPlusOne; // 0 marks an empty slot
    };
    std::size_t SlotOf(int key) const;
    void Grow();

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
    unsigned m_shift = 64;
};
