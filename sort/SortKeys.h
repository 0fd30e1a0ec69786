#pragma once

// Sort keys: one per item, built once from the item's values for the sort column, in the key
// kind of the column's sort type. Building fails for text that a numeric or date type cannot
// read; a failed key fails the whole sort, which then leaves the items as they were.

#include <cstdint>
#include <memory_resource>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Locale.h"
#include "sort/SortCore.h"
#include "sort/SortTypes.h"

namespace glv {

// What key building reads of one item for the sort column: the item record's fields when the
// column is column 1, the fields of the column's sub-item otherwise.
struct SortFieldValues {
    std::string_view text;
    int32_t iconIndex = 0;
    int32_t indent = 0;
    std::string_view tag;
    std::optional<std::string_view> itemData;  // ItemData in its text form; none if it has none
};

enum class SortKeyKind { None, Double, Long, String };

// The key kind of a sort type. None for LVSortChecked, LVSortSelected and for stored values
// outside the enumeration: such sorts leave the items as they are.
SortKeyKind KeyKindOf(int32_t sortType);

// LVSortDouble: column 1 reads the text as a number in the locale (a text that is not one fails);
// other columns take the value of its leading number, 0 when there is none ("n/a" is 0), failing
// only on overflow.
std::optional<double> DoubleSortKey(std::string_view text, bool column1, const Locale& locale);

// LVSortNumeric: the same readings rounded to a 32-bit integer (ties to even: "9.5abc" is 10);
// out of range fails.
std::optional<int32_t> NumericSortKey(std::string_view text, bool column1, const Locale& locale);

// LVSortDate and the accuracies: LVSortDate keeps the text as it is. The others read the text as
// a date (failing if it is none), keep the year, month, day, hour and minute down to their
// accuracy (missing date parts 1, missing time parts 0) and write that date back as text, so
// the keys then compare as text: with month-first dates "10/1/2005" sorts before "2/1/2005".
std::optional<std::string> DateSortKey(std::string_view text, int32_t sortType,
                                       const Locale& locale);

// Collects the keys of a range of items, then orders them. One builder can serve sort after
// sort (Start begins the next), keeping its memory.
class SortKeyBuilder {
public:
    // Keys and slots are kept in the given memory.
    explicit SortKeyBuilder(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
        : doubles_(memory), longs_(memory), strings_(memory), scratch_(memory) {}
    SortKeyBuilder(int32_t sortType, bool column1, const Locale& locale) { Start(sortType, column1, locale); }

    // Forgets the keys collected so far and takes the next sort's type, column and locale.
    void Start(int32_t sortType, bool column1, const Locale& locale);

    SortKeyKind Kind() const { return kind_; }
    bool Sorts() const { return kind_ != SortKeyKind::None; }
    size_t size() const;

    // Capacity hints: the number of items and, for string keys, their total text length.
    void Reserve(size_t items, size_t textBytes = 0);

    // Builds the key of the next item. False when it cannot be built: stop and leave the items
    // as they are. Does nothing (and returns true) for a type that does not sort.
    bool Add(const SortFieldValues& item);

    // The sorted order of the items added so far: index[k] is the offset (from the first item
    // added) of the item that belongs at slot k. firstPosition is the item position of the
    // first item added. False when the type does not sort or index is not size() long.
    bool Order(std::span<int32_t> index, bool descending, int64_t firstPosition);

private:
    int32_t sortType_ = 0;
    bool column1_ = false;
    const Locale* locale_ = nullptr;
    SortKeyKind kind_ = SortKeyKind::None;
    std::pmr::vector<double> doubles_;
    std::pmr::vector<int32_t> longs_;
    StringKeys strings_;
    SortScratch scratch_;
};

}  // namespace glv
