#pragma once
// The item store: every item of the list as plain records.
//
// Vocabulary, used the same way throughout the library:
//   index           1-based position of an item in the list (1..Count()); positions, not
//                   identities: inserting, removing or sorting changes what an index names.
//   visible         the item's row takes part in layout, painting and counting
//                   (tItemGroupInfo::Visible); a hidden item still has an index.
//   group record    the tItemGroupInfo beside each item; moves with its item on insert and
//                   removal, but stays with the row position when items are sorted.
//   current item    the index item events and editing refer to (held by the control).
//   last selected   the row of the last selecting click (held by the control).
//   selected        the item's cLISelected flag. Every write of it goes through SetSelected, so
//                   the store also knows which rows are selected without walking the others.
//
// The store keeps the records and the item and visible counters right; what the control does
// around each operation (TopIndex, repaint, scroll bars, the expanding row) is the control's.

#include <cstdint>
#include <cstddef>
#include <memory_resource>
#include <vector>

#include "core/CountedBits.h"
#include "core/Records.h"
#include "core/RowBits.h"
#include "platform/LargeBlocks.h"

namespace glv {

struct Locale;

// The values a new item is filled from: the control's default fonts and colours at the time.
struct NewItemDefaults {
    OLE_COLOR backColor = 0xFFFFFF;
    OLE_COLOR foreColor = 0;
    SharedString itemFontName;
    float itemFontSize = 8;
    bool itemFontBold = false, itemFontItalic = false;
    bool itemFontStrikeThrough = false, itemFontUnderline = false;
    SharedString subItemFontName;
    bool subItemFontBold = false, subItemFontItalic = false;
    bool subItemFontStrikeThrough = false, subItemFontUnderline = false;
    int32_t itemHeight = 16;
};

// The records live in memory of their own: the item and group arrays in large blocks, each
// row's sub-items in the store's pool (platform/LargeBlocks.h says why). A store is neither
// copied nor moved; records copied out of it use the default heap.
//
// Removal leaves a gap. The arrays may hold a run of empty slots (the gap) at the position of
// the last removal, and indexes step over it: removing the item at the gap's upper edge only
// widens the gap, and moving the gap costs the rows it passes. So a scan that removes items as
// it goes (deleting the selection, deleting all) costs the list once instead of once per
// removal, and every index a host reads in between names what it names after that one removal.
// CloseGap gives the slots back; sorting and reserving close it first.
class ItemStore {
public:
    ItemStore() = default;
    ItemStore(const ItemStore&) = delete;
    ItemStore& operator=(const ItemStore&) = delete;

    int32_t Count() const { return static_cast<int32_t>(items_.size() - gapLength_); }
    int32_t VisibleCount() const { return static_cast<int32_t>(shown_.Count()); }
    bool Contains(int32_t index) const { return index >= 1 && index <= Count(); }

    // Unchecked access by 1-based index; callers check Contains first.
    tListItemInfo& Item(int32_t index) { return items_[Slot(index)]; }
    const tListItemInfo& Item(int32_t index) const { return items_[Slot(index)]; }
    tItemGroupInfo& Group(int32_t index) { return groups_[Slot(index)]; }
    const tItemGroupInfo& Group(int32_t index) const { return groups_[Slot(index)]; }

    // A record filled as every add path fills it, with columnCount default sub-items in this
    // store's pool.
    tListItemInfo NewItem(const NewItemDefaults& defaults, int32_t columnCount);

    // Appends a finished record (visible) and returns its index.
    int32_t Append(tListItemInfo item);
    // Inserts a finished record at index (1..Count()+1); false and no change otherwise.
    bool InsertAt(int32_t index, tListItemInfo item);
    // Removes the item at index; false (nothing changes) outside 1..Count().
    bool Remove(int32_t index);
    void Clear();
    // Gives the gap's slots back; indexes name the same items before and after.
    void CloseGap();

    // Stores an item's Visible flag and keeps the visible count; true when the flag changed.
    // Every write of the flag goes through here.
    bool SetVisible(int32_t index, bool visible);

    // --- shown rows ---------------------------------------------------------------------------
    // A shown row is a visible one. Each of these costs a logarithm of the count, whatever runs
    // of hidden rows lie in between.
    bool IsShown(int32_t index) const { return Contains(index) && shown_.Test(Slot(index)); }
    // Shown rows among 1..index - 1; index may be anything (the count is clamped to the list).
    int32_t ShownBefore(int32_t index) const;
    // The index of the n-th shown row (1-based), 0 when there are fewer.
    int32_t NthShown(int32_t n) const;
    // The first shown index at or after `from`, the last one at or before `from`; 0 when none.
    int32_t NextShown(int32_t from) const;
    int32_t PrevShown(int32_t from) const;

    // --- selected flags -------------------------------------------------------------------
    // The raw flag, hidden rows and group header rows included; no counter of the control is
    // touched here (the selection rules keep those). True when the flag changed.
    bool SetSelected(int32_t index, bool selected);
    bool IsSelected(int32_t index) const { return Contains(index) && Item(index).cLISelected; }
    // Number of items whose flag is set, hidden ones and group headers included.
    int32_t SelectedFlagCount() const;
    // Number of items whose flag is set and that are shown.
    int32_t SelectedShownCount() const;
    // The first selected index at or after `from`, the last one at or before `from`; 0 when none.
    int32_t NextSelected(int32_t from) const;
    int32_t PrevSelected(int32_t from) const;
    // Clears every selected flag, touching only the selected rows.
    void DeselectAll();
    // Calls f(index) for each selected index in ascending order; f must not change flags.
    template <typename F>
    void ForEachSelected(F&& f) const {
        Reindex();
        selected_.ForEachSet([&](std::size_t slot) { f(IndexOfSlot(slot)); });
    }
    // Host code can write the flag through a record it was handed by reference (an event's
    // Item argument): after such a call the control re-reads that one record.
    void SelectedFlagWritten(int32_t index);

    // Room for count items without reallocation, for bulk loading.
    void Reserve(std::size_t count);

    // Builds an item from the array form of AddItemQuick (0 text, 1 icon, then a text and an icon
    // per further column). Elements that do not convert are skipped.
    tListItemInfo QuickItem(const SafeArray& fields, std::size_t firstField,
                            const NewItemDefaults& defaults, int32_t columnCount,
                            const Locale& locale);

    // Memory held for sub-items, in bytes.
    std::size_t SubItemBytes() const { return subItems_.ChunkBytes(); }

    // Sort support: whole item records move, group records stay with their positions. Handing
    // the records out closes the gap and marks the selected index stale; the next question
    // rebuilds it once.
    std::pmr::vector<tListItemInfo>& Records() {
        CloseGap();
        selectedStale_ = true;
        return items_;
    }

private:
    // The array slot of an index, stepping over the gap; and back.
    std::size_t Slot(int32_t index) const {
        const auto pos = static_cast<std::size_t>(index - 1);
        return pos < gapStart_ ? pos : pos + gapLength_;
    }
    int32_t IndexOfSlot(std::size_t slot) const {
        return static_cast<int32_t>(slot < gapStart_ ? slot : slot - gapLength_) + 1;
    }
    // Moves the gap so that it starts before the item at 0-based position pos.
    void MoveGapTo(std::size_t pos);
    void MoveSlot(std::size_t from, std::size_t to);
    // The flag sets and the count from the records, after the records moved in bulk.
    void Reindex() const;
    void RebuildShown();

    // Declared first: the records below give their sub-items back to it as they go.
    BlockPool subItems_{&LargeBlockResource::Instance()};
    std::pmr::vector<tListItemInfo> items_{&LargeBlockResource::Instance()};
    std::pmr::vector<tItemGroupInfo> groups_{&LargeBlockResource::Instance()};
    std::size_t gapStart_ = 0;   // the gap's first slot
    std::size_t gapLength_ = 0;  // empty slots from gapStart_ on
    // Which slots hold a shown item; the gap's slots are clear.
    CountedBits shown_;
    // Which slots have cLISelected set; the gap's slots are clear. Rebuilt from the records
    // after they were handed out for reordering.
    mutable RowBits selected_;
    mutable std::size_t selectedShown_ = 0;  // slots set in both
    mutable bool selectedStale_ = false;
};

}  // namespace glv
