#pragma once

#include <cstdint>

namespace glv {

// How a column orders its items. The values are part of the public interface: hosts store them in
// column records and persisted state, so they never change.
enum LVSortTypeConstants : int32_t {
    LVSortString = 0,
    LVSortDouble = 1,
    LVSortNumeric = 2,
    LVSortDate = 3,
    LVSortDateYearAccuracy = 4,
    LVSortDateMonthAccuracy = 5,
    LVSortDateDayAccuracy = 6,
    LVSortDateHourAccuracy = 7,
    LVSortDateMinuteAccuracy = 8,
    LVSortIcon = 9,
    LVSortChecked = 10,
    LVSortIndent = 11,
    LVSortSelected = 12,
    LVSortTag = 13,
    LVSortItemData = 14,
};

// Only LVSortOrderDescending reverses; any other stored value sorts ascending.
enum LVSortOrderConstants : int32_t {
    LVSortOrderAscending = 0,
    LVSortOrderDescending = 1,
};

constexpr bool IsDescending(int32_t sortOrder) { return sortOrder == LVSortOrderDescending; }

}  // namespace glv
