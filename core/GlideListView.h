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
#include "platform/Platform.h"

namespace glv {

class GlideListViewEvents;

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
    int32_t AddColumnEx(const ColumnSpec& def);
    const tColHeaderInfo& ColumnRecord(int32_t index) const;
    int32_t ColumnsTotalWidth() const { return columns_.TotalWidth(); }

    // --- painting -----------------------------------------------------------------------------
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
    int32_t FindFirstVisibleListItem() const;
    int32_t FindNextVisibleItem(int32_t start, bool searchDown) const;

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
};

}  // namespace glv
