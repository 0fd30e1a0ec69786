#pragma once
// The item store: every item of the list, as compact rows or full records.
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
#include <memory>
#include <memory_resource>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/CountedBits.h"
#include "core/ItemRecords.h"
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

    bool operator==(const NewItemDefaults&) const = default;
};

// How a row is kept. A row loaded by AddItemQuick has a text, an icon, a tag and an alignment per
// column of its own and takes everything else from the defaults it was made with; it is kept as
// that (a compact row: 56 bytes, 24 more per sub-item of an existing column, and its texts in
// one pooled block) until something asks for the whole record: an event handing it to a host, a
// field write through a record, Item(). From then on the row holds the full tListItemInfo and
// that record is the truth; a host holding a reference to it keeps seeing the row's values. Rows
// added any other way hold a full record from the start. Either way every field reads the same.
// A compact row stores no sub-item for the element past the last column (an item gets one
// sub-item per column it was made with); that element reads as made until the full record exists.
//
// Rows sit behind stable handles: positions map to handles, and sorting, inserting and
// removing move handles, not rows. So a sort moves four bytes per item, and clearing after a
// sort walks the rows in memory order like before one. Each handle's row and cells live in
// large blocks; full records keep their sub-items in the store's pool (platform/LargeBlocks.h
// says why). A store is neither copied nor moved; records copied out of it use the default heap.
//
// Removal leaves a gap. The position arrays may hold a run of empty slots (the gap) at the
// position of the last removal, and indexes step over it: removing the item at the gap's upper
// edge only widens the gap, and moving the gap costs the rows it passes. So a scan that removes
// items as it goes (deleting the selection, deleting all) costs the list once instead of once
// per removal, and every index a host reads in between names what it names after that one
// removal. CloseGap gives the slots back; sorting and reserving close it first.
//
// Lists of copies (ItemRecords, from Records) are made as they are read. While one lives, the
// store keeps what it promised: before a listed row is first written through (Item(), a full
// record handed out for writing, a compact tag, alignment or geometry) it keeps a copy of the
// row for the list; a listed row that is removed stays where it is, out of every index, until
// no list needs it; and clearing or destroying the store hands its rows to the lists instead of
// freeing them. The selected, checked and enabled flags are noted when the list is made, so the
// bulk flag changes (deselecting all, checking all) keep nothing. Host code writing through a
// record reference it was handed before the list was made is not seen.
class ItemStore {
public:
    ItemStore() = default;
    ~ItemStore();
    ItemStore(const ItemStore&) = delete;
    ItemStore& operator=(const ItemStore&) = delete;

    int32_t Count() const { return static_cast<int32_t>(handles_.size() - gapLength_); }
    int32_t VisibleCount() const { return static_cast<int32_t>(shown_.Count()); }
    bool Contains(int32_t index) const { return index >= 1 && index <= Count(); }

    // Unchecked access by 1-based index; callers check Contains first. Item makes a compact
    // row's full record (once), so the reference stays valid until the item is removed.
    tListItemInfo& Item(int32_t index) {
        const Handle h = HandleOf(index);
        BeforeWrite(h);
        return Full(h);
    }
    const tListItemInfo& Item(int32_t index) const { return Full(HandleOf(index)); }
    tItemGroupInfo& Group(int32_t index) { return groups_[Slot(index)]; }
    const tItemGroupInfo& Group(int32_t index) const { return groups_[Slot(index)]; }

    // A record filled as every add path fills it, with columnCount default sub-items in this
    // store's pool.
    tListItemInfo NewItem(const NewItemDefaults& defaults, int32_t columnCount);

    // Appends a finished record (visible) and returns its index.
    int32_t Append(tListItemInfo item);
    // Inserts a finished record at index (1..Count()+1); false and no change otherwise.
    bool InsertAt(int32_t index, tListItemInfo item);
    // The array form of AddItemQuick (0 text, 1 icon, then a text and an icon per further
    // column, from fields[firstField] on), kept as a compact row. Elements that do not convert
    // are skipped. InsertQuick takes index 1..Count()+1 and answers false otherwise.
    int32_t AppendQuick(const SafeArray& fields, std::size_t firstField,
                        const NewItemDefaults& defaults, int32_t columnCount, const Locale& locale);
    bool InsertQuick(int32_t index, const SafeArray& fields, std::size_t firstField,
                     const NewItemDefaults& defaults, int32_t columnCount, const Locale& locale);

    // --- reading without making the full record ---------------------------------------------
    // The record if the row holds it, else null (the row is compact).
    const tListItemInfo* FullRecord(int32_t index) const { return rows_[HandleOf(index)].full.get(); }
    tListItemInfo* FullRecord(int32_t index) {
        const Handle h = HandleOf(index);
        BeforeWrite(h);
        return rows_[h].full.get();
    }
    // A copy of the record (default heap), made without making the row's full record.
    tListItemInfo Copy(int32_t index) const;
    // The same copy written over out (a record on the default heap), reusing the memory its
    // strings and sub-items already hold: a paint pass copies every compact row it paints.
    void CopyInto(int32_t index, tListItemInfo& out) const;
    // The text and icon of a compact row's cell in column (1 the item's own); none when the row
    // has no sub-item for the column. Only for compact rows.
    struct CellValues {
        std::string_view text;
        int16_t icon = 0;
        std::string_view tag;
    };
    std::optional<CellValues> CompactCell(int32_t index, int32_t column) const;
    // Asks for the memory a read of the row's cell in column will touch.
    void Prefetch(int32_t index, int32_t column) const;
    // Where the paint pass placed a painted copy of a compact row (cLIItemX, cLIItemY,
    // cLITextHeight, cLIItemHeight), kept as a full record would keep it.
    void KeepGeometry(int32_t index, const tListItemInfo& painted);
    int32_t ItemHeight(int32_t index) const;
    int32_t ItemTop(int32_t index) const;  // cLIItemY
    bool IsChecked(int32_t index) const;
    void SetChecked(int32_t index, bool checked);
    bool IsEnabled(int32_t index) const;
    void SetEnabled(int32_t index, bool enabled);
    bool IsSelectable(int32_t index) const;
    // Writes a cell's tag or alignment (column 1: the item's own) into a compact row. False,
    // with nothing written, when the row holds its full record, the column has no stored cell
    // or the alignment is not one of the three: then the write goes through the record.
    bool SetCompactTag(int32_t index, int32_t column, const SharedString& tag);
    bool SetCompactAlignment(int32_t index, int32_t column, int32_t align);
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
    bool IsSelected(int32_t index) const { return Contains(index) && RowSelected(HandleOf(index)); }
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
    // Copies of the records at the given indexes (each in 1..Count()), in that order, made as
    // they are read and true to this moment (see the top of the file).
    ItemRecords Records(std::span<const int32_t> indexes) const;
    // The same for every selected item (hidden ones and group headers included), in index order.
    ItemRecords SelectedRecords() const;

    // Host code can write the flag through a record it was handed by reference (an event's
    // Item argument): after such a call the control re-reads that one record.
    void SelectedFlagWritten(int32_t index);

    // Room for count items without reallocation, for bulk loading.
    void Reserve(std::size_t count);

    // Memory held for the sub-items of full records, in bytes.
    std::size_t SubItemBytes() const { return subItems_->ChunkBytes(); }

    // Sorting: the items first..last (1-based) take the order given (order[k] is the offset
    // from first of the item that goes to first + k). Only handles move; group records stay
    // with their positions. order must be a permutation of 0..last-first; it is used up.
    void Reorder(int32_t first, std::span<int32_t> order);

private:
    // Where a compact text lies in its row's block of texts_: the texts never change while the
    // row is compact (a text write makes the full record), so one block per row holds them all.
    struct TextSpan {
        uint32_t offset = 0;
        uint32_t length = 0;
    };
    // A compact row (see the top of the file); `full` set means the record is the truth.
    struct Row {
        char* texts = nullptr;  // the row's block of texts_, textBytes long; null when empty
        std::unique_ptr<tListItemInfo> full;
        SharedString tag;
        int32_t itemHeight = 16, itemX = 0, itemY = 0, textHeight = 0;
        uint32_t textBytes = 0;
        uint32_t textLength = 0;  // the item's own text, at the start of the block
        uint16_t subCount = 0;    // sub-items the record has: the columns it was made with
        uint16_t defaults = 0;    // entry of defaults_ it was made with
        int16_t icon = 0;
        uint8_t selected : 1 = 0, checked : 1 = 0, enabled : 1 = 1, halign : 2 = 0;
    };
    // A compact row's sub-item k is cells_[k - 1][handle], for k below subCount.
    struct Cell {
        TextSpan text;  // in the row's block
        SharedString tag;
        int16_t icon = 0;
        uint8_t halign = LVListItemAlignLeft;
    };

    using Handle = uint32_t;
    using CellColumns = std::vector<std::pmr::vector<Cell>>;

    // The rows as a list of copies reads them: the store's own, or the ones it handed over.
    struct RowTables {
        const std::pmr::vector<Row>* rows;
        const CellColumns* cells;
        const std::vector<NewItemDefaults>* defaults;
        tListItemInfo Copy(Handle h) const;
        void CopyInto(Handle h, tListItemInfo& out) const;
    };
    // What a cleared or destroyed store hands to the lists that still read its rows. The pools
    // first: the rows give their texts and sub-items back to them as they go.
    struct HandedOver {
        std::unique_ptr<BlockPool> subItems;
        std::unique_ptr<BlockPool> texts;
        std::pmr::vector<Row> rows;
        CellColumns cells;
        std::vector<NewItemDefaults> defaults;
    };
    class Snapshot;  // a list of copies' source (ItemStore.cpp)

    Handle HandleOf(int32_t index) const { return handles_[Slot(index)]; }
    static std::string_view RowText(const Row& row) { return {row.texts, row.textLength}; }
    static std::string_view CellText(const Row& row, const Cell& cell) {
        if (cell.text.length == 0) return {};
        return {row.texts + cell.text.offset, cell.text.length};
    }
    // Gives a compact row's block of texts back to the pool.
    void FreeTexts(Row& row) const;
    // The stored cell of a compact row for column (2..), or null.
    Cell* StoredCell(Handle h, int32_t column) const;
    tListItemInfo& Full(Handle h) const;
    static void Fill(const Row& row, Handle h, const CellColumns& cells, const NewItemDefaults& defaults,
                     tListItemInfo& out);
    RowTables Tables() const { return {&rows_, &cells_, &defaults_}; }
    // Called before anything writes row h: a list that holds the row unchanged keeps a copy.
    void BeforeWrite(Handle h) const {
        if (!snapshots_.empty()) KeepForSnapshots(h);
    }
    void KeepForSnapshots(Handle h) const;
    // Whether a living list holds row h unchanged; forgets the lists that are gone.
    bool HeldUnchanged(Handle h) const;
    bool PruneSnapshots() const;  // true when a list lives
    // Frees the rows kept for removed items once no list holds them.
    void ReleaseRetired();
    // Hands the rows to the living lists and starts the store's tables afresh.
    void HandOverRows();
    bool RowSelected(Handle h) const {
        const Row& r = rows_[h];
        return r.full ? r.full->cLISelected : r.selected != 0;
    }
    Handle NewHandle(std::size_t cells);
    void FreeHandle(Handle h);
    // The defaults_ entry for d, or none when the table is full.
    std::optional<uint16_t> DefaultsId(const NewItemDefaults& d);
    // A compact row for the quick fields, or the handle of a full record where none fits.
    Handle QuickRow(const SafeArray& fields, std::size_t firstField, const NewItemDefaults& defaults,
                    int32_t columnCount, const Locale& locale);
    // The same as a full record, for rows no compact row can hold.
    Handle FullQuickRow(const SafeArray& fields, std::size_t firstField, const NewItemDefaults& defaults,
                        int32_t columnCount, const Locale& locale);
    int32_t PlaceLast(Handle h);
    bool PlaceAt(int32_t index, Handle h);

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

    // Declared first: the records below give their sub-items back to it as they go. The pools
    // are behind pointers so that they can be handed over with the rows.
    std::unique_ptr<BlockPool> subItems_ = std::make_unique<BlockPool>(&LargeBlockResource::Instance());
    // The compact rows' texts, a block per row: no allocation of its own per cell, and a million
    // rows' texts on huge pages rather than scattered over the heap.
    std::unique_ptr<BlockPool> texts_ = std::make_unique<BlockPool>(&LargeBlockResource::Instance());
    std::string quickTexts_;  // a quick row's texts gathered before its block is taken
    // By handle. The rows' full records are made on demand, hence mutable.
    mutable std::pmr::vector<Row> rows_{&LargeBlockResource::Instance()};
    mutable CellColumns cells_;
    std::vector<Handle> freeHandles_;
    std::vector<NewItemDefaults> defaults_;
    // By position, with the gap.
    std::pmr::vector<Handle> handles_{&LargeBlockResource::Instance()};
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
    // The lists of copies that may still read rows, and the removed rows kept for them.
    mutable std::vector<std::weak_ptr<Snapshot>> snapshots_;
    std::vector<Handle> retired_;
};

}  // namespace glv
