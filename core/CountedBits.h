#pragma once
// One flag per row with running counts, so that "how many set rows come before this one" and
// "which row is the n-th set one" cost a logarithm, not a walk.
//
// The item store keeps one of these for the shown (not hidden) rows. The vertical scroll bar
// counts shown rows, so every scroll step asks for the n-th shown row, and the page walks step
// from one shown row to the next; with every second row of a million hidden, or a run of a
// hundred thousand hidden rows above the page, neither may walk the rows in between. The bits
// are grouped in blocks of 512 rows whose counts sit in a Fenwick tree: a changed flag updates
// about ten sums, a rank or select reads about ten and then at most eight words of one block.
//
// Positions are 0-based here; the item store translates its 1-based indexes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace glv {

class CountedBits {
public:
    std::size_t Size() const { return size_; }
    std::size_t Count() const { return count_; }

    bool Test(std::size_t pos) const { return (words_[pos / 64] >> (pos % 64)) & 1u; }
    // Sets or clears one row; true when its bit changed.
    bool Assign(std::size_t pos, bool value);

    void PushBack(bool value);
    // A new row at pos (0..Size()); the rows from pos on move up by one. Costs the words above.
    void Insert(std::size_t pos, bool value);
    // Removes the row at pos; the rows above it move down by one. Costs the words above.
    void Erase(std::size_t pos);
    // size rows, every one set or every one clear.
    void Reset(std::size_t size, bool value);

    // Set rows in [0, pos); pos may be Size().
    std::size_t Rank(std::size_t pos) const;
    // The position of the set row with rank n (0-based: n set rows come before it).
    std::optional<std::size_t> Select(std::size_t n) const;
    // The first set row at or after pos, the last one at or before pos.
    std::optional<std::size_t> NextSet(std::size_t pos) const;
    std::optional<std::size_t> PrevSet(std::size_t pos) const;

private:
    static constexpr std::size_t kWordsPerBlock = 8;
    static constexpr std::size_t kBitsPerBlock = 64 * kWordsPerBlock;

    void Resize(std::size_t size);
    // Recounts every block and rebuilds the tree: after the bits shifted.
    void Recount();
    void AddToBlock(std::size_t block, int64_t delta);
    // Set rows in blocks [0, blocks).
    std::size_t BlocksPrefix(std::size_t blocks) const;

    std::vector<uint64_t> words_;
    std::vector<uint32_t> tree_;  // Fenwick tree over the block counts, 1-based
    std::size_t size_ = 0;
    std::size_t count_ = 0;
};

}  // namespace glv
