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
    selected_.PushBack(item.cLISelected);
    items_.push_back(std::move(item));
    groups_.emplace_back();
    ++visibleCount_;
    return Count();
}

bool ItemStore::InsertAt(int32_t index, tListItemInfo item) {
    if (index < 1 || index > Count() + 1) return false;
    const auto at = static_cast<std::ptrdiff_t>(index - 1);
    selected_.Insert(static_cast<std::size_t>(at), item.cLISelected);
    items_.insert(items_.begin() + at, std::move(item));
    groups_.insert(groups_.begin() + at, tItemGroupInfo{});
    ++visibleCount_;
    return true;
}

bool ItemStore::Remove(int32_t index) {
    if (!Contains(index)) return false;
    if (Group(index).Visible && visibleCount_ > 0) --visibleCount_;
    const auto at = static_cast<std::ptrdiff_t>(index - 1);
    selected_.Erase(static_cast<std::size_t>(at));
    items_.erase(items_.begin() + at);
    groups_.erase(groups_.begin() + at);
    if (items_.empty()) Clear();  // release the storage, as an emptied list holds none
    return true;
}

void ItemStore::Clear() {
    decltype(items_)(items_.get_allocator()).swap(items_);
    decltype(groups_)(groups_.get_allocator()).swap(groups_);
    subItems_.Release();  // every record that held sub-items is gone
    visibleCount_ = 0;
    selected_.Reset(0);
    selectedStale_ = false;
}

void ItemStore::Reindex() const {
    if (!selectedStale_) return;
    selectedStale_ = false;
    selected_.Reset(items_.size());
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].cLISelected) selected_.Assign(i, true);
}

bool ItemStore::SetSelected(int32_t index, bool selected) {
    if (!Contains(index)) return false;
    Reindex();
    Item(index).cLISelected = selected;
    return selected_.Assign(static_cast<std::size_t>(index - 1), selected);
}

int32_t ItemStore::SelectedFlagCount() const {
    Reindex();
    return static_cast<int32_t>(selected_.Count());
}

int32_t ItemStore::NextSelected(int32_t from) const {
    Reindex();
    const auto pos = selected_.NextSet(static_cast<std::size_t>(std::max(from, 1) - 1));
    return pos ? static_cast<int32_t>(*pos) + 1 : 0;
}

int32_t ItemStore::PrevSelected(int32_t from) const {
    if (from < 1) return 0;
    Reindex();
    const auto pos = selected_.PrevSet(static_cast<std::size_t>(from - 1));
    return pos ? static_cast<int32_t>(*pos) + 1 : 0;
}

void ItemStore::DeselectAll() {
    Reindex();
    selected_.ForEachSet([&](std::size_t pos) { items_[pos].cLISelected = false; });
    selected_.ClearAll();
}

void ItemStore::SelectedFlagWritten(int32_t index) {
    if (!Contains(index)) return;
    Reindex();
    selected_.Assign(static_cast<std::size_t>(index - 1), Item(index).cLISelected);
}

bool ItemStore::SetVisible(int32_t index, bool visible) {
    tItemGroupInfo& group = Group(index);
    if (group.Visible == visible) return false;
    group.Visible = visible;
    visibleCount_ += visible ? 1 : -1;
    return true;
}

void ItemStore::Reserve(std::size_t count) {
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
