#include "sort/SortCore.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace glv {

namespace {

// ---- UTF-16 order on UTF-8 bytes -------------------------------------------------------------
//
// UTF-8 byte order is code point order. UTF-16 order differs only where a supplementary
// character (lead bytes F0..F4) meets one of U+E000..U+FFFF (lead bytes EE, EF): as surrogates
// the former come first. Remapping bytes EE, EF above F0..FF (and those down by two) makes plain
// lexicographic order on the remapped bytes equal UTF-16 order; continuation bytes (80..BF) and
// every other lead byte keep their value, so the remap can be applied to any byte position.
constexpr uint8_t Utf16Rank(uint8_t b) {
    if (b < 0xEE) return b;
    if (b <= 0xEF) return static_cast<uint8_t>(b + 0x10);
    return static_cast<uint8_t>(b - 2);
}

static_assert(Utf16Rank(0xEE) > Utf16Rank(0xF4) && Utf16Rank(0xF0) > Utf16Rank(0xED) &&
              Utf16Rank(0xEF) == 0xFF && Utf16Rank(0xFF) == 0xFD);

uint64_t Load8(const char* p) {
    uint64_t v = 0;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Eight bytes from `from`, remapped and zero-padded, as a big-endian integer.
uint64_t PrefixWord(std::string_view s, size_t from) {
    uint64_t v = 0;
    for (size_t i = from; i < from + 8; ++i) {
        const uint8_t b = i < s.size() ? Utf16Rank(static_cast<uint8_t>(s[i])) : 0;
        v = (v << 8) | b;
    }
    return v;
}

StringKeyPrefix PrefixOf(std::string_view s) { return {PrefixWord(s, 0), PrefixWord(s, 8)}; }

// ---- the algorithm ---------------------------------------------------------------------------

// The middle of the slots at positions a and b: their mean rounded to nearest, ties to even.
constexpr int64_t MiddlePosition(int64_t a, int64_t b) {
    const int64_t sum = a + b;
    const int64_t floorHalf = sum >> 1;  // arithmetic shift: the floor, also below zero
    return (sum & 1) != 0 && (floorHalf & 1) != 0 ? floorHalf + 1 : floorHalf;
}

static_assert(MiddlePosition(1, 6) == 4 && MiddlePosition(0, 5) == 2 && MiddlePosition(1, 5) == 3 &&
              MiddlePosition(2, 7) == 4 && MiddlePosition(3, 8) == 6);

template <class Key>
using Slot = SortSlot<Key>;

// Quicksort of slots lo..hi (offsets into s; s[0] sits at position `first`). `less` is the
// strict key order; "key(x) > key(y)" below is less(y, x).
template <class S, class Less>
void QuickSort(std::span<S> s, int64_t first, int64_t lo, int64_t hi, const Less& less) {
    const auto at = [&](int64_t k) -> S& { return s[static_cast<size_t>(k)]; };
    while (hi - lo > 4) {
        const int64_t mid = MiddlePosition(first + lo, first + hi) - first;
        if (less(at(mid), at(lo))) std::swap(at(lo), at(mid));
        if (less(at(hi), at(lo))) std::swap(at(lo), at(hi));
        if (less(at(hi), at(mid))) std::swap(at(mid), at(hi));
        int64_t j = hi - 1;
        std::swap(at(mid), at(j));
        int64_t i = lo;
        const S pivot = at(j);
        for (;;) {
            // The median of three puts a key no greater than the pivot at lo and the pivot at
            // hi - 1, so the scans stop inside the range; the bounds only guard a comparison
            // that is not a strict weak order.
            do ++i;
            while (i < hi - 1 && less(at(i), pivot));
            do --j;
            while (j > lo && less(pivot, at(j)));
            if (j < i) break;
            std::swap(at(i), at(j));
        }
        std::swap(at(i), at(hi - 1));
        // The two sides are sorted independently of each other, so the order they are done in
        // does not change the result: recurse into the smaller one and loop on the larger,
        // which keeps the stack depth logarithmic whatever the keys.
        if (j - lo < hi - (i + 1)) {
            QuickSort(s, first, lo, j, less);
            lo = i + 1;
        } else {
            QuickSort(s, first, i + 1, hi, less);
            hi = j;
        }
    }
}

// Shifts each entry down past the entries before it whose keys are greater: equal keys keep
// their relative order here.
template <class S, class Less>
void InsertionPass(std::span<S> s, const Less& less) {
    for (size_t k = 1; k < s.size(); ++k) {
        const S t = s[k];
        size_t gap = k;
        while (gap > 0 && less(t, s[gap - 1])) {
            s[gap] = s[gap - 1];
            --gap;
        }
        s[gap] = t;
    }
}

template <class Key, class MakeKey, class Less>
bool SortSlots(size_t count, std::span<int32_t> index, bool descending, int64_t firstPosition,
               std::pmr::vector<Slot<Key>>* kept, const MakeKey& makeKey, const Less& less) {
    if (index.size() != count || count > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        return false;
    }
    std::pmr::vector<Slot<Key>> own;
    std::pmr::vector<Slot<Key>>& slots = kept ? *kept : own;
    slots.resize(count);
    for (size_t k = 0; k < count; ++k) slots[k] = {makeKey(k), static_cast<int32_t>(k)};
    const std::span<Slot<Key>> s(slots);
    if (count > 1) QuickSort(s, firstPosition, 0, static_cast<int64_t>(count) - 1, less);
    InsertionPass(s, less);
    if (descending) std::reverse(slots.begin(), slots.end());
    for (size_t k = 0; k < count; ++k) index[k] = slots[k].index;
    return true;
}

template <class Key>
bool SortNumeric(std::span<const Key> keys, std::span<int32_t> index, bool descending,
                 int64_t firstPosition, std::pmr::vector<Slot<Key>>* kept) {
    return SortSlots<Key>(
        keys.size(), index, descending, firstPosition, kept, [&](size_t k) { return keys[k]; },
        [](const Slot<Key>& a, const Slot<Key>& b) { return a.key < b.key; });
}

}  // namespace

int CompareUtf16Order(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    size_t i = 0;
    while (i + 8 <= n && Load8(a.data() + i) == Load8(b.data() + i)) i += 8;
    while (i < n && a[i] == b[i]) ++i;
    if (i == n) return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
    return Utf16Rank(static_cast<uint8_t>(a[i])) < Utf16Rank(static_cast<uint8_t>(b[i])) ? -1 : 1;
}

void StringKeys::Reserve(size_t count, size_t bytes) {
    spans_.reserve(count);
    prefixes_.reserve(count);
    arena_.reserve(bytes);
}

bool StringKeys::Add(std::string_view key) {
    constexpr size_t kMaxArena = std::numeric_limits<uint32_t>::max();
    if (key.size() > kMaxArena - arena_.size()) return false;
    if (spans_.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max())) return false;
    spans_.push_back({static_cast<uint32_t>(arena_.size()), static_cast<uint32_t>(key.size())});
    prefixes_.push_back(PrefixOf(key));
    arena_.append(key);
    return true;
}

void StringKeys::Clear() {
    arena_.clear();
    spans_.clear();
    prefixes_.clear();
}

bool StringKeys::LessWithEqualPrefix(size_t a, size_t b) const {
    const Span sa = spans_[a];
    const Span sb = spans_[b];
    // Equal zero-padded prefixes: when either key is no longer than the prefix, the shorter one
    // is a prefix of the other (the rest of the longer one within the prefix is zeros).
    constexpr size_t n = StringKeyPrefix::kBytes;
    if (std::min(sa.length, sb.length) <= n) return sa.length < sb.length;
    return CompareUtf16Order((*this)[a].substr(n), (*this)[b].substr(n)) < 0;
}

bool SortIndexes(std::span<const double> keys, std::span<int32_t> index, bool descending,
                 int64_t firstPosition, SortScratch* scratch) {
    return SortNumeric(keys, index, descending, firstPosition, scratch ? &scratch->doubles : nullptr);
}

bool SortIndexes(std::span<const int32_t> keys, std::span<int32_t> index, bool descending,
                 int64_t firstPosition, SortScratch* scratch) {
    return SortNumeric(keys, index, descending, firstPosition, scratch ? &scratch->longs : nullptr);
}

bool SortIndexes(const StringKeys& keys, std::span<int32_t> index, bool descending,
                 int64_t firstPosition, SortScratch* scratch) {
    return SortSlots<StringKeyPrefix>(
        keys.size(), index, descending, firstPosition, scratch ? &scratch->strings : nullptr,
        [&](size_t k) { return keys.Prefix(k); },
        [&](const Slot<StringKeyPrefix>& a, const Slot<StringKeyPrefix>& b) {
            if (a.key != b.key) return a.key < b.key;
            return keys.LessWithEqualPrefix(static_cast<size_t>(a.index),
                                            static_cast<size_t>(b.index));
        });
}

}  // namespace glv
