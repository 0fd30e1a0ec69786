// The memory the item store keeps its records in.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <memory_resource>

#include "core/ItemStore.h"
#include "platform/LargeBlocks.h"

namespace glv {
namespace {

// Counts what a pool takes from and gives back to its upstream.
struct CountingResource final : std::pmr::memory_resource {
    std::map<void*, std::size_t> live;
    int allocations = 0;

    void* do_allocate(std::size_t bytes, std::size_t alignment) override {
        ++allocations;
        void* p = std::pmr::new_delete_resource()->allocate(bytes, alignment);
        live[p] = bytes;
        return p;
    }
    void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override {
        EXPECT_EQ(live.at(p), bytes);
        live.erase(p);
        std::pmr::new_delete_resource()->deallocate(p, bytes, alignment);
    }
    bool do_is_equal(const memory_resource& other) const noexcept override { return this == &other; }
};

TEST(BlockPool, CarvesReusesBySizeAndGivesEverythingBack) {
    CountingResource upstream;
    {
        BlockPool pool(&upstream);
        // Consecutive blocks of one size follow each other in the first chunk, 16-byte aligned.
        auto* a = static_cast<char*>(pool.allocate(640, 8));
        auto* b = static_cast<char*>(pool.allocate(640, 8));
        EXPECT_EQ(b - a, 640);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a) % 16, 0u);
        auto* odd = static_cast<char*>(pool.allocate(20, 4));  // kept to 32 bytes
        EXPECT_EQ(odd - b, 640);
        EXPECT_EQ(static_cast<char*>(pool.allocate(1, 1)) - odd, 32);
        EXPECT_EQ(upstream.allocations, 1);

        // A freed block serves the next block of its size, and only of its size.
        pool.deallocate(a, 640, 8);
        EXPECT_NE(pool.allocate(512, 8), a);
        EXPECT_EQ(pool.allocate(640, 8), a);

        // Blocks over 64 KiB go straight to the upstream resource and back.
        void* big = pool.allocate(100000, 8);
        EXPECT_EQ(upstream.live.at(big), 100000u);
        pool.deallocate(big, 100000, 8);
        EXPECT_EQ(upstream.live.count(big), 0u);

        // Chunks double: filling past the first 64 KiB takes a 128 KiB chunk next.
        for (int i = 0; i < 200; ++i) (void)pool.allocate(640, 8);
        EXPECT_EQ(pool.ChunkBytes(), (64u + 128u) * 1024u);

        pool.Release();
        EXPECT_TRUE(upstream.live.empty());
        EXPECT_EQ(pool.ChunkBytes(), 0u);
        (void)pool.allocate(64, 8);  // usable again after a release
    }
    EXPECT_TRUE(upstream.live.empty());  // the destructor gives the rest back
}

TEST(LargeBlockResource, MapsHugeBlocksAlignedAndCountsThem) {
    LargeBlockResource& blocks = LargeBlockResource::Instance();
    const std::size_t before = blocks.MappedBytes();
    void* small = blocks.allocate(4096, 16);  // from the heap, not counted
    EXPECT_EQ(blocks.MappedBytes(), before);
    const std::size_t size = LargeBlockResource::kHugePage + 1;
    auto* big = static_cast<char*>(blocks.allocate(size, 64));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(big) % LargeBlockResource::kHugePage, 0u);
    EXPECT_EQ(blocks.MappedBytes(), before + 2 * LargeBlockResource::kHugePage);
    std::memset(big, 0xAB, size);  // all of it is writable
    blocks.deallocate(big, size, 64);
    blocks.deallocate(small, 4096, 16);
    EXPECT_EQ(blocks.MappedBytes(), before);
}

TEST(ItemStore, RecordsKeepSubItemsInThePoolAndCopiesLeaveIt) {
    ItemStore store;
    NewItemDefaults defaults;
    store.Append(store.NewItem(defaults, 3));
    store.Append(store.NewItem(defaults, 3));
    EXPECT_GT(store.SubItemBytes(), 0u);
    // A copy handed to a host must not point into the list's pool, which a clear releases.
    const tListItemInfo copy = store.Item(1);
    EXPECT_NE(copy.cLISubListItemInfo.get_allocator().resource(),
              store.Item(1).cLISubListItemInfo.get_allocator().resource());
    store.Remove(2);
    store.Remove(1);  // the last one: the pool is released with it
    EXPECT_EQ(store.SubItemBytes(), 0u);
    store.Append(store.NewItem(defaults, 2));
    store.Clear();
    EXPECT_EQ(store.SubItemBytes(), 0u);
    EXPECT_EQ(copy.cLISubListItemInfo.size(), 3u);
}

#if defined(__SANITIZE_ADDRESS__)
// The pool recycles blocks itself; under AddressSanitizer a freed block and the uncarved rest of
// a chunk are poisoned, so touching them is still reported.
TEST(BlockPoolDeathTest, TouchingAFreedBlockIsReported) {
    BlockPool pool(std::pmr::new_delete_resource());
    auto* block = static_cast<volatile char*>(pool.allocate(128, 8));
    block[0] = 1;
    pool.deallocate(const_cast<char*>(block), 128, 8);
    EXPECT_DEATH(block[64] = 2, "use-after-poison");
    auto* next = static_cast<volatile char*>(pool.allocate(64, 8));
    EXPECT_DEATH(next[64] = 2, "use-after-poison");  // past the block, into the uncarved rest
}
#endif

}  // namespace
}  // namespace glv
