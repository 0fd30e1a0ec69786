#include "core/RowBits.h"

#include "core/BitWords.h"

namespace glv {

namespace {

constexpr std::size_t WordsFor(std::size_t bits) { return (bits + 63) / 64; }

}  // namespace

void RowBits::SetSummary(std::size_t w) {
    const uint64_t bit = uint64_t{1} << (w % 64);
    if (words_[w] != 0)
        summary_[w / 64] |= bit;
    else
        summary_[w / 64] &= ~bit;
}

void RowBits::Grow(std::size_t size) {
    size_ = size;
    words_.resize(WordsFor(size_), 0);
    summary_.resize(WordsFor(words_.size()), 0);
}

bool RowBits::Assign(std::size_t pos, bool value) {
    uint64_t& word = words_[pos / 64];
    const uint64_t bit = uint64_t{1} << (pos % 64);
    if (((word & bit) != 0) == value) return false;
    if (value) {
        word |= bit;
        ++count_;
    } else {
        word &= ~bit;
        --count_;
    }
    SetSummary(pos / 64);
    return true;
}

void RowBits::PushBack(bool value) {
    Grow(size_ + 1);
    if (value) Assign(size_ - 1, true);
}

void RowBits::Insert(std::size_t pos, bool value) {
    if (pos >= size_) {
        PushBack(value);
        return;
    }
    Grow(size_ + 1);
    bitwords::OpenAt(words_, pos, value);
    if (value) ++count_;
    Resummarise(pos / 64);
}

void RowBits::Erase(std::size_t pos) {
    if (pos >= size_) return;
    if (Test(pos)) --count_;
    bitwords::CloseAt(words_, pos);
    --size_;
    // The bit that moved out of the last row's place is clear: the shifts brought in zeros.
    words_.resize(WordsFor(size_));
    summary_.resize(WordsFor(words_.size()));
    Resummarise(pos / 64);
}

void RowBits::Resummarise(std::size_t firstWord) {
    for (std::size_t w = firstWord; w < words_.size(); ++w) SetSummary(w);
}

void RowBits::ClearAll() {
    for (std::size_t s = 0; s < summary_.size(); ++s) {
        for (uint64_t sbits = summary_[s]; sbits != 0; sbits &= sbits - 1)
            words_[s * 64 + static_cast<std::size_t>(__builtin_ctzll(sbits))] = 0;
        summary_[s] = 0;
    }
    count_ = 0;
}

void RowBits::Reset(std::size_t size) {
    words_.assign(WordsFor(size), 0);
    summary_.assign(WordsFor(words_.size()), 0);
    size_ = size;
    count_ = 0;
}

std::optional<std::size_t> RowBits::NextSet(std::size_t pos) const {
    if (pos >= size_) return std::nullopt;
    std::size_t w = pos / 64;
    const uint64_t here = words_[w] & (~uint64_t{0} << (pos % 64));
    if (here != 0) return w * 64 + static_cast<std::size_t>(__builtin_ctzll(here));
    // The next non-empty word, by the summary: first the rest of this summary word, then on.
    ++w;
    std::size_t s = w / 64;
    if (s >= summary_.size()) return std::nullopt;
    uint64_t sbits = (w % 64 == 0) ? summary_[s] : summary_[s] & (~uint64_t{0} << (w % 64));
    while (sbits == 0) {
        if (++s >= summary_.size()) return std::nullopt;
        sbits = summary_[s];
    }
    w = s * 64 + static_cast<std::size_t>(__builtin_ctzll(sbits));
    return w * 64 + static_cast<std::size_t>(__builtin_ctzll(words_[w]));
}

std::optional<std::size_t> RowBits::PrevSet(std::size_t pos) const {
    if (size_ == 0) return std::nullopt;
    if (pos >= size_) pos = size_ - 1;
    std::size_t w = pos / 64;
    const unsigned shift = 63u - static_cast<unsigned>(pos % 64);
    const uint64_t here = words_[w] & (~uint64_t{0} >> shift);
    if (here != 0) return w * 64 + 63 - static_cast<std::size_t>(__builtin_clzll(here));
    if (w == 0) return std::nullopt;
    --w;
    std::size_t s = w / 64;
    const unsigned sshift = 63u - static_cast<unsigned>(w % 64);
    uint64_t sbits = summary_[s] & (~uint64_t{0} >> sshift);
    while (sbits == 0) {
        if (s == 0) return std::nullopt;
        sbits = summary_[--s];
    }
    w = s * 64 + 63 - static_cast<std::size_t>(__builtin_clzll(sbits));
    return w * 64 + 63 - static_cast<std::size_t>(__builtin_clzll(words_[w]));
}

}  // namespace glv
