#pragma once
// GlideListView: the owner-drawn report-view list control.
//
// The host creates it on a Container with the Platform, sets properties, fills it with columns
// and items, feeds it input and pumps the clock. Behaviour is split by subsystem (core/, render/,
// input/, sort/, scrollbar/); this class holds the shared state and is the host's façade.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/ColumnStore.h"
#include "core/ItemStore.h"
#include "core/PropertyTable.h"
#include "core/PropertyValues.h"
#include "platform/Container.h"
#include "platform/Platform.h"

namespace glv {

class GlideListViewEvents;
class PropertyBag;

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
    // is enabled and, in user mode, it registers on its window. (Loading a saved control is
    // ReadProperties, below.)
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

public:
    // --- properties (by name) ---------------------------------------------------------------
    // Every stored property of the control, by its public name (without regard to case), as
    // the property table describes it. Unknown names raise runtime error 438; index arguments
    // (no stored property takes any) raise 450. Fonts and pictures are objects and are kept by
    // reference, as the runtime's property Set stores the reference it is handed: the control
    // holds the very object it was given and reading returns it, so a host that later writes
    // `DefaultItemFont.Bold = True` changes the font the next added item takes. A font property
    // refuses Nothing (380), since every later add reads it; a picture property takes Nothing.
    bool HasProperty(std::string_view name) const;
    Variant GetProperty(std::string_view name, std::span<const Variant> indexArgs = {}) const;
    void SetProperty(std::string_view name, const Variant& value,
                     std::span<const Variant> indexArgs = {});

    // Loads a saved control: reads every persisted value in the fixed load order, then lays out,
    // ends the update and registers like a new control. A stored value of the wrong type (error
    // 13), out of range (the setter's error) or a bad picture (481) fails the load; the control
    // is then left exactly as it was before the call and the error names the value.
    void ReadProperties(const PropertyBag& bag);
    // Saves the persisted values in the fixed save order; values equal to their defaults are
    // left out by the bag.
    void WriteProperties(PropertyBag& bag) const;

    // Typed accessors for host code: X() reads, SetX(value) writes with the same rules,
    // errors and notifications as SetProperty.
#define GLV_DECLARE_PROPERTY_ACCESSORS(Name, Type, ...)                    \
    PropertyCppType<PropType::Type> Name() const { return props_.Name; } \
    void Set##Name(PropertyCppType<PropType::Type> value);
    GLV_PUBLIC_PROPERTIES(GLV_DECLARE_PROPERTY_ACCESSORS)
#undef GLV_DECLARE_PROPERTY_ACCESSORS
    void SetTopIndex(int32_t index);

    // What the property setters have handed on to the parts that use them (scroll bars, edit
    // box, tooltip timers, drawing surface). Those parts read it from here.
    struct AppliedProperties {
        int32_t effectiveTheme = XPBlue;  // the scheme actually drawn
        int16_t scrollBarSize = 17;       // pixels reserved for a visible scroll bar
        int32_t scrollBarTheme = XPBlue;  // the scheme both scroll bars draw in
        int32_t scrollBarMetric = 0;      // the metric size both scroll bars use
        bool scrollBarsEnabled = true;
        int32_t verticalScrollValue = 0;
        int32_t toolTipPreInterval = 1000;   // ms
        int32_t toolTipPostInterval = 3000;  // ms
        OLE_COLOR editBackColor = 0x8000000D;
        OLE_COLOR editForeColor = 0xFFFFFF;
        OLE_COLOR surfaceBackColor = 0xFFFFFF;
    };
    const AppliedProperties& applied() const { return applied_; }

    // Counts of the property hooks that later subsystems fill in; tests read them.
    struct PropertyHookCounters {
        int32_t backgroundRebuilds = 0;
        int32_t schemeApplications = 0;
        int32_t metricApplications = 0;
        int32_t resizeLayouts = 0;
        int32_t layoutValueRecomputes = 0;
        int32_t toolTipTimerUpdates = 0;
        int32_t editBoxColorUpdates = 0;
        int32_t enabledUpdates = 0;
        int32_t surfacePictureClears = 0;
        int32_t checkAllItems = 0;
    };
    const PropertyHookCounters& propertyHookCounters() const { return propertyHooks_; }

    // The scheme the system's visual style corresponds to, or current when it tells nothing.
    static int32_t DetectSystemScheme(const SystemInfo& system, int32_t current);

private:
    void SetPropertyValue(const PropertyDescriptor& d, const Variant& value);
    // Rejects or adjusts a converted value; loading skips the checks that need items or columns.
    void ApplyValueRule(const PropertyDescriptor& d, StoredValue& value, bool loading) const;
    void RunSetRule(const PropertyDescriptor& d);
    void RunLoadFollowUp(LoadFollowUp step);
    void ReadPropertiesInOrder(const PropertyBag& bag);
    // The end of both initialisation paths: layout values, end update, loaded, registration.
    void FinishLoading();
    void CheckAllItemsForExpandingRow(bool state);

    // Property hooks, each called at exactly the moments the behaviour names.
    void RebuildBackground();        // rebuild the background cache
    void ApplyEffectiveScheme();     // effective scheme from AutoSelectTheme/Theme, to the bars
    void ApplyMetricSize(bool readSystemSize);  // metric size to the bars
    void LayoutAsOnResize();         // the resize sequence without a size change
    void RecomputeLayoutValues();    // header height, image strips, background cache
    void UpdateToolTipTimers();      // tooltip timer intervals from the two properties
    void ApplyEditBoxColors();       // edit box colours from the two properties
    void ApplyEnabled();             // surface, both scroll bars and the window
    void ClearSurfacePicture();      // the drawing surface's own picture becomes empty
    void SetVerticalScrollValue(int32_t value);

    AppliedProperties applied_;
    PropertyHookCounters propertyHooks_;
};

}  // namespace glv
