#include "sort/SortEngine.h"

#include <utility>

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

// Room for the string keys of a range, so the key arena grows once. Only the plain text kinds
// are measured; the others are estimated and may grow.
size_t StringKeyBytes(std::span<const tListItemInfo> range, int32_t column, int32_t sortType) {
    if (sortType != LVSortString && sortType != LVSortDate) return range.size() * 16;
    size_t bytes = 0;
    const auto sub = static_cast<size_t>(column - 2);
    for (const tListItemInfo& item : range) {
        if (column == 1) {
            bytes += item.cLIText.size();
        } else if (sub < item.cLISubListItemInfo.size()) {
            bytes += item.cLISubListItemInfo[sub].cSIText.size();
        }
    }
    return bytes;
}

// Asks for every cache line of a record ahead of its move.
void PrefetchRecord(const tListItemInfo* record) {
    const auto* bytes = reinterpret_cast<const char*>(record);
    for (size_t offset = 0; offset < sizeof(tListItemInfo); offset += 64) {
        __builtin_prefetch(bytes + offset, 1);
    }
}

// Asks for the cache line holding the text a key is built from. A sub-item lives in its
// item's own allocation, which after a sort no longer follows the item order.
void PrefetchSortText(const tListItemInfo& item, int32_t column) {
    if (column == 1) return;  // in the record itself, which is read in order
    const auto sub = static_cast<size_t>(column - 2);
    if (sub < item.cLISubListItemInfo.size()) __builtin_prefetch(&item.cLISubListItemInfo[sub].cSIText);
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

void ApplyPermutation(std::span<tListItemInfo> records, std::span<int32_t> order) {
    const size_t n = records.size();
    for (size_t start = 0; start < n; ++start) {
        if (static_cast<size_t>(order[start]) == start) continue;
        // Walk the cycle through start: each slot takes the record it is owed, which frees the
        // slot that record came from; the record first moved out closes the cycle.
        tListItemInfo held = std::move(records[start]);
        size_t slot = start;
        auto from = static_cast<size_t>(order[slot]);
        for (;;) {
            order[slot] = static_cast<int32_t>(slot);
            if (from == start) {
                records[slot] = std::move(held);
                break;
            }
            // The walk jumps through memory at random; fetching the record after this one
            // while this one moves hides much of the wait (a third off moving a million records).
            const auto next = static_cast<size_t>(order[from]);
            PrefetchRecord(&records[next]);
            __builtin_prefetch(&order[next]);
            records[slot] = std::move(records[from]);
            slot = from;
            from = next;
        }
    }
}

SortResult SortItemRange(std::pmr::vector<tListItemInfo>& items, const SortRequest& request,
                         const Locale& locale) {
    const int64_t count = static_cast<int64_t>(items.size());
    if (request.first < 1 || request.first > request.last || request.last > count ||
        request.column < 1) {
        return SortResult::Failed;
    }
    SortKeyBuilder keys(request.sortType, request.column == 1, locale);
    if (!keys.Sorts()) return SortResult::NoSort;

    const auto first = static_cast<size_t>(request.first - 1);
    const auto n = static_cast<size_t>(request.last - request.first + 1);
    keys.Reserve(n, StringKeyBytes(std::span(items).subspan(first, n), request.column,
                                   request.sortType));
    std::string scratch;
    SortFieldValues fields;
    constexpr size_t kPrefetchAhead = 8;
    for (size_t k = 0; k < n; ++k) {
        if (first + k + kPrefetchAhead < items.size())
            PrefetchSortText(items[first + k + kPrefetchAhead], request.column);
        // Indexed afresh each time: converting an ItemData object may run host code.
        if (!ReadSortFields(items[first + k], request.column, request.sortType, locale, scratch,
                            fields) ||
            !keys.Add(fields)) {
            return SortResult::Failed;
        }
    }
    // Host code run by a conversion may have added or removed items; the keys no longer fit.
    if (items.size() != static_cast<size_t>(count)) return SortResult::Failed;

    std::vector<int32_t> order(n);
    if (!keys.Order(order, IsDescending(request.sortOrder), request.first)) {
        return SortResult::Failed;
    }
    ApplyPermutation(std::span(items).subspan(first, n), order);
    return SortResult::Sorted;
}

}  // namespace glv
