#include "platform/LargeBlocks.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <new>

// Under AddressSanitizer the pool marks what is not handed out (freed blocks, the uncarved rest
// of a chunk) as poisoned, so a sub-item used after its row is gone is still reported.
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define GLV_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define GLV_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define GLV_POISON(p, n) ((void)(p), (void)(n))
#define GLV_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace glv {

namespace {

std::size_t RoundUp(std::size_t bytes, std::size_t to) { return (bytes + to - 1) / to * to; }

// An anonymous mapping of size bytes (a multiple of the huge page) starting on a huge-page
// boundary: map one huge page more and give back what lies before and after the aligned part.
void* MapAligned(std::size_t size) {
    const std::size_t padded = size + LargeBlockResource::kHugePage;
    void* raw = mmap(nullptr, padded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = RoundUp(start, LargeBlockResource::kHugePage);
    const std::size_t head = aligned - start;
    const std::size_t tail = padded - head - size;
    if (head != 0) munmap(raw, head);
    if (tail != 0) munmap(reinterpret_cast<void*>(aligned + size), tail);
    void* block = reinterpret_cast<void*>(aligned);
    // Advice only: a kernel without transparent huge pages maps small pages, which still works.
    madvise(block, size, MADV_HUGEPAGE);
    return block;
}

}  // namespace

LargeBlockResource& LargeBlockResource::Instance() {
    static LargeBlockResource instance;
    return instance;
}

void* LargeBlockResource::do_allocate(std::size_t bytes, std::size_t alignment) {
    if (!Mapped(bytes, alignment)) return std::pmr::new_delete_resource()->allocate(bytes, alignment);
    const std::size_t size = RoundUp(bytes, kHugePage);
    void* block = MapAligned(size);
    mapped_.fetch_add(size, std::memory_order_relaxed);
    return block;
}

void LargeBlockResource::do_deallocate(void* p, std::size_t bytes, std::size_t alignment) {
    if (!Mapped(bytes, alignment)) {
        std::pmr::new_delete_resource()->deallocate(p, bytes, alignment);
        return;
    }
    const std::size_t size = RoundUp(bytes, kHugePage);
    munmap(p, size);
    mapped_.fetch_sub(size, std::memory_order_relaxed);
}

void* BlockPool::do_allocate(std::size_t bytes, std::size_t alignment) {
    if (!Pooled(bytes, alignment)) return upstream_->allocate(bytes, alignment);
    const std::size_t size = BlockSize(bytes);
    FreeBlock*& head = free_[size / kGrain];
    if (head != nullptr) {
        FreeBlock* block = head;
        GLV_UNPOISON(block, size);
        head = block->next;
        return block;
    }
    return Carve(size);
}

void BlockPool::do_deallocate(void* p, std::size_t bytes, std::size_t alignment) {
    if (!Pooled(bytes, alignment)) {
        upstream_->deallocate(p, bytes, alignment);
        return;
    }
    const std::size_t size = BlockSize(bytes);
    FreeBlock*& head = free_[size / kGrain];
    head = ::new (p) FreeBlock{head};
    GLV_POISON(p, size);
}

void* BlockPool::Carve(std::size_t size) {
    if (static_cast<std::size_t>(end_ - next_) < size) {
        // The rest of the current chunk is left unused: it is smaller than the block.
        const std::size_t chunk = std::max(nextChunk_, size);
        void* base = upstream_->allocate(chunk, kGrain);
        chunks_.push_back({base, chunk});
        chunkBytes_ += chunk;
        next_ = static_cast<char*>(base);
        end_ = next_ + chunk;
        GLV_POISON(base, chunk);
        nextChunk_ = std::min(nextChunk_ * 2, kLargestChunk);
    }
    void* block = next_;
    next_ += size;
    GLV_UNPOISON(block, size);
    return block;
}

void BlockPool::Release() {
    for (const Chunk& chunk : chunks_) {
        GLV_UNPOISON(chunk.base, chunk.size);
        upstream_->deallocate(chunk.base, chunk.size, kGrain);
    }
    chunks_.clear();
    free_.fill(nullptr);
    next_ = end_ = nullptr;
    nextChunk_ = kFirstChunk;
    chunkBytes_ = 0;
}

}  // namespace glv
