#pragma once
// The control's built-in context menu (mnuPopup): twelve mnuEdit entries and which of them can
// be chosen when the menu opens. Only Delete and the four whole-list commands act; Undo, Cut,
// Copy and Paste are there for the look of a familiar edit menu and do nothing of their own.

#include <cstdint>
#include <vector>

#include "platform/PopupMenu.h"

namespace glv {

namespace menucmd {
inline constexpr int32_t kUndo = 0;
inline constexpr int32_t kCut = 2;
inline constexpr int32_t kCopy = 3;
inline constexpr int32_t kPaste = 4;
inline constexpr int32_t kDelete = 5;
inline constexpr int32_t kDisableAll = 7;
inline constexpr int32_t kEnableAll = 8;
inline constexpr int32_t kDeselectAll = 10;
inline constexpr int32_t kSelectAll = 11;
inline constexpr int32_t kCount = 12;
}  // namespace menucmd

// The entries as the menu opens over a list with selectedCount selected items: Cut and Delete
// only with a selection, Undo and Paste never, the rest always.
std::vector<MenuEntry> ContextMenuEntries(int32_t selectedCount);

}  // namespace glv
