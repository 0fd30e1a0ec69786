#pragma once
// Putting an array into a computed order in place, each element moved once.

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

namespace glv {

// Moves values so that values[k] becomes the old values[order[k]], by following the cycles of
// the permutation. order must be a permutation of 0..size-1; it is used up as working memory
// (every entry ends as its own position).
template <typename T>
void PermuteInPlace(std::span<T> values, std::span<int32_t> order) {
    const std::size_t n = values.size();
    for (std::size_t start = 0; start < n; ++start) {
        if (static_cast<std::size_t>(order[start]) == start) continue;
        // Walk the cycle through start: each slot takes the value it is owed, which frees the
        // slot that value came from; the value first moved out closes the cycle.
        T held = std::move(values[start]);
        std::size_t slot = start;
        auto from = static_cast<std::size_t>(order[slot]);
        for (;;) {
            order[slot] = static_cast<int32_t>(slot);
            if (from == start) {
                values[slot] = std::move(held);
                break;
            }
            // The walk jumps through memory at random; fetching the value after this one while
            // this one moves hides much of the wait.
            const auto next = static_cast<std::size_t>(order[from]);
            const auto* bytes = reinterpret_cast<const char*>(&values[next]);
            for (std::size_t offset = 0; offset < sizeof(T); offset += 64) __builtin_prefetch(bytes + offset, 1);
            __builtin_prefetch(&order[next]);
            values[slot] = std::move(values[from]);
            slot = from;
            from = next;
        }
    }
}

}  // namespace glv
