#include "core/ItemStore.h"

#include <algorithm>
#include <type_traits>

#include "platform/AutomationError.h"
#include "platform/Locale.h"

namespace glv {

// Growing the item array moves the records; a copy would take every row's sub-items out of the
// pool and cost a million allocations.
static_assert(std::is_nothrow_move_constructible_v<tListItemInfo>);

tListItemInfo ItemStore::NewItem(const NewItemDefaults& d, int32_t columnCount) {
    tListItemInfo item(&subItems_);
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
        // a prototype record, and this runs once per sub-item of every row loaded.
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
    return item;
}

int32_t ItemStore::Append(tListItemInfo item) {
    // Behind the gap, if there is one: the last index is the last slot either way.
    const bool selected = item.cLISelected;
    selected_.PushBack(selected);
    shown_.PushBack(true);
    if (selected) ++selectedShown_;
    items_.push_back(std::move(item));
    groups_.emplace_back();
    return Count();
}

bool ItemStore::InsertAt(int32_t index, tListItemInfo item) {
    if (index < 1 || index > Count() + 1) return false;
    Reindex();
    const auto pos = static_cast<std::size_t>(index - 1);
    const bool selected = item.cLISelected;
    if (gapLength_ > 0) {
        // Into the gap's first slot, once the gap stands at the position.
        MoveGapTo(pos);
        const std::size_t slot = gapStart_++;
        --gapLength_;
        items_[slot] = std::move(item);
        groups_[slot] = tItemGroupInfo{};
        shown_.Assign(slot, true);
        selected_.Assign(slot, selected);
    } else {
        const auto at = static_cast<std::ptrdiff_t>(pos);
        selected_.Insert(pos, selected);
        shown_.Insert(pos, true);
        items_.insert(items_.begin() + at, std::move(item));
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
    {
        tListItemInfo gone = std::move(items_[slot]);  // its sub-items go back to the pool here
    }
    groups_[slot] = tItemGroupInfo{};
    ++gapLength_;
    if (Count() == 0) Clear();  // release the storage, as an emptied list holds none
    return true;
}

void ItemStore::MoveSlot(std::size_t from, std::size_t to) {
    items_[to] = std::move(items_[from]);
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
    items_.erase(items_.begin() + first, items_.begin() + last);
    groups_.erase(groups_.begin() + first, groups_.begin() + last);
    gapStart_ = 0;
    gapLength_ = 0;
    RebuildShown();
    selectedStale_ = true;
}

void ItemStore::Clear() {
    decltype(items_)(items_.get_allocator()).swap(items_);
    decltype(groups_)(groups_.get_allocator()).swap(groups_);
    subItems_.Release();  // every record that held sub-items is gone
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
    selected_.Reset(items_.size());
    selectedShown_ = 0;
    for (std::size_t slot = 0; slot < items_.size(); ++slot) {
        if (slot == gapStart_) slot += gapLength_;  // a gap's records are empty slots
        if (slot >= items_.size() || !items_[slot].cLISelected) continue;
        selected_.Assign(slot, true);
        if (shown_.Test(slot)) ++selectedShown_;
    }
}

bool ItemStore::SetSelected(int32_t index, bool selected) {
    if (!Contains(index)) return false;
    Reindex();
    const std::size_t slot = Slot(index);
    items_[slot].cLISelected = selected;
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
    selected_.ForEachSet([&](std::size_t slot) { items_[slot].cLISelected = false; });
    selected_.ClearAll();
    selectedShown_ = 0;
}

void ItemStore::SelectedFlagWritten(int32_t index) {
    if (!Contains(index)) return;
    SetSelected(index, Item(index).cLISelected);
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
    items_.reserve(count);
    groups_.reserve(count);
}

tListItemInfo ItemStore::QuickItem(const SafeArray& fields, std::size_t first,
                                   const NewItemDefaults& defaults, int32_t columnCount,
                                   const Locale& locale) {
    tListItemInfo item = NewItem(defaults, columnCount);
    item.cLIIconIndex = 0;
    const std::size_t count = fields.Items.size();
    // A field that does not convert is passed over; the rest of the row still loads.
    auto text = [&](std::size_t at, std::string& out) {
        if (at >= count) return;
        const Variant& field = fields.Items[at];
        if (field.IsString()) {  // the common case, without a temporary
            out.assign(field.AsString());
            return;
        }
        try {
            out = field.ToString(locale);
        } catch (const AutomationError&) {
        }
    };
    auto icon = [&](std::size_t at, int16_t& out) {
        if (at >= count) return;
        const Variant& field = fields.Items[at];
        if (field.Type() == VarType::Long) {  // the common case, without the general conversion
            const int32_t value = field.AsLong();
            if (value >= INT16_MIN && value <= INT16_MAX) out = static_cast<int16_t>(value);
            return;
        }
        try {
            out = field.ToInteger(locale);
        } catch (const AutomationError&) {
        }
    };
    text(first, item.cLIText);
    icon(first + 1, item.cLIIconIndex);
    for (int32_t k = 1; k < columnCount; ++k) {
        tSubListItemInfo& sub = item.cLISubListItemInfo[static_cast<std::size_t>(k - 1)];
        text(first + 2 * static_cast<std::size_t>(k), sub.cSIText);
        icon(first + 2 * static_cast<std::size_t>(k) + 1, sub.cSIIconIndex);
    }
    return item;
}

}  // namespace glv
