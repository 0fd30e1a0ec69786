#pragma once
// One flag per row, kept so that the set rows can be found without looking at the others.
//
// The item store keeps one of these beside its records for the selected flags: a click
// deselects "all" rows, the keyboard starts from the largest selected row and a Shift range
// runs from the smallest one, and at a million rows none of that may walk the unselected rows.
// Two levels of 64-bit words do it: a bit per row, and a summary bit per word that is set while
// the word holds any set bit. Finding the next set row skips 4,096 clear rows per summary bit;
// inserting or removing a row shifts the bits above it, a 64th of the cost of shifting the
// records themselves.
//
// Positions are 0-based here; the item store translates its 1-based indexes.

#include <cstdint>
#include <optional>
#include <vector>

namespace glv {

class RowBits {
public:
    std::size_t Size() const { return size_; }
    // Number of set rows.
    std::size_t Count() const { return count_; }

    bool Test(std::size_t pos) const { return (words_[pos / 64] >> (pos % 64)) & 1u; }
    // Sets or clears one row; true when its bit changed.
    bool Assign(std::size_t pos, bool value);

    void PushBack(bool value);
    // A new row at pos (0..Size()); the rows from pos on move up by one.
    void Insert(std::size_t pos, bool value);
    // Removes the row at pos; the rows above it move down by one.
    void Erase(std::size_t pos);
    // Every row clear, the size kept: costs the set rows' words, not the size.
    void ClearAll();
    void Reset(std::size_t size);  // size rows, all clear

    // The first set row at or after pos, the last one at or before pos.
    std::optional<std::size_t> NextSet(std::size_t pos) const;
    std::optional<std::size_t> PrevSet(std::size_t pos) const;

    // Calls f(pos) for every set row in ascending order. f must not change this set.
    template <typename F>
    void ForEachSet(F&& f) const {
        for (std::size_t s = 0; s < summary_.size(); ++s) {
            for (uint64_t sbits = summary_[s]; sbits != 0; sbits &= sbits - 1) {
                const std::size_t w = s * 64 + static_cast<std::size_t>(__builtin_ctzll(sbits));
                for (uint64_t bits = words_[w]; bits != 0; bits &= bits - 1)
                    f(w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits)));
            }
        }
    }

private:
    void Grow(std::size_t size);
    // Recomputes the summary bits of words first..end.
    void Resummarise(std::size_t firstWord);
    void SetSummary(std::size_t word);

    std::vector<uint64_t> words_;
    std::vector<uint64_t> summary_;  // bit w: words_[w] != 0
    std::size_t size_ = 0;
    std::size_t count_ = 0;
};

}  // namespace glv
