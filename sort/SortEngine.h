#pragma once

// The sort engine: orders a range of item records by one column.
//
// A sort reads one key per item (SortKeyBuilder), orders the positions by those keys (the fixed
// quicksort and insertion pass of SortCore) and then puts the items' handles in that order
// (ItemStore::Reorder): the records themselves never move. Every key is built before anything moves, so a sort that fails on some item
// leaves the list exactly as it was.
//
// Only the items move. The per-row group records (group header flags, Visible) stay with
// the row positions, and so do every index the control holds (TopIndex, current item, edit
// target): after a sort they may name other items.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/ItemStore.h"
#include "core/Records.h"
#include "platform/LargeBlocks.h"
#include "platform/Locale.h"
#include "sort/SortKeys.h"
#include "sort/SortTypes.h"

namespace glv {

enum class SortResult : int {
    Sorted,    // the range is in key order (possibly the order it had)
    NoSort,    // the sort type orders nothing (LVSortChecked, LVSortSelected, unknown types)
    Failed,    // a key could not be built, or the request was out of range: nothing moved
};

struct SortRequest {
    int32_t first = 1;  // 1-based positions of the range, first <= last
    int32_t last = 1;
    int32_t column = 1;  // 1 reads the item's own fields, c > 1 reads sub-item c - 1
    int32_t sortType = LVSortString;
    int32_t sortOrder = LVSortOrderAscending;  // only LVSortOrderDescending reverses
};

// What a sort type reads of one item for the column: its text, icon, indent, tag and, for
// LVSortItemData only, the text form of its ItemData (kept in `scratch` when it had to be
// converted). False when the item cannot give a key: it has no sub-item for the column, or its
// ItemData has no text form (Null, an array, an object without a default value).
bool ReadSortFields(const tListItemInfo& item, int32_t column, int32_t sortType,
                    const Locale& locale, std::string& scratch, SortFieldValues& out);

// The same for the item at index in the store, whether it is kept compact or as a record.
bool ReadSortFields(const ItemStore& items, int32_t index, int32_t column, int32_t sortType,
                    const Locale& locale, std::string& scratch, SortFieldValues& out);

// The memory a sort works in: keys, slots and the order found. A control keeps one between
// sorts, so sorting a large list again reuses pages already mapped. Its big arrays are mapped
// in huge pages (LargeBlockResource), so they fault in few pieces the first time and are given
// back quickly when the list is cleared.
struct SortWorkspace {
    SortKeyBuilder keys{&LargeBlockResource::Instance()};
    std::pmr::vector<int32_t> order{&LargeBlockResource::Instance()};
};

// Sorts items first..last as the request says, in the workspace's memory. An empty list, or a
// range or column outside the items, fails without touching anything.
SortResult SortItemRange(ItemStore& items, const SortRequest& request, const Locale& locale,
                         SortWorkspace& work);

// Moves records so that records[k] becomes the old records[order[k]], each record once, by
// following the cycles of the permutation. order must be a permutation of 0..size-1; it is used
// up as working memory (every entry ends as its own position).
void ApplyPermutation(std::span<tListItemInfo> records, std::span<int32_t> order);

}  // namespace glv
