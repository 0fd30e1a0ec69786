#pragma once
// Moving the bits of a packed bit array (64 positions a word) to open or close one position.
// The two row indexes of the item store (which rows are selected, which are shown) both insert
// and remove rows in the middle; each keeps its own counts and summaries around these.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace glv::bitwords {

// Shifts every bit at pos and above up by one and writes value at pos. The words must already
// have room for one more bit.
inline void OpenAt(std::vector<uint64_t>& words, std::size_t pos, bool value) {
    const std::size_t first = pos / 64;
    // Every word above pos's word moves up by one bit, taking the top bit of the word below.
    for (std::size_t w = words.size() - 1; w > first; --w) words[w] = (words[w] << 1) | (words[w - 1] >> 63);
    const uint64_t low = (uint64_t{1} << (pos % 64)) - 1;  // bits below pos stay
    uint64_t& word = words[first];
    word = (word & low) | ((word & ~low) << 1);
    if (value) word |= uint64_t{1} << (pos % 64);
}

// Removes the bit at pos, shifting every bit above it down by one; the top bit becomes clear.
inline void CloseAt(std::vector<uint64_t>& words, std::size_t pos) {
    const std::size_t first = pos / 64;
    const uint64_t low = (uint64_t{1} << (pos % 64)) - 1;
    uint64_t& word = words[first];
    word = (word & low) | ((word >> 1) & ~low);
    for (std::size_t w = first; w + 1 < words.size(); ++w) {
        words[w] |= words[w + 1] << 63;
        words[w + 1] >>= 1;
    }
}

}  // namespace glv::bitwords
