#include "core/CountedBits.h"

#include "core/BitWords.h"

#include <bit>

namespace glv {

namespace {

constexpr std::size_t WordsFor(std::size_t bits) { return (bits + 63) / 64; }

// The position of the n-th (0-based) set bit of a word that has more than n set bits.
std::size_t SelectInWord(uint64_t word, std::size_t n) {
    for (; n > 0; --n) word &= word - 1;
    return static_cast<std::size_t>(std::countr_zero(word));
}

}  // namespace

void CountedBits::AddToBlock(std::size_t block, int64_t delta) {
    for (std::size_t i = block + 1; i < tree_.size(); i += i & (~i + 1))
        tree_[i] = static_cast<uint32_t>(static_cast<int64_t>(tree_[i]) + delta);
}

std::size_t CountedBits::BlocksPrefix(std::size_t blocks) const {
    std::size_t sum = 0;
    for (std::size_t i = blocks; i > 0; i &= i - 1) sum += tree_[i];
    return sum;
}

void CountedBits::Recount() {
    const std::size_t blocks = (words_.size() + kWordsPerBlock - 1) / kWordsPerBlock;
    tree_.assign(blocks + 1, 0);
    count_ = 0;
    for (std::size_t w = 0; w < words_.size(); ++w) {
        const auto bits = static_cast<uint32_t>(std::popcount(words_[w]));
        tree_[w / kWordsPerBlock + 1] += bits;
        count_ += bits;
    }
    // Turn the block counts into the tree in one pass: each node hands its sum to its parent.
    for (std::size_t i = 1; i < tree_.size(); ++i) {
        const std::size_t parent = i + (i & (~i + 1));
        if (parent < tree_.size()) tree_[parent] += tree_[i];
    }
}

void CountedBits::Resize(std::size_t size) {
    size_ = size;
    words_.resize(WordsFor(size), 0);
    const std::size_t blocks = (words_.size() + kWordsPerBlock - 1) / kWordsPerBlock;
    if (tree_.empty()) tree_.push_back(0);  // node 0 is unused: the tree counts from 1
    // A block added at the end starts empty; its tree node still covers the blocks before it.
    while (tree_.size() < blocks + 1) {
        const std::size_t i = tree_.size();
        const std::size_t low = i & (~i + 1);
        tree_.push_back(static_cast<uint32_t>(BlocksPrefix(i - 1) - BlocksPrefix(i - low)));
    }
    if (tree_.size() > blocks + 1) tree_.resize(blocks + 1);
}

bool CountedBits::Assign(std::size_t pos, bool value) {
    uint64_t& word = words_[pos / 64];
    const uint64_t bit = uint64_t{1} << (pos % 64);
    if (((word & bit) != 0) == value) return false;
    word ^= bit;
    count_ += value ? 1 : static_cast<std::size_t>(-1);
    AddToBlock(pos / kBitsPerBlock, value ? 1 : -1);
    return true;
}

void CountedBits::PushBack(bool value) {
    Resize(size_ + 1);
    if (value) Assign(size_ - 1, true);
}

void CountedBits::Insert(std::size_t pos, bool value) {
    if (pos >= size_) {
        PushBack(value);
        return;
    }
    Resize(size_ + 1);
    bitwords::OpenAt(words_, pos, value);
    Recount();
}

void CountedBits::Erase(std::size_t pos) {
    if (pos >= size_) return;
    bitwords::CloseAt(words_, pos);
    Resize(size_ - 1);
    Recount();
}

void CountedBits::Reset(std::size_t size, bool value) {
    size_ = size;
    words_.assign(WordsFor(size), value ? ~uint64_t{0} : 0);
    if (value && size % 64 != 0) words_.back() = (uint64_t{1} << (size % 64)) - 1;
    Recount();
}

std::size_t CountedBits::Rank(std::size_t pos) const {
    if (pos >= size_) return count_;
    const std::size_t w = pos / 64;
    const std::size_t block = w / kWordsPerBlock;
    std::size_t sum = BlocksPrefix(block);
    for (std::size_t i = block * kWordsPerBlock; i < w; ++i) sum += static_cast<std::size_t>(std::popcount(words_[i]));
    const uint64_t below = (uint64_t{1} << (pos % 64)) - 1;
    return sum + static_cast<std::size_t>(std::popcount(words_[w] & below));
}

std::optional<std::size_t> CountedBits::Select(std::size_t n) const {
    if (n >= count_) return std::nullopt;
    // Descend the tree to the block holding the row: the largest prefix of blocks with at most
    // n set rows.
    std::size_t block = 0;
    std::size_t step = std::bit_floor(tree_.size() - 1);
    for (; step > 0; step >>= 1) {
        if (block + step < tree_.size() && tree_[block + step] <= n) {
            block += step;
            n -= tree_[block];
        }
    }
    for (std::size_t w = block * kWordsPerBlock; w < words_.size(); ++w) {
        const auto bits = static_cast<std::size_t>(std::popcount(words_[w]));
        if (n < bits) return w * 64 + SelectInWord(words_[w], n);
        n -= bits;
    }
    return std::nullopt;  // not reached: count_ says the row exists
}

std::optional<std::size_t> CountedBits::NextSet(std::size_t pos) const {
    if (pos >= size_) return std::nullopt;
    // Rows are usually shown, so look at the next few words before asking the counts.
    std::size_t w = pos / 64;
    uint64_t bits = words_[w] & (~uint64_t{0} << (pos % 64));
    for (std::size_t tries = 0; tries < 4; ++tries) {
        if (bits != 0) return w * 64 + static_cast<std::size_t>(std::countr_zero(bits));
        if (++w >= words_.size()) return std::nullopt;
        bits = words_[w];
    }
    return Select(Rank(w * 64));
}

std::optional<std::size_t> CountedBits::PrevSet(std::size_t pos) const {
    if (size_ == 0) return std::nullopt;
    if (pos >= size_) pos = size_ - 1;
    std::size_t w = pos / 64;
    uint64_t bits = words_[w] & (~uint64_t{0} >> (63 - pos % 64));
    for (std::size_t tries = 0; tries < 4; ++tries) {
        if (bits != 0) return w * 64 + 63 - static_cast<std::size_t>(std::countl_zero(bits));
        if (w == 0) return std::nullopt;
        bits = words_[--w];
    }
    // Every row from word w + 1 on is clear up to pos: the last set row of [0, (w + 1) * 64).
    const std::size_t before = Rank((w + 1) * 64);
    if (before == 0) return std::nullopt;
    return Select(before - 1);
}

}  // namespace glv
