#pragma once

// The ordering step of a sort: given one key per item, find the order of the items.
//
// The algorithm is fixed, because it is not stable and hosts see how it orders equal keys: a
// median-of-three quicksort that leaves ranges of five slots or fewer alone, then one insertion
// pass over the whole array, then, for descending order, the ascending result reversed end for
// end (so equal keys come out in the reverse of their ascending order too). The middle slot of a
// range is the mean of its end positions rounded half to even, and positions are the item
// positions being sorted (1-based, from the first item of the range), so a range sort starting
// at item 7 picks other pivots than one starting at item 1: callers pass that first position.
//
// Keys are compared as values: doubles and 32-bit integers numerically, strings by their UTF-16
// code units (case-sensitive, the empty string first, a prefix before its extensions).
//
// Result: index[k] is the offset (0-based, into keys) of the item that belongs at slot k; the
// caller then moves record first+index[k] to position first+k, each record once.

#include <cstdint>
#include <memory_resource>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace glv {

// <0, 0, >0 as UTF-8 text a orders before, with, after b by UTF-16 code units. Equal to byte
// order except that characters U+E000..U+FFFF come after supplementary characters (which UTF-16
// writes as surrogates, D800..DFFF), so only that one pair of lead byte ranges is swapped; the
// strings are never converted. Invalid UTF-8 still gets a consistent total order.
int CompareUtf16Order(std::string_view a, std::string_view b);

// The first kBytes bytes of a string key, remapped so that comparing the two words as unsigned
// integers orders like CompareUtf16Order (zero-padded, big-endian).
struct StringKeyPrefix {
    static constexpr size_t kBytes = 16;
    uint64_t high = 0;
    uint64_t low = 0;

    friend bool operator==(const StringKeyPrefix&, const StringKeyPrefix&) = default;
    friend bool operator<(const StringKeyPrefix& a, const StringKeyPrefix& b) {
        return a.high != b.high ? a.high < b.high : a.low < b.low;
    }
};

// One entry of the array a sort orders: the item's offset with a copy of its key (or of the
// key's cached prefix), so that comparisons read memory in order instead of chasing every index
// into the key array. Swapping entries moves the key with its index, which orders exactly as
// the index alone would.
template <class Key>
struct SortSlot {
    Key key;
    int32_t index;
};

// The slot arrays a sort works in. Whoever sorts large lists repeatedly keeps one: a second
// sort then writes to pages already mapped, which costs less than faulting in fresh ones (on a
// million items the fresh pages cost more than the comparisons made on them).
struct SortScratch {
    explicit SortScratch(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
        : doubles(memory), longs(memory), strings(memory) {}
    std::pmr::vector<SortSlot<double>> doubles;
    std::pmr::vector<SortSlot<int32_t>> longs;
    std::pmr::vector<SortSlot<StringKeyPrefix>> strings;
};

// String keys packed into one arena, each with its first sixteen bytes cached, so that most
// comparisons never touch the text (list texts often share eight bytes: "Customer 1234").
class StringKeys {
public:
    explicit StringKeys(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
        : arena_(memory), spans_(memory), prefixes_(memory) {}

    // Capacity for count keys of bytes characters in total (both are hints).
    void Reserve(size_t count, size_t bytes);
    // False, with nothing added, when the arena would pass 4 GiB or the count 2^31 - 1.
    bool Add(std::string_view key);
    // Forgets the keys, keeping the memory for the next ones.
    void Clear();

    size_t size() const { return spans_.size(); }
    std::string_view operator[](size_t i) const {
        return {arena_.data() + spans_[i].offset, spans_[i].length};
    }
    const StringKeyPrefix& Prefix(size_t i) const { return prefixes_[i]; }
    // The comparison for keys whose prefixes are equal.
    bool LessWithEqualPrefix(size_t a, size_t b) const;

private:
    struct Span {
        uint32_t offset = 0;
        uint32_t length = 0;
    };
    std::pmr::string arena_;
    std::pmr::vector<Span> spans_;
    std::pmr::vector<StringKeyPrefix> prefixes_;
};

// Fills index (which must be as long as keys) with the sorted order. firstPosition is the item
// position of keys[0]. False, leaving index untouched, when the sizes differ or there are more
// than 2^31 - 1 keys. The slots are made in scratch when one is given, in memory of their own
// otherwise.
bool SortIndexes(std::span<const double> keys, std::span<int32_t> index, bool descending,
                 int64_t firstPosition = 1, SortScratch* scratch = nullptr);
bool SortIndexes(std::span<const int32_t> keys, std::span<int32_t> index, bool descending,
                 int64_t firstPosition = 1, SortScratch* scratch = nullptr);
bool SortIndexes(const StringKeys& keys, std::span<int32_t> index, bool descending,
                 int64_t firstPosition = 1, SortScratch* scratch = nullptr);

}  // namespace glv
