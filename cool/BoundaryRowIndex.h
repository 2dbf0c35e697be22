#pragma once
// A map from a row's first field (an element or node number) to the index of
// its row. Element numbers of a mesh are mostly dense from 1, so the map
// starts as a plain array indexed by the number and becomes an open-addressing
// hash table once a number falls far outside it. Either way a million inserts
// stay linear and touch memory in order, which a node-based map does not.
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
    bool InsertHashed(int key, uint32_t rowPlusOne);
    void SwitchToHash();
    void Grow();

    std::vector<uint32_t> m_dense; // key -> row + 1, while not hashed
    std::vector<Slot> m_slots;     // the hash table, once hashed
    bool m_hashed = false;
    std::size_t m_count = 0;
    unsigned m_shift = 64;
};
