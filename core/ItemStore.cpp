#include "core/ItemStore.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <unordered_map>

#include "platform/AutomationError.h"
#include "platform/Locale.h"

namespace glv {

// Growing the row array moves the rows; a copy would cost a million allocations.
static_assert(std::is_nothrow_move_constructible_v<tListItemInfo>);

namespace {

// Sets the fields every new record takes from the control's defaults, and the sub-items.
void ApplyDefaults(const NewItemDefaults& d, int32_t columnCount, tListItemInfo& item) {
    item.cLIBackColor = d.backColor;
    item.cLIForeColor = d.foreColor;
    item.cLIFontName = d.itemFontName;
    item.cLIFontSize = d.itemFontSize;
    item.cLIFontBold = d.itemFontBold;
    item.cLIFontItalic = d.itemFontItalic;
    item.cLIFontStrikeThrough = d.itemFontStrikeThrough;
    item.cLIFontUnderline = d.itemFontUnderline;
    item.cLIItemHeight = d.itemHeight;
    if (columnCount > 0) {
        // Default-construct in place and set the few non-zero fields: much cheaper than copying
        // a prototype record.
        item.cLISubListItemInfo.resize(static_cast<std::size_t>(columnCount));
        for (tSubListItemInfo& sub : item.cLISubListItemInfo) {
            sub.cSIBackColor = d.backColor;
            sub.cSIForeColor = d.foreColor;
            sub.cSIFontName = d.subItemFontName;
            sub.cSIFontBold = d.subItemFontBold;
            sub.cSIFontItalic = d.subItemFontItalic;
            sub.cSIFontStrikeThrough = d.subItemFontStrikeThrough;
            sub.cSIFontUnderline = d.subItemFontUnderline;
        }
    }
}

// Reads the array form of AddItemQuick: text(k, value) and icon(k, value) for cell k (0 the
// item's own) of columnCount. A field that does not convert is passed over; the rest of the row
// still loads.
template <typename Text, typename Icon>
void ReadQuickFields(const SafeArray& fields, std::size_t first, int32_t columnCount,
                     const Locale& locale, Text&& text, Icon&& icon) {
    const std::size_t count = fields.Items.size();
    const std::size_t cells = static_cast<std::size_t>(std::max(columnCount, 1));
    for (std::size_t k = 0; k < cells; ++k) {
        const std::size_t at = first + 2 * k;
        if (at >= count) return;
        const Variant& t = fields.Items[at];
        if (t.IsString()) {  // the common case, without a temporary
            text(k, t.AsString());
        } else {
            try {
                text(k, std::string_view(t.ToString(locale)));
            } catch (const AutomationError&) {
            }
        }
        if (at + 1 >= count) return;
        const Variant& i = fields.Items[at + 1];
        if (i.Type() == VarType::Long) {  // the common case, without the general conversion
            const int32_t value = i.AsLong();
            if (value >= INT16_MIN && value <= INT16_MAX) icon(k, static_cast<int16_t>(value));
            continue;
        }
        try {
            icon(k, i.ToInteger(locale));
        } catch (const AutomationError&) {
        }
    }
}

// A field of a row: the record's once the row holds its record, else the compact one.
template <typename Row, typename T>
T ReadField(const Row& row, T tListItemInfo::*field, T compact) {
    return row.full ? (*row.full).*field : compact;
}
template <typename Row, typename SetCompact>
void WriteFlag(Row& row, bool tListItemInfo::*field, bool value, SetCompact&& setCompact) {
    if (row.full)
        (*row.full).*field = value;
    else
        setCompact();
}

}  // namespace

tListItemInfo ItemStore::NewItem(const NewItemDefaults& d, int32_t columnCount) {
    tListItemInfo item(subItems_.get());
    ApplyDefaults(d, columnCount, item);
    return item;
}

void ItemStore::Fill(const Row& row, Handle h, const CellColumns& cells, const NewItemDefaults& defaults,
                     tListItemInfo& out) {
    ApplyDefaults(defaults, row.subCount, out);
    out.cLIText = RowText(row);
    out.cLIIconIndex = row.icon;
    out.cLITag = row.tag;
    out.cLIItemHAlign = row.halign;
    out.cLISelected = row.selected != 0;
    out.cLIItemChecked = row.checked != 0;
    out.cLIEnabled = row.enabled != 0;
    out.cLIItemHeight = row.itemHeight;
    out.cLIItemX = row.itemX;
    out.cLIItemY = row.itemY;
    out.cLITextHeight = row.textHeight;
    const std::size_t stored = std::min<std::size_t>(row.subCount > 0 ? row.subCount - 1u : 0u, cells.size());
    for (std::size_t k = 0; k < stored; ++k) {
        const Cell& cell = cells[k][h];
        tSubListItemInfo& sub = out.cLISubListItemInfo[k];
        sub.cSIText = CellText(row, cell);
        sub.cSIIconIndex = cell.icon;
        sub.cSITag = cell.tag;
        sub.cSIItemHAlign = cell.halign;
    }
}

tListItemInfo& ItemStore::Full(Handle h) const {
    Row& row = rows_[h];
    if (!row.full) {
        auto full = std::make_unique<tListItemInfo>(subItems_.get());
        Fill(row, h, cells_, defaults_[row.defaults], *full);
        row.full = std::move(full);
        // The compact fields are no one's now; give their memory back.
        FreeTexts(row);
        row.tag = SharedString();
        for (auto& column : cells_) column[h] = Cell{};
    }
    return *row.full;
}

void ItemStore::FreeTexts(Row& row) const {
    if (row.texts) texts_->deallocate(row.texts, row.textBytes, 1);
    row.texts = nullptr;
    row.textBytes = 0;
    row.textLength = 0;
}

tListItemInfo ItemStore::Copy(int32_t index) const { return Tables().Copy(HandleOf(index)); }

void ItemStore::CopyInto(int32_t index, tListItemInfo& out) const { Tables().CopyInto(HandleOf(index), out); }

namespace {

// Makes a record read as a new one with subCount sub-items does, keeping the memory of its
// strings and sub-items.
void ResetRecord(tListItemInfo& record, std::size_t subCount) {
    static const tListItemInfo kNew;
    static const tSubListItemInfo kNewSub;
    std::pmr::vector<tSubListItemInfo> subs = std::move(record.cLISubListItemInfo);
    record = kNew;
    const std::size_t kept = std::min(subs.size(), subCount);
    subs.resize(subCount);
    for (std::size_t k = 0; k < kept; ++k) subs[k] = kNewSub;
    record.cLISubListItemInfo = std::move(subs);
}

}  // namespace

void ItemStore::RowTables::CopyInto(Handle h, tListItemInfo& out) const {
    const Row& row = (*rows)[h];
    if (row.full) {
        out = *row.full;
        return;
    }
    ResetRecord(out, row.subCount);
    Fill(row, h, *cells, (*defaults)[row.defaults], out);
}

tListItemInfo ItemStore::RowTables::Copy(Handle h) const {
    const Row& row = (*rows)[h];
    if (row.full) return *row.full;
    tListItemInfo copy;
    Fill(row, h, *cells, (*defaults)[row.defaults], copy);
    return copy;
}

std::optional<ItemStore::CellValues> ItemStore::CompactCell(int32_t index, int32_t column) const {
    const Handle h = HandleOf(index);
    const Row& row = rows_[h];
    if (column == 1) return CellValues{RowText(row), row.icon, row.tag.view()};
    const auto sub = static_cast<std::size_t>(column - 2);
    if (column < 2 || sub >= row.subCount) return std::nullopt;
    const Cell* cell = StoredCell(h, column);
    if (!cell) return CellValues{};  // the sub-item past the last column, as made
    return CellValues{CellText(row, *cell), cell->icon, cell->tag.view()};
}

ItemStore::Cell* ItemStore::StoredCell(Handle h, int32_t column) const {
    const Row& row = rows_[h];
    const auto sub = static_cast<std::size_t>(column - 2);
    if (row.full || column < 2 || sub + 1 >= row.subCount || sub >= cells_.size()) return nullptr;
    return &cells_[sub][h];
}

bool ItemStore::SetCompactTag(int32_t index, int32_t column, const SharedString& tag) {
    const Handle h = HandleOf(index);
    Row& row = rows_[h];
    if (row.full) return false;
    BeforeWrite(h);
    if (column == 1) {
        row.tag = tag;
        return true;
    }
    Cell* cell = StoredCell(h, column);
    if (!cell) return false;
    cell->tag = tag;
    return true;
}

bool ItemStore::SetCompactAlignment(int32_t index, int32_t column, int32_t align) {
    const Handle h = HandleOf(index);
    Row& row = rows_[h];
    if (row.full || align < LVListItemAlignLeft || align > LVListItemAlignRight) return false;
    BeforeWrite(h);
    if (column == 1) {
        row.halign = static_cast<uint8_t>(align) & 3u;
        return true;
    }
    Cell* cell = StoredCell(h, column);
    if (!cell) return false;
    cell->halign = static_cast<uint8_t>(align);
    return true;
}

void ItemStore::Prefetch(int32_t index, int32_t column) const {
    const Handle h = HandleOf(index);
    const auto sub = static_cast<std::size_t>(column - 2);
    __builtin_prefetch(&rows_[h]);  // where a compact row's texts lie is in the row
    if (column >= 2 && sub < cells_.size()) __builtin_prefetch(&cells_[sub][h]);
}

void ItemStore::KeepGeometry(int32_t index, const tListItemInfo& painted) {
    const Handle h = HandleOf(index);
    Row& row = rows_[h];
    if (row.full) return;
    BeforeWrite(h);
    row.itemX = painted.cLIItemX;
    row.itemY = painted.cLIItemY;
    row.textHeight = painted.cLITextHeight;
    row.itemHeight = painted.cLIItemHeight;
}

int32_t ItemStore::ItemHeight(int32_t index) const {
    const Row& row = rows_[HandleOf(index)];
    return ReadField(row, &tListItemInfo::cLIItemHeight, row.itemHeight);
}

int32_t ItemStore::ItemTop(int32_t index) const {
    const Row& row = rows_[HandleOf(index)];
    return ReadField(row, &tListItemInfo::cLIItemY, row.itemY);
}

bool ItemStore::IsChecked(int32_t index) const {
    const Row& row = rows_[HandleOf(index)];
    return ReadField(row, &tListItemInfo::cLIItemChecked, row.checked != 0);
}

void ItemStore::SetChecked(int32_t index, bool checked) {
    Row& row = rows_[HandleOf(index)];
    WriteFlag(row, &tListItemInfo::cLIItemChecked, checked, [&] { row.checked = checked; });
}

bool ItemStore::IsEnabled(int32_t index) const {
    const Row& row = rows_[HandleOf(index)];
    return ReadField(row, &tListItemInfo::cLIEnabled, row.enabled != 0);
}

void ItemStore::SetEnabled(int32_t index, bool enabled) {
    Row& row = rows_[HandleOf(index)];
    WriteFlag(row, &tListItemInfo::cLIEnabled, enabled, [&] { row.enabled = enabled; });
}

bool ItemStore::IsSelectable(int32_t index) const {
    return ReadField(rows_[HandleOf(index)], &tListItemInfo::cLISelectable, true);
}

ItemStore::Handle ItemStore::NewHandle(std::size_t cells) {
    if (!retired_.empty()) ReleaseRetired();
    while (cells_.size() < cells) {
        cells_.emplace_back(&LargeBlockResource::Instance());
        // As much room as the rows have: a load that reserved its rows before its columns came
        // (a file's header is its first line) must not regrow the cells row by row.
        cells_.back().reserve(rows_.capacity());
        cells_.back().resize(rows_.size());
    }
    if (!freeHandles_.empty()) {
        const Handle h = freeHandles_.back();
        freeHandles_.pop_back();
        return h;
    }
    const auto h = static_cast<Handle>(rows_.size());
    rows_.emplace_back();
    for (auto& column : cells_) column.emplace_back();
    return h;
}

void ItemStore::FreeHandle(Handle h) {
    Row& row = rows_[h];
    row.full.reset();  // its sub-items go back to the pool here
    FreeTexts(row);
    row = Row{};
    for (auto& column : cells_) column[h] = Cell{};
    freeHandles_.push_back(h);
}

std::optional<uint16_t> ItemStore::DefaultsId(const NewItemDefaults& d) {
    // Loads use one set of defaults for every row: the last entry is nearly always the one.
    for (std::size_t k = defaults_.size(); k-- > 0;)
        if (defaults_[k] == d) return static_cast<uint16_t>(k);
    if (defaults_.size() > UINT16_MAX) return std::nullopt;
    defaults_.push_back(d);
    return static_cast<uint16_t>(defaults_.size() - 1);
}

ItemStore::Handle ItemStore::QuickRow(const SafeArray& fields, std::size_t first,
                                      const NewItemDefaults& defaults, int32_t columnCount,
                                      const Locale& locale) {
    const std::optional<uint16_t> id =
        columnCount <= UINT16_MAX ? DefaultsId(defaults) : std::nullopt;
    if (!id) return FullQuickRow(fields, first, defaults, columnCount, locale);
    const std::size_t cells = columnCount > 1 ? static_cast<std::size_t>(columnCount - 1) : 0;
    const Handle h = NewHandle(cells);
    Row& row = rows_[h];
    row.defaults = *id;
    row.subCount = static_cast<uint16_t>(std::max(columnCount, 0));
    row.itemHeight = defaults.itemHeight;
    // The texts go one after another into quickTexts_, then into the row's block in one piece.
    quickTexts_.clear();
    ReadQuickFields(
        fields, first, columnCount, locale,
        [&](std::size_t k, std::string_view t) {
            const TextSpan span{static_cast<uint32_t>(quickTexts_.size()), static_cast<uint32_t>(t.size())};
            quickTexts_.append(t);
            if (k == 0)
                row.textLength = span.length;  // first, so at offset 0
            else
                cells_[k - 1][h].text = span;
        },
        [&](std::size_t k, int16_t i) { (k == 0 ? row.icon : cells_[k - 1][h].icon) = i; });
    // A row whose texts outgrow the pool's blocks keeps its full record instead: the store
    // releases its text blocks with the pool, which reaches only the blocks it carved.
    if (quickTexts_.size() > BlockPool::kLargestBlock) {
        FreeHandle(h);
        return FullQuickRow(fields, first, defaults, columnCount, locale);
    }
    if (!quickTexts_.empty()) {
        row.texts = static_cast<char*>(texts_->allocate(quickTexts_.size(), 1));
        row.textBytes = static_cast<uint32_t>(quickTexts_.size());
        std::memcpy(row.texts, quickTexts_.data(), quickTexts_.size());
    }
    return h;
}

ItemStore::Handle ItemStore::FullQuickRow(const SafeArray& fields, std::size_t first,
                                          const NewItemDefaults& defaults, int32_t columnCount,
                                          const Locale& locale) {
    tListItemInfo item = NewItem(defaults, columnCount);
    ReadQuickFields(
        fields, first, columnCount, locale,
        [&](std::size_t k, std::string_view t) {
            (k == 0 ? item.cLIText : item.cLISubListItemInfo[k - 1].cSIText).assign(t);
        },
        [&](std::size_t k, int16_t i) {
            (k == 0 ? item.cLIIconIndex : item.cLISubListItemInfo[k - 1].cSIIconIndex) = i;
        });
    const Handle h = NewHandle(0);
    rows_[h].full = std::make_unique<tListItemInfo>(std::move(item));
    return h;
}

int32_t ItemStore::AppendQuick(const SafeArray& fields, std::size_t first,
                               const NewItemDefaults& defaults, int32_t columnCount,
                               const Locale& locale) {
    return PlaceLast(QuickRow(fields, first, defaults, columnCount, locale));
}

bool ItemStore::InsertQuick(int32_t index, const SafeArray& fields, std::size_t first,
                            const NewItemDefaults& defaults, int32_t columnCount,
                            const Locale& locale) {
    if (index < 1 || index > Count() + 1) return false;
    return PlaceAt(index, QuickRow(fields, first, defaults, columnCount, locale));
}

int32_t ItemStore::Append(tListItemInfo item) {
    const Handle h = NewHandle(0);
    rows_[h].full = std::make_unique<tListItemInfo>(std::move(item));
    return PlaceLast(h);
}

bool ItemStore::InsertAt(int32_t index, tListItemInfo item) {
    if (index < 1 || index > Count() + 1) return false;
    const Handle h = NewHandle(0);
    rows_[h].full = std::make_unique<tListItemInfo>(std::move(item));
    return PlaceAt(index, h);
}

int32_t ItemStore::PlaceLast(Handle h) {
    // Behind the gap, if there is one: the last index is the last slot either way.
    const bool selected = RowSelected(h);
    selected_.PushBack(selected);
    shown_.PushBack(true);
    if (selected) ++selectedShown_;
    handles_.push_back(h);
    groups_.emplace_back();
    return Count();
}

bool ItemStore::PlaceAt(int32_t index, Handle h) {
    Reindex();
    const auto pos = static_cast<std::size_t>(index - 1);
    const bool selected = RowSelected(h);
    if (gapLength_ > 0) {
        // Into the gap's first slot, once the gap stands at the position.
        MoveGapTo(pos);
        const std::size_t slot = gapStart_++;
        --gapLength_;
        handles_[slot] = h;
        groups_[slot] = tItemGroupInfo{};
        shown_.Assign(slot, true);
        selected_.Assign(slot, selected);
    } else {
        const auto at = static_cast<std::ptrdiff_t>(pos);
        selected_.Insert(pos, selected);
        shown_.Insert(pos, true);
        handles_.insert(handles_.begin() + at, h);
        groups_.insert(groups_.begin() + at, tItemGroupInfo{});
    }
    if (selected) ++selectedShown_;
    return true;
}

bool ItemStore::Remove(int32_t index) {
    if (!Contains(index)) return false;
    Reindex();
    MoveGapTo(static_cast<std::size_t>(index - 1));
    const std::size_t slot = gapStart_ + gapLength_;
    if (shown_.Test(slot) && selected_.Test(slot)) --selectedShown_;
    shown_.Assign(slot, false);
    selected_.Assign(slot, false);
    // A list of copies that holds the row unchanged reads it where it is, so it stays.
    if (HeldUnchanged(handles_[slot]))
        retired_.push_back(handles_[slot]);
    else
        FreeHandle(handles_[slot]);
    groups_[slot] = tItemGroupInfo{};
    ++gapLength_;
    if (Count() == 0) Clear();  // release the storage, as an emptied list holds none
    return true;
}

void ItemStore::MoveSlot(std::size_t from, std::size_t to) {
    handles_[to] = handles_[from];
    groups_[to] = groups_[from];
    shown_.Assign(to, shown_.Test(from));
    shown_.Assign(from, false);
    selected_.Assign(to, selected_.Test(from));
    selected_.Assign(from, false);
}

void ItemStore::MoveGapTo(std::size_t pos) {
    if (gapLength_ == 0) {
        gapStart_ = pos;
        return;
    }
    while (gapStart_ > pos) {
        --gapStart_;
        MoveSlot(gapStart_, gapStart_ + gapLength_);
    }
    while (gapStart_ < pos) {
        MoveSlot(gapStart_ + gapLength_, gapStart_);
        ++gapStart_;
    }
}

void ItemStore::CloseGap() {
    if (gapLength_ == 0) return;
    const auto first = static_cast<std::ptrdiff_t>(gapStart_);
    const auto last = static_cast<std::ptrdiff_t>(gapStart_ + gapLength_);
    handles_.erase(handles_.begin() + first, handles_.begin() + last);
    groups_.erase(groups_.begin() + first, groups_.begin() + last);
    gapStart_ = 0;
    gapLength_ = 0;
    RebuildShown();
    selectedStale_ = true;
}

void ItemStore::Clear() {
    if (PruneSnapshots()) HandOverRows();
    retired_.clear();
    decltype(handles_)(handles_.get_allocator()).swap(handles_);
    decltype(rows_)(rows_.get_allocator()).swap(rows_);  // full records give sub-items back
    decltype(cells_)().swap(cells_);
    decltype(freeHandles_)().swap(freeHandles_);
    texts_->Release();  // every row that held texts is gone
    defaults_.clear();
    decltype(groups_)(groups_.get_allocator()).swap(groups_);
    subItems_->Release();  // every record that held sub-items is gone
    gapStart_ = 0;
    gapLength_ = 0;
    shown_.Reset(0, false);
    selected_.Reset(0);
    selectedShown_ = 0;
    selectedStale_ = false;
}

void ItemStore::RebuildShown() {
    shown_.Reset(groups_.size(), true);
    for (std::size_t slot = 0; slot < groups_.size(); ++slot)
        if (!groups_[slot].Visible || (slot >= gapStart_ && slot < gapStart_ + gapLength_))
            shown_.Assign(slot, false);
}

void ItemStore::Reindex() const {
    if (!selectedStale_) return;
    selectedStale_ = false;
    selected_.Reset(handles_.size());
    selectedShown_ = 0;
    for (std::size_t slot = 0; slot < handles_.size(); ++slot) {
        if (slot == gapStart_) slot += gapLength_;  // a gap's slots hold no item
        if (slot >= handles_.size() || !RowSelected(handles_[slot])) continue;
        selected_.Assign(slot, true);
        if (shown_.Test(slot)) ++selectedShown_;
    }
}

bool ItemStore::SetSelected(int32_t index, bool selected) {
    if (!Contains(index)) return false;
    Reindex();
    const std::size_t slot = Slot(index);
    Row& row = rows_[handles_[slot]];
    WriteFlag(row, &tListItemInfo::cLISelected, selected, [&] { row.selected = selected; });
    if (!selected_.Assign(slot, selected)) return false;
    if (shown_.Test(slot)) selectedShown_ += selected ? 1 : static_cast<std::size_t>(-1);
    return true;
}

int32_t ItemStore::SelectedFlagCount() const {
    Reindex();
    return static_cast<int32_t>(selected_.Count());
}

int32_t ItemStore::SelectedShownCount() const {
    Reindex();
    return static_cast<int32_t>(selectedShown_);
}

int32_t ItemStore::NextSelected(int32_t from) const {
    from = std::max(from, 1);
    if (from > Count()) return 0;
    Reindex();
    const auto slot = selected_.NextSet(Slot(from));
    return slot ? IndexOfSlot(*slot) : 0;
}

int32_t ItemStore::PrevSelected(int32_t from) const {
    if (from < 1 || Count() == 0) return 0;
    Reindex();
    const auto slot = selected_.PrevSet(Slot(std::min(from, Count())));
    return slot ? IndexOfSlot(*slot) : 0;
}

void ItemStore::DeselectAll() {
    Reindex();
    selected_.ForEachSet([&](std::size_t slot) {
        Row& row = rows_[handles_[slot]];
        WriteFlag(row, &tListItemInfo::cLISelected, false, [&] { row.selected = 0; });
    });
    selected_.ClearAll();
    selectedShown_ = 0;
}

void ItemStore::SelectedFlagWritten(int32_t index) {
    if (!Contains(index)) return;
    SetSelected(index, RowSelected(HandleOf(index)));
}

bool ItemStore::SetVisible(int32_t index, bool visible) {
    const std::size_t slot = Slot(index);
    tItemGroupInfo& group = groups_[slot];
    if (group.Visible == visible) return false;
    Reindex();
    group.Visible = visible;
    shown_.Assign(slot, visible);
    if (selected_.Test(slot)) selectedShown_ += visible ? 1 : static_cast<std::size_t>(-1);
    return true;
}

int32_t ItemStore::ShownBefore(int32_t index) const {
    if (index <= 1) return 0;
    if (index > Count()) return VisibleCount();
    return static_cast<int32_t>(shown_.Rank(Slot(index)));
}

int32_t ItemStore::NthShown(int32_t n) const {
    if (n < 1) return 0;
    const auto slot = shown_.Select(static_cast<std::size_t>(n - 1));
    return slot ? IndexOfSlot(*slot) : 0;
}

int32_t ItemStore::NextShown(int32_t from) const {
    from = std::max(from, 1);
    if (from > Count()) return 0;
    const auto slot = shown_.NextSet(Slot(from));
    return slot ? IndexOfSlot(*slot) : 0;
}

int32_t ItemStore::PrevShown(int32_t from) const {
    if (from < 1 || Count() == 0) return 0;
    const auto slot = shown_.PrevSet(Slot(std::min(from, Count())));
    return slot ? IndexOfSlot(*slot) : 0;
}

void ItemStore::Reserve(std::size_t count) {
    CloseGap();
    handles_.reserve(count);
    rows_.reserve(count);
    for (auto& column : cells_) column.reserve(count);
    groups_.reserve(count);
}

void ItemStore::Reorder(int32_t first, std::span<int32_t> order) {
    Reindex();
    CloseGap();
    const auto base = static_cast<std::size_t>(first - 1);
    if (selected_.Count() != 0) {
        // The selected flags go with their items; the shown flags stay with the positions.
        std::vector<uint8_t> was(order.size());
        for (std::size_t k = 0; k < order.size(); ++k) was[k] = selected_.Test(base + k) ? 1 : 0;
        for (std::size_t k = 0; k < order.size(); ++k)
            selected_.Assign(base + k, was[static_cast<std::size_t>(order[k])] != 0);
        selectedShown_ = 0;
        selected_.ForEachSet([&](std::size_t slot) { selectedShown_ += shown_.Test(slot) ? 1 : 0; });
    }
    // Gathered into the order array, then copied back: the reads are independent of each other,
    // so the memory system overlaps them, where following the permutation's cycles waits for
    // each read before it can make the next.
    const std::span<Handle> range = std::span(handles_).subspan(base, order.size());
    static_assert(sizeof(Handle) == sizeof(int32_t));
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = static_cast<int32_t>(range[static_cast<std::size_t>(order[k])]);
    for (std::size_t k = 0; k < order.size(); ++k) range[k] = static_cast<Handle>(order[k]);
}

// --- lists of copies ----------------------------------------------------------------------

// A list of copies: the handles of its rows, their flags when it was made, and the rows it
// keeps. Until the store hands its rows over, it reads the store's own tables.
class ItemStore::Snapshot final : public ItemRecords::Source {
public:
    enum : uint8_t { kSelected = 1, kChecked = 2, kEnabled = 4 };

    Snapshot(RowTables tables, std::vector<Handle> handles, std::vector<uint8_t> flags, std::size_t rowCount)
        : tables_(tables), handles_(std::move(handles)), flags_(std::move(flags)), unchanged_(rowCount) {
        for (const Handle h : handles_) unchanged_[h] = true;
    }

    std::size_t Count() const override { return handles_.size(); }

    tListItemInfo Record(std::size_t k) const override {
        const Handle h = handles_[k];
        const auto kept = kept_.find(h);
        tListItemInfo record = kept != kept_.end() ? kept->second : tables_.Copy(h);
        record.cLISelected = (flags_[k] & kSelected) != 0;
        record.cLIItemChecked = (flags_[k] & kChecked) != 0;
        record.cLIEnabled = (flags_[k] & kEnabled) != 0;
        return record;
    }

    bool HoldsUnchanged(Handle h) const { return h < unchanged_.size() && unchanged_[h]; }

    // Row h is about to change: keep it as it is.
    void Keep(Handle h) {
        if (!HoldsUnchanged(h)) return;
        kept_.emplace(h, tables_.Copy(h));
        unchanged_[h] = false;
    }

    // The store let go of its rows: read them from what it handed over from now on.
    void TakeOver(std::shared_ptr<const HandedOver> rows) {
        rows_ = std::move(rows);
        tables_ = {&rows_->rows, &rows_->cells, &rows_->defaults};
    }

private:
    RowTables tables_;
    std::shared_ptr<const HandedOver> rows_;  // set once the store has handed its rows over
    std::vector<Handle> handles_;
    std::vector<uint8_t> flags_;
    std::vector<bool> unchanged_;  // by handle: listed, and not written since
    std::unordered_map<Handle, tListItemInfo> kept_;
};

ItemRecords ItemStore::Records(std::span<const int32_t> indexes) const {
    std::vector<Handle> handles;
    std::vector<uint8_t> flags;
    handles.reserve(indexes.size());
    flags.reserve(indexes.size());
    for (const int32_t index : indexes) {
        const Handle h = HandleOf(index);
        const Row& row = rows_[h];
        const bool checked = ReadField(row, &tListItemInfo::cLIItemChecked, row.checked != 0);
        const bool enabled = ReadField(row, &tListItemInfo::cLIEnabled, row.enabled != 0);
        handles.push_back(h);
        flags.push_back(static_cast<uint8_t>((RowSelected(h) ? Snapshot::kSelected : 0) |
                                             (checked ? Snapshot::kChecked : 0) |
                                             (enabled ? Snapshot::kEnabled : 0)));
    }
    if (handles.empty()) return ItemRecords();
    auto snapshot = std::make_shared<Snapshot>(Tables(), std::move(handles), std::move(flags), rows_.size());
    PruneSnapshots();
    snapshots_.push_back(snapshot);
    return ItemRecords(std::move(snapshot));
}

ItemRecords ItemStore::SelectedRecords() const {
    std::vector<int32_t> indexes;
    indexes.reserve(static_cast<std::size_t>(SelectedFlagCount()));
    ForEachSelected([&](int32_t i) { indexes.push_back(i); });
    return Records(indexes);
}

void ItemStore::KeepForSnapshots(Handle h) const {
    for (const auto& weak : snapshots_)
        if (const auto snapshot = weak.lock()) snapshot->Keep(h);
}

bool ItemStore::HeldUnchanged(Handle h) const {
    if (!PruneSnapshots()) return false;
    for (const auto& weak : snapshots_)
        if (const auto snapshot = weak.lock(); snapshot && snapshot->HoldsUnchanged(h)) return true;
    return false;
}

bool ItemStore::PruneSnapshots() const {
    std::erase_if(snapshots_, [](const std::weak_ptr<Snapshot>& weak) { return weak.expired(); });
    return !snapshots_.empty();
}

void ItemStore::ReleaseRetired() {
    if (PruneSnapshots()) return;
    for (const Handle h : retired_) FreeHandle(h);
    retired_.clear();
}

void ItemStore::HandOverRows() {
    // Moved by construction, so each table keeps its memory and its allocator: nothing is copied.
    const std::shared_ptr<const HandedOver> rows(new HandedOver{
        std::exchange(subItems_, std::make_unique<BlockPool>(&LargeBlockResource::Instance())),
        std::exchange(texts_, std::make_unique<BlockPool>(&LargeBlockResource::Instance())),
        std::move(rows_), std::move(cells_), std::move(defaults_)});
    rows_.clear();
    cells_.clear();
    defaults_.clear();
    freeHandles_.clear();
    retired_.clear();
    for (const auto& weak : snapshots_)
        if (const auto snapshot = weak.lock()) snapshot->TakeOver(rows);
    snapshots_.clear();
}

ItemStore::~ItemStore() {
    if (PruneSnapshots()) HandOverRows();
}

}  // namespace glv
