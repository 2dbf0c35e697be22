#include "keyword/KeywordFile.h"
#include "keyword/StoreMemory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kMB = 1u << 20;

// Big blocks are kept after they are freed and handed out again; what a
// kept block held must never show through a new owner's contents, and the
// list of kept blocks stays bounded however many are freed.
TEST(StoreMemory, BigBlocksAreReusedAndBounded)
{
    StoreMemory::Trim();
    char* a = StoreMemory::Allocate(8 * kMB);
    ASSERT_GE(StoreMemory::Capacity(a), 8 * kMB);
    std::memset(a, 'x', 8 * kMB);
    StoreMemory::Free(a);
    EXPECT_EQ(StoreMemory::KeptBlocks(), 1u);

    // A request the kept block holds takes it; a bigger one maps anew.
    char* b = StoreMemory::Allocate(6 * kMB);
    EXPECT_EQ(b, a);
    EXPECT_EQ(StoreMemory::KeptBlocks(), 0u);
    char* c = StoreMemory::Allocate(40 * kMB);
    EXPECT_NE(c, a);
    c[40 * kMB - 1] = 'y';

    std::vector<char*> many;
    for (int i = 0; i < 10; ++i)
        many.push_back(StoreMemory::Allocate((5 + i) * kMB));
    for (char* p : many)
        StoreMemory::Free(p);
    StoreMemory::Free(b);
    StoreMemory::Free(c);
    EXPECT_LE(StoreMemory::KeptBlocks(), 4u);
    // The biggest are those kept: the 40 MB block serves the next big deck.
    char* again = StoreMemory::Allocate(39 * kMB);
    EXPECT_EQ(again, c);
    StoreMemory::Free(again);
    StoreMemory::Trim();
    EXPECT_EQ(StoreMemory::KeptBlocks(), 0u);

    // What is kept is bounded in bytes too: a block of a huge deck goes back
    // to the system at once.
    StoreMemory::Free(StoreMemory::Allocate(300 * kMB));
    EXPECT_EQ(StoreMemory::KeptBlocks(), 0u);
}

TEST(StoreMemory, GrowKeepsTheBytesAcrossTheSmallAndBigKinds)
{
    char* p = StoreMemory::Allocate(100);
    std::memcpy(p, "0123456789", 10);
    p = StoreMemory::Grow(p, 10, 50); // fits: the same block
    EXPECT_EQ(std::string(p, 10), "0123456789");
    p = StoreMemory::Grow(p, 10, 5 * kMB); // small to big
    EXPECT_EQ(std::string(p, 10), "0123456789");
    p[5 * kMB - 1] = 'z';
    p = StoreMemory::Grow(p, 5 * kMB, 12 * kMB); // big to bigger
    EXPECT_EQ(std::string(p, 10), "0123456789");
    EXPECT_EQ(p[5 * kMB - 1], 'z');
    StoreMemory::Free(p);
    StoreMemory::Free(nullptr);
    StoreMemory::Trim();
}

// Keyword files read on several threads at once share the kept blocks;
// each must read back exactly its own deck.
TEST(StoreMemory, FilesReadOnSeveralThreadsKeepTheirOwnText)
{
    auto deck = [](int t) {
        std::string text;
        for (int i = 0; text.size() < 6 * kMB; ++i)
            text += "K" + std::to_string(i) + ": " + std::to_string(i * 7 + t) + "\n";
        return text;
    };
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            const std::string text = deck(t);
            for (int round = 0; round < 3; ++round) {
                MKeywordFile f;
                f.MergeText(text);
                if (f.GetValue("K1000") != std::to_string(7000 + t) || f.GetValue("K0") != std::to_string(t))
                    ++wrong[t];
            }
        });
    for (std::thread& th : threads)
        th.join();
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
    StoreMemory::Trim();
}

} // namespace
