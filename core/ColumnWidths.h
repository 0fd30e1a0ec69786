#pragma once
// The exact sum of the column widths. Each width is a Long that a host may set anywhere in its
// range, so the sum is taken in 64 bits; ColumnStore::TotalWidth is the public Long form of it,
// which raises the overflow error when the sum does not fit.
#include <cstdint>

#include "core/ColumnStore.h"

namespace glv {

int64_t ExactTotalWidth(const ColumnStore& columns);

}  // namespace glv
