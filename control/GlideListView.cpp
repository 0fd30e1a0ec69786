#include "control/GlideListView.h"

#include <algorithm>

#include "core/Errors.h"
#include "core/EventRaiser.h"
#include "platform/AutomationError.h"
#include "platform/Form.h"
#include "platform/GeometryLimits.h"
#include "platform/Locale.h"
#include "render/Themes.h"
#include "control/InPlaceEdit.h"
#include "control/ListScrolling.h"

namespace glv {

GlideListView::GlideListView(Platform& platform, Container& container, int32_t width,
                             int32_t height, HWND parent)
    : platform_(platform), container_(container),
      visualStylesAvailable_(VisualStylesAvailable(platform.system.os)) {
    width = ClampSurfaceSide(width);
    height = ClampSurfaceSide(height);
    hwnd_ = platform_.windows.CreateWindow(parent, "GlideListView", {0, 0, width, height});
    InitRendering(width, height);  // --- rendering ---
    // The form composes what the window shows from this surface.
    RegisterSurface(platform_.windows, hwnd_, &surface_);
    InitScrollBars();  // --- scroll bars ---
    InitInput();       // --- input ---
    InitToolTips();    // --- tooltips, context menu, drag and drop ---
    InitOleDrag();
    InitEditing();
}

GlideListView::~GlideListView() {
    Terminate();
    ReleasePopups();     // --- tooltips, context menu, drag and drop ---
    ReleaseInput();      // --- input ---
    editor_.reset();
    ReleaseRendering();  // --- rendering ---
    platform_.windows.DestroyWindow(hwnd_);
}

// InitProperties, ReadProperties and WriteProperties live with the property table in
// Properties.cpp.

void GlideListView::Terminate() {
    if (view_.terminating) return;
    view_.terminating = true;
    DetachMessageHooks();
    platform_.windows.RemoveProp(hwnd_, kObjectPtrProperty);
    background_.Release();  // --- rendering ---
}

GlideListView* GlideListView::FromWindow(const WindowSystem& windows, HWND hwnd) {
    if (!windows.IsWindow(hwnd)) return nullptr;
    return reinterpret_cast<GlideListView*>(windows.GetProp(hwnd, kObjectPtrProperty));
}

const Locale& GlideListView::locale() const {
    return platform_.system.locale ? *platform_.system.locale : DefaultLocale();
}

// --- items ------------------------------------------------------------------------------------

const NewItemDefaults& GlideListView::CurrentItemDefaults() {
    const StdFont& item = props_.DefaultItemFont ? *props_.DefaultItemFont : container_.AmbientFont;
    const StdFont& sub = props_.DefaultSubItemFont ? *props_.DefaultSubItemFont : container_.AmbientFont;
    DefaultsCache& cache = defaultsCache_;
    NewItemDefaults& d = cache.defaults;
    if (cache.valid && cache.itemFont.SameAs(item) && cache.subItemFont.SameAs(sub) &&
        d.backColor == props_.DefaultItemBackColor && d.foreColor == props_.DefaultItemForeColor &&
        d.itemHeight == defaultItemHeight_)
        return d;
    cache.valid = true;
    cache.itemFont = item;
    cache.subItemFont = sub;
    d.backColor = props_.DefaultItemBackColor;
    d.foreColor = props_.DefaultItemForeColor;
    d.itemFontName = item.Name;
    d.itemFontSize = item.Size;
    d.itemFontBold = item.Bold;
    d.itemFontItalic = item.Italic;
    d.itemFontStrikeThrough = item.Strikethrough;
    d.itemFontUnderline = item.Underline;
    d.subItemFontName = sub.Name == item.Name ? d.itemFontName : SharedString(sub.Name);
    d.subItemFontBold = sub.Bold;
    d.subItemFontItalic = sub.Italic;
    d.subItemFontStrikeThrough = sub.Strikethrough;
    d.subItemFontUnderline = sub.Underline;
    d.itemHeight = defaultItemHeight_;
    return d;
}

// What every add path does once the new record is in: the expanding row follows the first
// visible item, and with painting on the scroll bars and the picture catch up.
void GlideListView::AfterItemAdded() {
    if (expandingRow_.objectAttached) {
        ShowExpandingRow(true);
        if (items_.VisibleCount() == 1) {
            view_.currentItem = 1;
            RaiseSelectedRowChanged(1);
        }
    }
    if (view_.paintingEnabled) {
        SyncScrollBars();
        Repaint();
    }
}

int32_t GlideListView::AddItem(const std::string& text, int16_t icon, int16_t indent,
                               const Variant& itemData) {
    return InsertItem(items_.Count() + 1, text, icon, indent, itemData);
}

int32_t GlideListView::InsertItem(int32_t index, const std::string& text, int16_t icon,
                                  int16_t indent, const Variant& itemData) {
    if (index < 1 || index > items_.Count() + 1) return 0;
    if (view_.topIndex == 0) view_.topIndex = 1;
    tListItemInfo item = items_.NewItem(CurrentItemDefaults(), columns_.Count());
    item.cLIIconIndex = icon;
    item.cLIText = text;
    item.cLIIndent = indent;
    item.cLIItemData = itemData;
    items_.InsertAt(index, std::move(item));
    AfterItemAdded();
    newIndex_ = items_.Count();
    return index;
}

void GlideListView::RemoveItem(int32_t index) {
    if (!items_.Contains(index)) return;
    items_.Remove(index);
    const int32_t count = items_.Count();
    // The top row is never past the last one; a page too short for a single row can leave it at
    // the last, which the removal may just have taken away.
    view_.topIndex = std::min(view_.topIndex, std::max(count, 1));
    if (count > 0) {
        if (expandingRow_.objectAttached && expandingRow_.attached && props_.ExpandingRow) {
            if (index == view_.currentItem) {
                if (index == count)
                    view_.currentItem = view_.topIndex;
                else if (index > count)
                    view_.currentItem = count;
                else
                    view_.currentItem = index;
                Selection(items_, view_).Select(view_.currentItem);
                RaiseSelectedRowChanged(view_.currentItem);
            } else if (index < view_.currentItem) {
                --view_.currentItem;
                // The count drops when the item that moved into the removed place is selected.
                if (items_.IsSelected(index) && view_.selectedCount > 0) --view_.selectedCount;
            }
        }
        if (view_.paintingEnabled) AfterRemoval();
    } else if (expandingRow_.objectAttached) {
        ShowExpandingRow(false);
    }
}

void GlideListView::AfterRemoval() {
    const bool inBulk = bulkRemoval_.depth > 0;
    if (inBulk && frame_.vScrollVisible &&
        RunPageWalk(PageWalkFor::PageCount).firstNotFitting <= items_.Count()) {
        // The synchronisation would show the bar again over the same top row and raise nothing;
        // only its extent changes, and the scan's end sets that.
        bulkRemoval_.deferred = true;
        return;
    }
    SyncScrollBars();
    if (inBulk) {
        bulkRemoval_.deferred = true;  // the page is painted once, when the scan ends
        return;
    }
    Repaint();
}

void GlideListView::BeginBulkRemoval() { ++bulkRemoval_.depth; }

void GlideListView::EndBulkRemoval() {
    if (--bulkRemoval_.depth > 0) return;
    const bool deferred = bulkRemoval_.deferred;
    bulkRemoval_ = BulkRemoval{};
    items_.CloseGap();
    if (!deferred) return;
    SyncScrollBars();
    Repaint();
}

void GlideListView::AddItemQuick(const Variant& item) {
    const SafeArray* fields = item.AsArray();
    if (!fields) {
        std::string text;
        try {
            text = item.ToString(locale());
        } catch (const AutomationError&) {
            // A value without a text form still makes a row; it is left blank.
        }
        AddItem(text, -1, 0, Variant(int16_t{0}));
        return;
    }
    if (view_.topIndex == 0) view_.topIndex = 1;
    items_.AppendQuick(*fields, 0, CurrentItemDefaults(), columns_.Count(), locale());
    AfterItemAdded();
}

void GlideListView::InsertItemQuick(const Variant& item) {
    const SafeArray* fields = item.AsArray();
    if (!fields) {
        AddItemQuick(item);
        return;
    }
    if (fields->Items.empty()) return;
    int32_t position = 0;
    try {
        position = fields->Items[0].ToLong(locale());
    } catch (const AutomationError&) {
        return;  // no usable position: nothing to insert
    }
    if (position < 1 || position > items_.Count() + 1) return;
    if (view_.topIndex == 0) view_.topIndex = 1;
    items_.InsertQuick(position, *fields, 1, CurrentItemDefaults(), columns_.Count(), locale());
    AfterItemAdded();
}

void GlideListView::ClearItems() {
    if (items_.Count() <= 0) return;
    items_.Clear();
    sortWork_.reset();
    if (expandingRow_.objectAttached) ShowExpandingRow(false);
    ClearKeyboardMovedState();
    view_.lastSelectedRow = 0;
    view_.currentItem = 0;
    view_.selectedCount = 0;
    EndEdit();
    ResetScrollBars(true, false);
    view_.topIndex = 1;
    SyncScrollBars();
    if (view_.paintingEnabled) Repaint();
}

void GlideListView::ClearAll() {
    DetachExpandingRow();
    if (items_.Count() < 1 && columns_.Count() < 1) return;
    items_.Clear();
    sortWork_.reset();
    columns_.Clear();
    if (expandingRow_.objectAttached) ShowExpandingRow(false);
    ClearKeyboardMovedState();
    view_.selectedCount = 0;
    ResetScrollBars(true, true);
    view_.topIndex = 1;
    view_.lastSelectedRow = 0;
    view_.currentItem = 0;
    EndEdit();
    SyncScrollBars();
    if (view_.paintingEnabled) Repaint();
}

const tListItemInfo& GlideListView::ItemRecord(int32_t index) const {
    if (!items_.Contains(index)) RaiseRuntimeError(runtime_error::kSubscriptOutOfRange);
    return items_.Item(index);
}

const tItemGroupInfo& GlideListView::GroupRecord(int32_t index) const {
    if (!items_.Contains(index)) RaiseRuntimeError(runtime_error::kSubscriptOutOfRange);
    return items_.Group(index);
}

const tSubListItemInfo& GlideListView::SubItemRecord(int32_t index, int32_t subIndex) const {
    const tListItemInfo& item = ItemRecord(index);
    if (subIndex < 1 || subIndex > static_cast<int32_t>(item.cLISubListItemInfo.size()))
        RaiseRuntimeError(runtime_error::kSubscriptOutOfRange);
    return item.cLISubListItemInfo[static_cast<std::size_t>(subIndex - 1)];
}

void GlideListView::SetItemVisible(int32_t index, bool visible) {
    if (!items_.Contains(index)) RaiseError(kErrSubscript, kSourceControl);
    // Through the store, so its count of shown rows follows; the new top row below is
    // searched among the rows as they are now.
    items_.SetVisible(index, visible);
    if (index == view_.topIndex) {
        int32_t top = FindNextVisibleItem(index, true);
        if (top == 0) top = FindNextVisibleItem(index, false);
        if (top == 0) top = FindFirstVisibleListItem();
        view_.topIndex = top;
    }
    // Hiding or showing a row deselects every row.
    Selection(items_, view_).DeselectAll();
    view_.lastSelectedRow = -1;
    view_.currentItem = -1;
    EndEdit();
    if (view_.paintingEnabled) {
        Repaint();
        SyncScrollBars();
    }
}

void GlideListView::ItemFontChanged(int32_t index, bool repaint) {
    tListItemInfo& item = items_.Item(index);
    StdFont font(item.cLIFontName.str(), item.cLIFontSize, item.cLIFontBold, item.cLIFontItalic,
                 item.cLIFontUnderline, item.cLIFontStrikeThrough);
    item.cLIItemHeight = TextHeight(font) + (props_.GridLines ? 1 : 0);
    if (repaint && view_.paintingEnabled) Repaint();
}

// --- columns ----------------------------------------------------------------------------------

int32_t GlideListView::AddColumn(const std::string& caption, int16_t icon, int32_t width) {
    const StdFont font = props_.DefaultColumnHeaderFont ? *props_.DefaultColumnHeaderFont
                                                        : container_.AmbientFont;
    const int32_t index = columns_.Add(caption, icon, width, font, props_.DefaultColumnHeaderForeColor);
    RecomputeHeaderHeight();
    if (view_.paintingEnabled) Repaint();
    return index;
}

int32_t GlideListView::AddColumnEx(const ColumnSpec& def) {
    const int32_t index = columns_.AddEx(def);
    if (view_.paintingEnabled) Repaint();
    return index;
}

const tColHeaderInfo& GlideListView::ColumnRecord(int32_t index) const {
    if (!columns_.Contains(index)) RaiseRuntimeError(runtime_error::kSubscriptOutOfRange);
    return columns_.Column(index);
}

// --- painting ---------------------------------------------------------------------------------
// BeginUpdate, EndUpdate, Resize and the paint handler live with the paint pass in
// ControlPaint.cpp.

int32_t GlideListView::TextHeight(const StdFont& font) const {
    return MeasureTextHeight(platform_.text, font.ToFontSpec());
}

void GlideListView::ReserveItems(int32_t count) {
    if (count > 0) items_.Reserve(static_cast<std::size_t>(count));
}

// --- subsystem hooks --------------------------------------------------------------------------

// SyncScrollBars and ResetScrollBars live with the scroll bars in ListScrolling.cpp.

// EndEdit is in-place editing's (InPlaceEdit.cpp).

void GlideListView::ClearKeyboardMovedState() { keyboard_ = KeyboardState{}; }

// ShowExpandingRow and DetachExpandingRow live with the expanding row in ExpandingRow.cpp.

void GlideListView::RaiseSelectedRowChanged(int32_t rowIndex) {
    Raise(events_, &GlideListViewEvents::SelectedRowChanged, rowIndex);
}

}  // namespace glv
