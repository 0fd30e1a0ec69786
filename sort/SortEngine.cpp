#include "sort/SortEngine.h"

#include <algorithm>
#include <utility>

#include "core/Permutation.h"

#include "platform/AutomationError.h"
#include "platform/Variant.h"

namespace glv {

namespace {

// The ItemData of an item in text form, as the runtime's CStr gives it. A string is read in
// place; anything else is converted into scratch. The value is copied first so that an object
// whose default value calls back into the host stays alive while it runs.
bool ItemDataText(const Variant& data, const Locale& locale, std::string& scratch,
                  std::optional<std::string_view>& out) {
    if (data.IsString()) {
        out = data.AsString();
        return true;
    }
    const Variant held = data;
    try {
        scratch = held.ToString(locale);
    } catch (const AutomationError&) {
        return false;  // Null, an array, an object without a default value
    }
    out = scratch;
    return true;
}

// The fields of a compact row for the column: its own text and icon, everything else as a new
// row has it. False when the row has no sub-item for the column.
bool ReadCompactFields(const ItemStore& items, int32_t index, int32_t column, int32_t sortType,
                       const Locale& locale, std::string& scratch, SortFieldValues& out) {
    const std::optional<ItemStore::CellValues> cell = items.CompactCell(index, column);
    if (!cell) return false;
    out.text = cell->text;
    out.iconIndex = cell->icon;
    out.indent = 0;
    out.tag = cell->tag;
    out.itemData.reset();
    if (sortType != LVSortItemData) return true;
    static const Variant kNoData;
    return ItemDataText(kNoData, locale, scratch, out.itemData);
}

// Room for the string keys of a range, so the key arena grows once. Only the plain text kinds
// are measured; the others are estimated and may grow.
size_t StringKeyBytes(const ItemStore& items, int32_t first, int32_t last, int32_t column,
                      int32_t sortType) {
    const auto n = static_cast<size_t>(last - first + 1);
    if (sortType != LVSortString && sortType != LVSortDate) return n * 16;
    size_t bytes = 0;
    const auto sub = static_cast<size_t>(column - 2);
    for (int32_t i = first; i <= last; ++i) {
        if (const tListItemInfo* item = items.FullRecord(i)) {
            if (column == 1) {
                bytes += item->cLIText.size();
            } else if (sub < item->cLISubListItemInfo.size()) {
                bytes += item->cLISubListItemInfo[sub].cSIText.size();
            }
        } else if (const auto cell = items.CompactCell(i, column)) {
            bytes += cell->text.size();
        }
    }
    return bytes;
}

}  // namespace

bool ReadSortFields(const tListItemInfo& item, int32_t column, int32_t sortType,
                    const Locale& locale, std::string& scratch, SortFieldValues& out) {
    if (column < 1) return false;
    const Variant* itemData = nullptr;
    if (column == 1) {
        out.text = item.cLIText;
        out.iconIndex = item.cLIIconIndex;
        out.indent = item.cLIIndent;
        out.tag = item.cLITag.view();
        itemData = &item.cLIItemData;
    } else {
        // Every item is made with one sub-item per column, but items made before a column was
        // added have none for it: no key, so the sort leaves the list alone.
        const auto sub = static_cast<size_t>(column - 2);
        if (sub >= item.cLISubListItemInfo.size()) return false;
        const tSubListItemInfo& s = item.cLISubListItemInfo[sub];
        out.text = s.cSIText;
        out.iconIndex = s.cSIIconIndex;
        out.indent = s.cSIIndent;
        out.tag = s.cSITag.view();
        itemData = &s.cSIItemData;
    }
    out.itemData.reset();
    if (sortType != LVSortItemData) return true;  // the conversion costs; only this type reads it
    return ItemDataText(*itemData, locale, scratch, out.itemData);
}

bool ReadSortFields(const ItemStore& items, int32_t index, int32_t column, int32_t sortType,
                    const Locale& locale, std::string& scratch, SortFieldValues& out) {
    if (column < 1) return false;
    if (const tListItemInfo* full = items.FullRecord(index))
        return ReadSortFields(*full, column, sortType, locale, scratch, out);
    return ReadCompactFields(items, index, column, sortType, locale, scratch, out);
}

void ApplyPermutation(std::span<tListItemInfo> records, std::span<int32_t> order) {
    PermuteInPlace(records, order);
}

SortResult SortItemRange(ItemStore& items, const SortRequest& request, const Locale& locale,
                         SortWorkspace& work) {
    const int32_t count = items.Count();
    if (request.first < 1 || request.first > request.last || request.last > count ||
        request.column < 1) {
        return SortResult::Failed;
    }
    SortKeyBuilder& keys = work.keys;
    keys.Start(request.sortType, request.column == 1, locale);
    if (!keys.Sorts()) return SortResult::NoSort;

    const auto n = static_cast<size_t>(request.last - request.first + 1);
    keys.Reserve(n, StringKeyBytes(items, request.first, request.last, request.column,
                                   request.sortType));
    std::string scratch;
    SortFieldValues fields;
    // Memory is asked for in two steps: a row and its cell well ahead, then, once they are in
    // the cache, the text they point to (a compact row keeps its texts in a block of its own).
    constexpr int32_t kRecordsAhead = 16, kTextAhead = 8;
    for (int32_t i = request.first; i <= request.last; ++i) {
        const int32_t end = std::min(request.last, items.Count());
        if (i + kRecordsAhead <= end) items.Prefetch(i + kRecordsAhead, request.column);
        if (i + kTextAhead <= end)
            if (const auto cell = items.CompactCell(i + kTextAhead, request.column)) __builtin_prefetch(cell->text.data());
        // Indexed afresh each time: converting an ItemData object may run host code, which may
        // even have removed items.
        if (!items.Contains(i) ||
            !ReadSortFields(items, i, request.column, request.sortType, locale, scratch, fields) ||
            !keys.Add(fields)) {
            return SortResult::Failed;
        }
    }
    // Host code run by a conversion may have added or removed items; the keys no longer fit.
    if (items.Count() != count) return SortResult::Failed;

    std::pmr::vector<int32_t>& order = work.order;
    order.resize(n);
    if (!keys.Order(order, IsDescending(request.sortOrder), request.first)) {
        return SortResult::Failed;
    }
    items.Reorder(request.first, order);
    return SortResult::Sorted;
}

}  // namespace glv
