#pragma once
// Memory for the big arrays of a big list.
//
// A million-row list is about a gigabyte of records. Taken in 4 KiB pages, every page costs a
// fault when it is first touched, and on a virtual machine those faults are most of the time a
// bulk load takes. Blocks of 2 MiB and more are therefore mapped directly, aligned to 2 MiB and
// advised for transparent huge pages: a few hundred faults instead of a quarter of a million.
// Smaller blocks come from the default resource.
//
// One shared instance serves every list; its only state is the count of bytes it has mapped.

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <memory_resource>
#include <vector>

namespace glv {

class LargeBlockResource final : public std::pmr::memory_resource {
public:
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;

    // The shared instance.
    static LargeBlockResource& Instance();

    // Bytes currently mapped by the shared instance (the blocks it gave to the default resource
    // are counted by the heap).
    std::size_t MappedBytes() const { return mapped_.load(std::memory_order_relaxed); }

private:
    // Smaller blocks, and alignments no mapping gives, go to the default resource.
    static bool Mapped(std::size_t bytes, std::size_t alignment) {
        return bytes >= kHugePage && alignment <= kHugePage;
    }

    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
        return this == &other;
    }

    std::atomic<std::size_t> mapped_{0};
};

// A pool for many blocks of a few sizes, such as one sub-item array per row: blocks are carved
// one after another from chunks that double up to 16 MiB (so big lists get huge pages from the
// upstream resource), and a freed block waits on the free list of its size for the next block
// of that size. Sizes are kept to 16 bytes, so a 640-byte block takes 640 bytes, not a rounded-up
// size class. Blocks over 64 KiB go to the upstream resource directly. Not thread-safe: a pool
// belongs to one list.
class BlockPool final : public std::pmr::memory_resource {
public:
    explicit BlockPool(std::pmr::memory_resource* upstream) : upstream_(upstream) {}
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;
    ~BlockPool() override { Release(); }

    // The largest block carved from the chunks; larger ones are the upstream resource's, and
    // Release does not reach them.
    static constexpr std::size_t kLargestBlock = 64 * 1024;

    // Gives every chunk back. Only for when no block is in use any more.
    void Release();

    // Bytes taken from the upstream resource for chunks.
    std::size_t ChunkBytes() const { return chunkBytes_; }

private:
    static constexpr std::size_t kGrain = 16;
    static constexpr std::size_t kFirstChunk = 64 * 1024;
    static constexpr std::size_t kLargestChunk = std::size_t{16} << 20;

    struct FreeBlock {
        FreeBlock* next;
    };
    struct Chunk {
        void* base;
        std::size_t size;
    };

    // Blocks too big or too strictly aligned for the pool go to the upstream resource.
    static bool Pooled(std::size_t bytes, std::size_t alignment) {
        return bytes <= kLargestBlock && alignment <= kGrain;
    }
    // A pooled block's size: its request kept to the grain, and never 0.
    static std::size_t BlockSize(std::size_t bytes) {
        return (std::max(bytes, std::size_t{1}) + kGrain - 1) / kGrain * kGrain;
    }

    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
        return this == &other;
    }
    void* Carve(std::size_t size);

    std::pmr::memory_resource* upstream_;
    std::array<FreeBlock*, kLargestBlock / kGrain + 1> free_{};
    std::vector<Chunk> chunks_;
    char* next_ = nullptr;
    char* end_ = nullptr;
    std::size_t nextChunk_ = kFirstChunk;
    std::size_t chunkBytes_ = 0;
};

}  // namespace glv
