#pragma once
// The exact sum of the column widths. Each width is a Long that a host may set anywhere in its
// range, so the sum is taken in 64 bits; ColumnStore::TotalWidth is the public Long form of it,
// which raises the overflow error when the sum does not fit.
#include <cstdint>

#include "core/ColumnStore.h"

namespace glv {

int64_t ExactTotalWidth(const ColumnStore& columns);

// A column's right edge, its left edge plus its width, exact: both are 32-bit and a width may
// be anything up to 2^31 - 1, so the sum is taken in 64 bits too.
inline int64_t RightEdge(const tColHeaderInfo& column) { return int64_t{column.cHCollX} + column.cHWidth; }

}  // namespace glv
