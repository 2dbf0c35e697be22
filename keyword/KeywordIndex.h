#pragma once
// The keyword index of MKeywordFile, kept apart from the reading and writing
// of keyword files. Private to keyword/KeywordFile.cpp, which includes it
// once, after its own helpers (the keyword hash among them); nothing else may.
#include "keyword/KeywordFile.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <sys/mman.h>
#include <utility>
#include <vector>

// Big decks fill these buffers with tens of megabytes of fresh memory; huge
// pages cut the page faults from one per 4 KB to one per 2 MB. Only the
// whole 2 MB pages inside the buffer are advised; this is a hint, never an error.
inline void AdviseHugePages(const void* data, std::size_t bytes)
{
    const std::uintptr_t kHuge = 2u << 20;
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kHuge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

// Open addressing with linear probing over a power-of-two table that doubles
// at a load of three quarters, so a deck of a million keywords loads in
// linear time. The 32-bit tags keep the longer runs of that load cheap: a
// probe compares keyword text only when a tag matches, and the table of a big
// deck is half the memory it would be at a load of one half, memory that is
// freshly faulted on every load.
// Entries hold the slot (the keyword text lives with the slot) and the low 32
// hash bits: they give the home position without rehashing the text and
// settle almost every mismatch without a string compare. Removal shifts the
// following run back, so no tombstones accumulate.
struct MKeywordFile::Index {
    struct Entry {
        std::uint32_t slotPlus1 = 0; // 0: empty
        std::uint32_t hash = 0;
    };

    // Zeroed entries; big tables come straight from the system in huge pages
    // where it offers them, because every probe of a big deck lands on a
    // different 4 KB page and would otherwise miss the TLB.
    class Table {
    public:
        explicit Table(std::size_t size) : m_size(size)
        {
            const std::size_t bytes = size * sizeof(Entry);
            if (bytes >= kMapped) {
                void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
                if (p != MAP_FAILED) {
                    ::madvise(p, bytes, MADV_HUGEPAGE);
                    m_data = static_cast<Entry*>(p);
                    m_mapped = true;
                    return;
                }
            }
            m_data = static_cast<Entry*>(std::calloc(size, sizeof(Entry)));
            if (!m_data)
                throw std::bad_alloc();
        }
        ~Table() { Release(); }
        Table(Table&& other) noexcept : m_data(other.m_data), m_size(other.m_size), m_mapped(other.m_mapped)
        {
            other.m_data = nullptr;
        }
        Table& operator=(Table&& other) noexcept
        {
            if (this != &other) {
                Release();
                m_data = other.m_data;
                m_size = other.m_size;
                m_mapped = other.m_mapped;
                other.m_data = nullptr;
            }
            return *this;
        }
        Entry& operator[](std::size_t i) { return m_data[i]; }
        const Entry& operator[](std::size_t i) const { return m_data[i]; }
        std::size_t size() const { return m_size; }

    private:
        static constexpr std::size_t kMapped = 2u << 20;
        void Release()
        {
            if (m_data && m_mapped)
                ::munmap(m_data, m_size * sizeof(Entry));
            else
                std::free(m_data);
            m_data = nullptr;
        }
        Entry* m_data = nullptr;
        std::size_t m_size = 0;
        bool m_mapped = false;
    };

    Table table{64};
    std::size_t count = 0;

    std::size_t Mask() const { return table.size() - 1; }

    // The table position holding `key`, or -1.
    long Locate(std::string_view key, std::uint64_t h, const MKeywordFile& file) const
    {
        const std::uint32_t tag = static_cast<std::uint32_t>(h);
        for (std::size_t i = tag & Mask();; i = (i + 1) & Mask()) {
            const Entry& e = table[i];
            if (e.slotPlus1 == 0)
                return -1;
            if (e.hash == tag && file.KeywordAt(e.slotPlus1 - 1) == key)
                return static_cast<long>(i);
        }
    }

    // The slot of `key`, or -1.
    long Find(std::string_view key, std::uint64_t h, const MKeywordFile& file) const
    {
        const long at = Locate(key, h, file);
        return at < 0 ? -1 : static_cast<long>(table[static_cast<std::size_t>(at)].slotPlus1 - 1);
    }

    // The entry holding `key`, or the empty entry where it belongs. Call
    // MakeRoom first: a rebuild moves every entry.
    Entry& Probe(std::string_view key, std::uint64_t h, const MKeywordFile& file)
    {
        return ProbeFor(h, [&] { return key; }, file);
    }

    // Probe, with the keyword fetched only when a tag matches.
    template <class GetKey>
    Entry& ProbeFor(std::uint64_t h, GetKey getKey, const MKeywordFile& file)
    {
        const std::uint32_t tag = static_cast<std::uint32_t>(h);
        for (std::size_t i = tag & Mask();; i = (i + 1) & Mask()) {
            Entry& e = table[i];
            if (e.slotPlus1 == 0 || (e.hash == tag && file.KeywordAt(e.slotPlus1 - 1) == getKey()))
                return e;
        }
    }

    // Room for one more entry.
    void MakeRoom()
    {
        if (!Fits(count + 1, table.size()))
            Rebuild(table.size() * 2);
    }

    // Fills the empty entry `at` that Probe returned.
    void Fill(Entry& at, std::uint64_t h, std::size_t slot)
    {
        assert(slot < UINT32_MAX && at.slotPlus1 == 0);
        at = Entry{static_cast<std::uint32_t>(slot + 1), static_cast<std::uint32_t>(h)};
        ++count;
    }

    static bool Fits(std::size_t n, std::size_t size) { return n <= size / 4 * 3; }

    void Place(const Entry& entry)
    {
        std::size_t i = entry.hash & Mask();
        while (table[i].slotPlus1 != 0)
            i = (i + 1) & Mask();
        table[i] = entry;
    }

    bool Erase(std::string_view key, std::uint64_t h, const MKeywordFile& file)
    {
        const long at = Locate(key, h, file);
        if (at < 0)
            return false;
        // Move later members of the probe run into the hole unless their home
        // lies cyclically after the hole, where a lookup still reaches them.
        std::size_t hole = static_cast<std::size_t>(at);
        for (std::size_t j = (hole + 1) & Mask(); table[j].slotPlus1 != 0; j = (j + 1) & Mask()) {
            const std::size_t home = table[j].hash & Mask();
            const bool reachable = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
            if (!reachable) {
                table[hole] = table[j];
                hole = j;
            }
        }
        table[hole] = Entry{};
        --count;
        return true;
    }

    void Reserve(std::size_t n)
    {
        std::size_t size = table.size();
        while (!Fits(n, size))
            size *= 2;
        if (size != table.size())
            Rebuild(size);
    }

    void Rebuild(std::size_t size)
    {
        Table old(size);
        std::swap(old, table);
        for (std::size_t i = 0; i < old.size(); ++i)
            if (old[i].slotPlus1 != 0)
                Place(old[i]);
    }

    void Clear()
    {
        table = Table(64);
        count = 0;
    }

    // While a text is read, stored lines only append slots and note their
    // hash here; IndexAppended then enters them all in one tight pass.
    bool appending = false;
    std::size_t firstAppended = 0;
    std::vector<std::uint32_t, StoreMemory::Allocator<std::uint32_t>> appendedTags;

    void BeginAppending(const MKeywordFile& file, std::size_t expected)
    {
        appendedTags.clear();
        appendedTags.reserve(expected);
        firstAppended = file.m_slots.size();
        appending = true;
    }

    // Enters the slots appended since reading began, so a keyword read twice
    // keeps its first slot and takes the later value. The later slot goes
    // and the slots after it move up, so the content is what storing line by
    // line gives, and a deck that repeats one keyword a million times holds
    // one slot. A keyword read again takes over the later slot's text, which
    // holds the same keyword: nothing is copied or allocated.
    void IndexAppended(MKeywordFile& file)
    {
        assert(appending && appendedTags.size() == file.m_slots.size() - firstAppended);
        appending = false;
        try {
            Reserve(count + appendedTags.size());
            if (table.size() >= kRegionsFrom)
                IndexByRegion(file);
            else
                IndexInOrder(file);
        } catch (...) {
            DropAppended(file);
            throw;
        }
        decltype(appendedTags)().swap(appendedTags);
    }

    // Takes the value of the appended `slot` into the slot that has its keyword.
    static void TakeOver(MKeywordFile& file, std::size_t earlier, std::size_t slot)
    {
        std::swap(file.m_slots[earlier], file.m_slots[slot]);
        file.Release(file.m_slots[slot]);
    }

    // In slot order, table entries fetched several slots ahead.
    void IndexInOrder(MKeywordFile& file)
    {
        constexpr std::size_t kAhead = 16;
        const std::size_t n = appendedTags.size();
        std::size_t kept = firstAppended; // the next slot that stays
        for (std::size_t i = 0; i < n; ++i) {
            if (i + kAhead < n)
                Prefetch(appendedTags[i + kAhead]);
            const std::size_t slot = firstAppended + i;
            Entry& entry = Probe(file.KeywordAt(slot), appendedTags[i], file);
            if (entry.slotPlus1 != 0) {
                TakeOver(file, entry.slotPlus1 - 1, slot);
                continue;
            }
            // Moves go towards the front and never reach a slot not yet looked at.
            if (kept != slot)
                file.m_slots[kept] = file.m_slots[slot];
            Fill(entry, appendedTags[i], kept);
            ++kept;
        }
        file.m_slots.resize(kept);
    }

    // A big table is filled region by region: the appended slots go in the
    // order of the table region their keywords hash to (in slot order within
    // a region, so the lines of one keyword keep theirs), and each entry
    // lands next to the last one instead of somewhere in tens of megabytes,
    // which cost a cache and TLB miss per keyword. Slots of keywords read
    // again are removed afterwards, and the entries renumbered, when there
    // are any.
    static constexpr unsigned kRegionBits = 8;
    static constexpr std::size_t kRegionsFrom = std::size_t{1} << 17;

    void IndexByRegion(MKeywordFile& file)
    {
        const std::size_t n = appendedTags.size();
        const unsigned shift = static_cast<unsigned>(std::countr_zero(table.size())) - kRegionBits;
        std::vector<std::uint32_t> start((std::size_t{1} << kRegionBits) + 1, 0);
        for (std::uint32_t tag : appendedTags)
            ++start[((tag & Mask()) >> shift) + 1];
        for (std::size_t r = 1; r < start.size(); ++r)
            start[r] += start[r - 1];
        // Each entry to make, so that the loop below touches neither the
        // tags nor the slots in their scattered order.
        struct Pending {
            std::uint32_t slot; // not zeroed when allocated: every element is set
            std::uint32_t hash;
        };
        StoreMemory::Allocator<Pending> orderMemory;
        const auto freeOrder = [&](Pending* p) { orderMemory.deallocate(p, n); };
        std::unique_ptr<Pending[], decltype(freeOrder)> order(orderMemory.allocate(n), freeOrder);
        std::uninitialized_default_construct_n(order.get(), n);
        for (std::size_t i = 0; i < n; ++i)
            order[start[(appendedTags[i] & Mask()) >> shift]++] =
                Pending{static_cast<std::uint32_t>(firstAppended + i), appendedTags[i]};
        // The tags are read no more: their memory goes back before the table is filled.
        decltype(appendedTags)().swap(appendedTags);

        // The table is fresh memory, not yet in any cache: entries are
        // fetched a few ahead as well.
        constexpr std::size_t kAhead = 16;
        bool dropped = false;
        for (std::size_t k = 0; k < n; ++k) {
            if (k + kAhead < n)
                Prefetch(order[k + kAhead].hash);
            const std::size_t slot = order[k].slot;
            const std::uint32_t hash = order[k].hash;
            Entry& entry = ProbeFor(hash, [&] { return file.KeywordAt(slot); }, file);
            if (entry.slotPlus1 != 0) {
                TakeOver(file, entry.slotPlus1 - 1, slot);
                dropped = true;
                continue;
            }
            Fill(entry, hash, slot);
        }
        if (!dropped)
            return;
        // Where each kept appended slot goes, in the slot fields of `order`,
        // which is read no more: no second array of fresh memory.
        std::size_t kept = firstAppended;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t slot = firstAppended + i;
            if (!file.m_slots[slot].key)
                continue;
            order[i].slot = static_cast<std::uint32_t>(kept);
            file.m_slots[kept++] = file.m_slots[slot];
        }
        for (std::size_t t = 0; t < table.size(); ++t)
            if (table[t].slotPlus1 > firstAppended)
                table[t].slotPlus1 = order[table[t].slotPlus1 - 1 - firstAppended].slot + 1;
        file.m_slots.resize(kept);
    }

    // Back to the content before reading began (after a failed allocation).
    void DropAppended(MKeywordFile& file)
    {
        appending = false;
        for (std::size_t i = firstAppended; i < file.m_slots.size(); ++i)
            file.Release(file.m_slots[i]);
        file.m_slots.resize(firstAppended);
        decltype(appendedTags)().swap(appendedTags);
    }

    // Loading touches one random table entry per keyword; fetching it a few
    // lines ahead hides most of the memory latency on big decks.
    void Prefetch(std::uint64_t h) const { __builtin_prefetch(&table[h & Mask()]); }
};
