#pragma once
// Reordering columns with their cells: SwapColumns and MoveColumn over the column and item
// stores. A column's cells move with it. Column 1's cell is not a sub-item record but the
// item's own fields that have a sub-item counterpart (ItemCellFields below); the item's font
// size and selected text colour are no cell's and stay with the item, as does every field of a
// sub-item record that the item lacks (its selected text colour).
//
// Both operations take column indexes 1..column count; anything else, or the same index twice,
// changes nothing and answers false. An item whose sub-item array does not reach a cell taking
// part (an item made before a column was added has fewer sub-items) keeps its cells as they are:
// there is no record to move into or out of the missing places.

#include <cstdint>

#include "core/ColumnStore.h"
#include "core/ItemStore.h"

namespace glv {

// Exchanges the item's cell fields with the same-named fields of one of its sub-items.
void ExchangeItemCell(tListItemInfo& item, tSubListItemInfo& sub);

bool SwapColumnCells(ColumnStore& columns, ItemStore& items, int32_t column1, int32_t column2);
// Takes column1 out and puts it back at position column2; the columns between close up.
bool MoveColumnCells(ColumnStore& columns, ItemStore& items, int32_t column1, int32_t column2);

}  // namespace glv
