#include "keyword/StoreMemory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sys/mman.h>

namespace StoreMemory {
namespace {

// Below this a block is malloc's: the allocator keeps and reuses such
// blocks itself.
constexpr std::size_t kBig = 4u << 20;
constexpr std::size_t kHuge = 2u << 20;
// Enough for the text and the slots of two files read one after the other.
constexpr std::size_t kMaxKept = 4;
// What the kept blocks may hold together: the text and slots of a deck of
// about a hundred megabytes.
constexpr std::size_t kMaxKeptBytes = std::size_t{256} << 20;

// In front of every block; 16 bytes keep the block aligned as malloc's are.
struct Header {
    std::size_t capacity; // usable bytes after the header
    std::size_t mapped;   // length of the mapping, 0 for a malloc block
};
static_assert(sizeof(Header) == 16);

Header* HeaderOf(const char* block)
{
    return reinterpret_cast<Header*>(const_cast<char*>(block) - sizeof(Header));
}

struct Kept {
    std::mutex lock;
    Header* blocks[kMaxKept] = {};
    std::size_t count = 0;
    std::size_t bytes = 0; // mapped bytes of the kept blocks
};

Kept& TheKept()
{
    // Never destroyed: a file freed during the exit of the process still
    // finds it.
    static Kept* kept = new Kept;
    return *kept;
}

void Unmap(Header* h) noexcept
{
    ::munmap(h, h->mapped);
}

// The smallest kept block that holds `bytes`, taken out of the list.
Header* TakeKept(std::size_t bytes)
{
    Kept& k = TheKept();
    std::lock_guard<std::mutex> guard(k.lock);
    std::size_t best = k.count;
    for (std::size_t i = 0; i < k.count; ++i)
        if (k.blocks[i]->capacity >= bytes && (best == k.count || k.blocks[i]->capacity < k.blocks[best]->capacity))
            best = i;
    if (best == k.count)
        return nullptr;
    Header* h = k.blocks[best];
    k.bytes -= h->mapped;
    k.blocks[best] = k.blocks[--k.count];
    return h;
}

Header* Map(std::size_t bytes)
{
    if (bytes > static_cast<std::size_t>(-1) - sizeof(Header) - kHuge)
        throw std::bad_alloc();
    const std::size_t length = (sizeof(Header) + bytes + kHuge - 1) & ~(kHuge - 1);
    void* p = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    // Huge pages where the system offers them: a deck's slots and text are
    // touched all over, and 4 KB pages would miss the TLB at every step.
    ::madvise(p, length, MADV_HUGEPAGE);
    Header* h = static_cast<Header*>(p);
    h->capacity = length - sizeof(Header);
    h->mapped = length;
    return h;
}

void Keep(Header* h) noexcept
{
    // Kept pages stay resident: handing them back (MADV_FREE) cost more
    // than the faults it was to save on the machines measured, so the kept
    // memory is bounded instead.
    if (h->mapped > kMaxKeptBytes) {
        Unmap(h);
        return;
    }
    Kept& k = TheKept();
    Header* drop = h;
    {
        std::lock_guard<std::mutex> guard(k.lock);
        if (k.count < kMaxKept && k.bytes + h->mapped <= kMaxKeptBytes) {
            k.bytes += h->mapped;
            k.blocks[k.count++] = h;
            drop = nullptr;
        } else {
            // The smallest goes: the big ones are those worth keeping.
            std::size_t smallest = 0;
            for (std::size_t i = 1; i < k.count; ++i)
                if (k.blocks[i]->capacity < k.blocks[smallest]->capacity)
                    smallest = i;
            if (k.blocks[smallest]->capacity < h->capacity && k.bytes - k.blocks[smallest]->mapped + h->mapped <= kMaxKeptBytes) {
                k.bytes += h->mapped - k.blocks[smallest]->mapped;
                std::swap(drop, k.blocks[smallest]);
            }
        }
    }
    if (drop)
        Unmap(drop);
}

} // namespace

char* Allocate(std::size_t bytes)
{
    Header* h = nullptr;
    if (bytes >= kBig) {
        h = TakeKept(bytes);
        if (!h)
            h = Map(bytes);
    } else {
        h = static_cast<Header*>(std::malloc(sizeof(Header) + bytes));
        if (!h)
            throw std::bad_alloc();
        h->capacity = bytes;
        h->mapped = 0;
    }
    return reinterpret_cast<char*>(h) + sizeof(Header);
}

void Free(char* block) noexcept
{
    if (!block)
        return;
    Header* h = HeaderOf(block);
    if (h->mapped == 0)
        std::free(h);
    else
        Keep(h);
}

char* Grow(char* block, std::size_t used, std::size_t bytes)
{
    if (block && Capacity(block) >= bytes)
        return block;
    char* bigger = Allocate(bytes);
    if (used)
        std::memcpy(bigger, block, used);
    Free(block);
    return bigger;
}

std::size_t Capacity(const char* block) noexcept
{
    return HeaderOf(block)->capacity;
}

void Trim() noexcept
{
    Kept& k = TheKept();
    std::lock_guard<std::mutex> guard(k.lock);
    for (std::size_t i = 0; i < k.count; ++i)
        Unmap(k.blocks[i]);
    k.count = 0;
    k.bytes = 0;
}

std::size_t KeptBlocks() noexcept
{
    Kept& k = TheKept();
    std::lock_guard<std::mutex> guard(k.lock);
    return k.count;
}

} // namespace StoreMemory
