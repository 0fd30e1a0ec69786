#pragma once
// GlideListView: the owner-drawn report-view list control.
//
// The host creates it on a Container with the Platform, sets properties, fills it with columns
// and items, feeds it input and pumps the clock. Behaviour is split by subsystem (core/, render/,
// input/, sort/, scrollbar/); this class holds the shared state and is the host's façade.

#include <cstdint>
#include <string>

#include "core/ColumnStore.h"
#include "core/ItemStore.h"
#include "core/PropertyValues.h"
#include "platform/Container.h"
#include "platform/MemDC.h"
#include "platform/Platform.h"
#include "platform/Surface.h"
#include "render/ImageLists.h"
#include "render/Layout.h"

namespace glv {

class GlideListViewEvents;
struct PaintTarget;

// View state shared by layout, painting, input and scrolling.
struct ViewState {
    int32_t topIndex = 0;          // first row on the page; 0 until the first item arrives
    int32_t currentItem = 0;       // the item item events and editing refer to
    int32_t lastSelectedRow = 0;   // row of the last selecting click
    int32_t selectedCount = 0;     // cached number of selected items
    bool keyboardMoved = false;    // the selection was last moved by a key
    bool paintingEnabled = false;  // false between BeginUpdate and EndUpdate
    bool hasFocus = false;
    bool loaded = false;           // an initialisation path has finished
    bool terminating = false;      // paint and resize requests are ignored from now on
};

class GlideListView {
public:
    // The window property under which the control registers itself on its window, so element
    // objects that hold only the window handle can find it.
    static constexpr const char* kObjectPtrProperty = "GlideListView30:ObjectPtr";

    GlideListView(Platform& platform, Container& container, int32_t width = 400,
                  int32_t height = 300, HWND parent = 0);
    ~GlideListView();
    GlideListView(const GlideListView&) = delete;
    GlideListView& operator=(const GlideListView&) = delete;

    // A new control: every property takes its default, then the control is laid out, painting
    // is enabled and, in user mode, it registers on its window.
    void InitProperties();
    // The control is going away: later paint and resize requests do nothing and it unregisters.
    void Terminate();

    // The control registered on a window, or nullptr (no such window, or not registered).
    static GlideListView* FromWindow(const WindowSystem& windows, HWND hwnd);

    void SetEventSink(GlideListViewEvents* sink) { events_ = sink; }
    GlideListViewEvents* EventSink() const { return events_; }

    Platform& platform() { return platform_; }
    Container& container() { return container_; }
    HWND hwnd() const { return hwnd_; }

    // --- items --------------------------------------------------------------------------------
    int32_t ItemCount() const { return items_.Count(); }
    int32_t VisibleItemCount() const { return items_.VisibleCount(); }
    int32_t NewIndex() const { return newIndex_; }

    // Appends an item (ListItems.Add passes Icon -1 when omitted and Indent 0). Returns its index.
    int32_t AddItem(const std::string& text, int16_t icon, int16_t indent, const Variant& itemData);
    // Inserts at 1..count+1; returns index, or 0 when nothing was inserted.
    int32_t InsertItem(int32_t index, const std::string& text, int16_t icon, int16_t indent,
                       const Variant& itemData);
    // Removes an item; indexes outside the list are ignored.
    void RemoveItem(int32_t index);
    // A plain value appends one item with that text; an array fills text and icon of every column.
    void AddItemQuick(const Variant& item);
    // Like AddItemQuick, with the position first in the array.
    void InsertItemQuick(const Variant& item);
    void ClearItems();
    // Removes every column and every item.
    void ClearAll();

    // Checked record access for the host; an index outside the list raises error 9.
    const tListItemInfo& ItemRecord(int32_t index) const;
    const tItemGroupInfo& GroupRecord(int32_t index) const;
    const tSubListItemInfo& SubItemRecord(int32_t index, int32_t subIndex) const;

    // Item field changes that have rules beyond storing the value.
    void SetItemVisible(int32_t index, bool visible);
    // Recomputes an item's height after its font changed (name, bold, size, underline).
    void ItemFontChanged(int32_t index, bool repaint);

    // --- columns ------------------------------------------------------------------------------
    int32_t ColumnCount() const { return columns_.Count(); }
    int32_t AddColumn(const std::string& caption, int16_t icon, int32_t width);
    int32_t AddColumnEx(const ColumnSpec& spec);
    const tColHeaderInfo& ColumnRecord(int32_t index) const;
    int32_t ColumnsTotalWidth() const { return columns_.TotalWidth(); }

    // --- painting -----------------------------------------------------------------------------
    // BeginUpdate stops painting until EndUpdate (calls do not nest); EndUpdate paints, brings
    // the scroll bars up to date and paints again.
    void BeginUpdate();
    void EndUpdate();
    // The control's window changed size: lay out, resize the background, synchronise the
    // scroll bars, rebuild the background and paint.
    void Resize(int32_t width, int32_t height);
    int32_t Width() const { return platform_.windows.Placement(hwnd_).width; }
    int32_t Height() const { return platform_.windows.Placement(hwnd_).height; }

    // --- state for the subsystems -----------------------------------------------------------
    ItemStore& items() { return items_; }
    const ItemStore& items() const { return items_; }
    ColumnStore& columns() { return columns_; }
    const ColumnStore& columns() const { return columns_; }
    ViewState& view() { return view_; }
    const ViewState& view() const { return view_; }
    PropertyValues& props() { return props_; }
    const PropertyValues& props() const { return props_; }
    const Locale& locale() const;

    int32_t TopIndex() const { return view_.topIndex; }
    int32_t DefaultItemHeight() const { return defaultItemHeight_; }

    // The height of "Wg" in a font: the basis of every row height.
    int32_t TextHeight(const StdFont& font) const;

    // Counts of what the subsystem hooks were asked to do; tests read them.
    struct HookCounters {
        int32_t repaints = 0;
        int32_t scrollSyncs = 0;
        int32_t editEnds = 0;
    };
    const HookCounters& hookCounters() const { return hooks_; }

private:
    // The defaults new items are filled from, rebuilt only when a default font, colour or the
    // default height changed since the last add (bulk loading makes millions of items from one).
    const NewItemDefaults& CurrentItemDefaults();
    void AfterItemAdded();

    // Subsystem hooks, each called at exactly the moments the behaviour names.
    void Repaint();                  // the paint handler
    void SyncScrollBars();           // bring both scroll bars up to date with the content
    void ResetScrollBars(bool vertical, bool horizontal);
    void EndEdit();                  // end an open in-place edit
    void ClearKeyboardMovedState();
    void ShowExpandingRow(bool visible);
    void DetachExpandingRow();
    void RaiseSelectedRowChanged(int32_t rowIndex);

    Platform& platform_;
    Container& container_;
    HWND hwnd_ = 0;
    GlideListViewEvents* events_ = nullptr;

    ItemStore items_;
    ColumnStore columns_;
    ViewState view_;
    PropertyValues props_;
    int32_t newIndex_ = 0;
    int32_t defaultItemHeight_ = 16;

    struct ExpandingRowLink {
        bool objectAttached = false;  // an expanding row object was handed to the control
        bool attached = false;        // the attached flag
        bool visible = false;
    } expandingRow_;

    HookCounters hooks_;

    struct DefaultsCache {
        bool valid = false;
        StdFont itemFont, subItemFont;
        NewItemDefaults defaults;
    } defaultsCache_;

    // --- rendering ----------------------------------------------------------------------------
    // Layout, the paint pass and the image lists (render/). The control draws on its own
    // surface, sized with its window; each pass starts from the background cache.
public:
    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }
    // The surface's device-context handle, for objects that draw by hDC.
    HDC hDC() const { return hdc_; }
    // Ends in the paint handler, like every change that affects the picture.
    void Refresh();

    // Page functions. Page sizes come from the row heights the last paint stored.
    int32_t FirstItemOnPage() const { return view_.topIndex; }
    int32_t LastItemOnPage();
    int32_t ItemCountPerPage();
    int32_t ItemEndOfPage();
    int32_t FindLastVisibleListItem() { return ItemEndOfPage(); }
    int32_t FindFirstVisibleListItem() const;
    int32_t FindNextVisibleItem(int32_t start, bool searchDown) const;
    int32_t FindVisibleItemByRange(int32_t start, int32_t count, bool searchDown) const;
    int32_t VisibleItemsRange(int32_t start, int32_t end) const;
    // Moves TopIndex over count - 1 visible rows (at least one) and repaints.
    void OffsetTopIndex(int32_t count, bool downThePage);
    // Scrolls a row below the page up to its bottom, or one above it to the top; error 9
    // (source GlideListView) outside 1..item count.
    void EnsureVisible(int32_t index);

    // The header band's height, computed when the properties are initialised or read and when
    // Columns.Add adds a column; 0 with hidden headers.
    int32_t HeaderHeight() const { return render_.headerHeight; }
    void RecomputeHeaderHeight();

    // Binds an image list (a Long handle or an image-list object) to slot 0..3
    // (LVImageListTypeConstants); error 9 for another slot, 0x80040419 for another value.
    void SetImageList(const Variant& slot, const Variant& imageList);
    // The ImageList property's writes are accepted and change nothing; SetImageList binds.
    void SetImageListProperty(const Variant&, const Variant&) {}
    const ImageListSlot& ImageListSlotAt(int32_t slot) const;  // slot 0..3, unchecked
    int32_t SmallIconWidth() const { return imageLists_[LVSmallIcon].width; }
    int32_t SmallIconHeight() const { return imageLists_[LVSmallIcon].height; }
    int32_t HeaderImageWidth() const { return imageLists_[LVHeaderImages].width; }
    int32_t HeaderImageHeight() const { return imageLists_[LVHeaderImages].height; }

    // What the scroll bars and the mouse hand the paint pass, and what it keeps between passes.
    struct RenderState {
        int32_t headerHeight = 0;
        int32_t headerTextHeight = 0;   // for the header painter
        int32_t headerImageHeight = 0;  // for the header painter
        int32_t pageCount = 0;          // the last page count computed
        int32_t hScrollOffset = 0;      // horizontal scroll position in pixels
        int32_t leftOffset = 0;         // where the scroll bar layout starts the list area
        int32_t hScrollBand = 0;        // the horizontal bar's height while it is shown, else 0
        bool vScrollVisible = false;
        bool hScrollVisible = false;
        int32_t scrollBarSize = 17;
        int32_t vScrollValue = 0;       // the value last handed to the vertical bar
        int32_t hotColumn = -1;         // header under the mouse, -1 for none
        int32_t pressedColumn = -1;     // header with a button down on it, -1 for none
        RECT clientRect;                // refreshed on each resize
    };
    RenderState& render() { return render_; }
    const RenderState& render() const { return render_; }

private:
    void InitRendering(int32_t width, int32_t height);
    void ReleaseRendering();
    void PaintPass();
    // The rows of the page from TopIndex; false when a row's height overflowed, which ends
    // the pass.
    bool PaintRows(const PaintTarget& target);
    void RebuildBackground();
    // Header height and background cache, as after the properties were initialised or read.
    void RecomputeLayoutValues();
    // The resize sequence at the current size.
    void LayoutAsOnResize();
    void StoreHeaderHeight(int32_t height);
    PageFrame CurrentPageFrame() const;
    PageWalk RunPageWalk(PageWalkFor purpose);
    int32_t ComputePageCount();
    RowHeightRules CurrentRowHeightRules() const;
    int32_t EffectiveTheme() const;
    // Scroll bar hooks: the horizontal bar's state before a page walk (it sets the band), and
    // the vertical bar's value after TopIndex moved.
    void RefreshHScrollState() {}
    void SetVScrollValue(int32_t value) { render_.vScrollValue = value; }

    Surface surface_;
    HDC hdc_ = 0;
    cMemDC background_;
    ImageListSlots imageLists_;
    RenderState render_;
    // Font storage reused by every pass, so selecting a row's font allocates nothing.
    FontSpec rowFont_, scratchFont_;
};

}  // namespace glv
