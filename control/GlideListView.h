#pragma once
// GlideListView: the owner-drawn report-view list control.
//
// The host creates it on a Container with the Platform, sets properties, fills it with columns
// and items, feeds it input and pumps the clock. Behaviour is split by subsystem (core/, render/,
// input/, sort/, scrollbar/); this class holds the shared state and is the host's façade. Its
// members are defined in control/, one file per subsystem.
//
// This header, in order:
//   public   lifetime and host ..... construction, loading, the event sink, the window
//            state queries ......... read-only answers from the private state (top index,
//                                    header height, effective theme, stored values)
//            items, columns ........ adding, removing, checked record access
//            properties ............ by name, typed accessors, persistence (Properties*.cpp)
//            painting and page ..... update suspension, resize, page functions, image lists
//            themes and focus ...... (ThemeEvents.cpp)
//            input ................. the window's handlers (MouseInput, KeyInput, InputRouting)
//            sorting ............... (ControlSort.cpp)
//            collections and bulk .. field writes, bulk operations and queries (BulkOps.cpp)
//            popups ................ tooltips, context menu, drag and drop
//            scroll bars ........... (ListScrolling.cpp)
//            dispatch .............. (ControlDispatch.cpp)
//   private  the state structs, the hooks by subsystem, then the state in construction order;
//            tests reach the state through tests/support/control_access.h only

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ColumnStore.h"
#include "core/ItemRecords.h"
#include "core/ItemStore.h"
#include "core/PropertyTable.h"
#include "core/PropertyValues.h"
#include "core/RecordObjects.h"
#include "platform/Container.h"
#include "platform/MemDC.h"
#include "platform/Platform.h"
#include "platform/Surface.h"
#include "input/ColumnGesture.h"
#include "input/HitTest.h"
#include "input/InputState.h"
#include "input/Keyboard.h"
#include "input/MessageRouter.h"
#include "input/Selection.h"
#include "input/ToolTipState.h"
#include "platform/WindowTimer.h"
#include "render/ImageLists.h"
#include "render/Layout.h"
#include "render/PartStrips.h"

namespace glv {

class GlideListViewEvents;
class PropertyBag;
class cListItems;
class cColumns;
struct RowStyle;
struct HeaderStyle;
struct PageLayout;
enum class SortResult : int;  // sort/SortEngine.h
class GlideVScroll;
class EditBox;
class GlideHScroll;
struct ListScrollState;
struct SortWorkspace;
class DataObject;
class Form;
class GlideExpandingRow;
class PopupMenu;
class TooltipWindow;

// View state shared by layout, painting, input and scrolling. The selection part (current item,
// last selected row, the cached selected count and the click flags) is the selection rules'
// own state (input/Selection.h).
struct ViewState : SelectionState {
    int32_t topIndex = 0;          // first row on the page; 0 until the first item arrives
    bool paintingEnabled = false;  // false between BeginUpdate and EndUpdate
    bool hasFocus = false;
    bool loaded = false;           // an initialisation path has finished
    bool terminating = false;      // paint and resize requests are ignored from now on
};

class GlideListView final : public ControlInput {
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

    // --- state queries ---------------------------------------------------------------------------
    // The value structs the subsystems share stay private; hosts read them through these
    // queries, the typed property accessors and the checked record access.
    const Locale& locale() const;

    int32_t TopIndex() const { return view_.topIndex; }
    int32_t DefaultItemHeight() const { return defaultItemHeight_; }

    // The height of "Wg" in a font: the basis of every row height.
    int32_t TextHeight(const StdFont& font) const;

    int32_t HeaderHeight() const { return frame_.headerHeight; }
    // The scheme the control draws: Theme, or with AutoSelectTheme the one detected from the
    // system.
    int32_t EffectiveTheme() const { return applied_.effectiveTheme; }
    // The property value stored for a row of the property table, also for the rows no property
    // reaches (values only the property bag holds). Read-only; the table's own tools use it.
    StoredValue StoredProperty(const PropertyDescriptor& d) const;

    // --- items -----------------------------------------------------------------------------------
    int32_t ItemCount() const { return items_.Count(); }
    int32_t VisibleItemCount() const { return items_.VisibleCount(); }
    int32_t NewIndex() const { return newIndex_; }
    // Makes room for count items ahead of a bulk load, so the adds that follow never reallocate
    // the item arrays. A negative count is ignored.
    void ReserveItems(int32_t count);

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

    // --- columns ---------------------------------------------------------------------------------
    int32_t ColumnCount() const { return columns_.Count(); }
    int32_t AddColumn(const std::string& caption, int16_t icon, int32_t width);
    int32_t AddColumnEx(const ColumnSpec& def);
    const tColHeaderInfo& ColumnRecord(int32_t index) const;
    int32_t ColumnsTotalWidth() const { return columns_.TotalWidth(); }
    // Column reordering with the cells (control/ColumnDrag.cpp, rules in core/ColumnReorder.h).
    // Both take indexes 1..column count and answer false, changing nothing, for any other or
    // for the same index twice. SwapColumns leaves the repaint to the host (Refresh);
    // MoveColumn repaints.
    bool SwapColumns(int32_t column1, int32_t column2);
    bool MoveColumn(int32_t column1, int32_t column2);

    // --- properties (by name) --------------------------------------------------------------------
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

    // --- painting --------------------------------------------------------------------------------
    // BeginUpdate stops painting until EndUpdate (calls do not nest); EndUpdate paints, brings
    // the scroll bars up to date and paints again.
    void BeginUpdate();
    void EndUpdate();
    // The control's window changed size: lay out, resize the background, synchronise the
    // scroll bars, rebuild the background and paint.
    void Resize(int32_t width, int32_t height);
    int32_t Width() const { return platform_.windows.Placement(hwnd_).width; }
    int32_t Height() const { return platform_.windows.Placement(hwnd_).height; }

    // Rendering: Layout, the paint pass and the image lists (render/). The control draws on its own
    // surface, sized with its window; each pass starts from the background cache.
    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }
    // The surface's device-context handle, for objects that draw by hDC.
    HDC hDC() const { return hdc_; }
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

    // The header band's height (HeaderHeight(), above), computed when the properties are
    // initialised or read and when Columns.Add adds a column; 0 with hidden headers.
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

    // --- themes and focus ------------------------------------------------------------------------
    // The control gained or lost the keyboard focus: HasFocus follows and the rows repaint in
    // their focused or unfocused selection colours.
    void GotFocus();
    void LostFocus();
    bool HasFocus() const { return view_.hasFocus; }

    // --- input (control/MouseInput.cpp, control/KeyInput.cpp, control/InputRouting.cpp) -----------
    // The runtime's handlers of the control's window, which its message router calls; a host
    // or a test may call them directly too. Coordinates are client pixels. Nothing here raises
    // an error to the host, and everything is skipped while Enabled is False.
    void OnMouseDown(int16_t button, int16_t shift, float x, float y) override;
    void OnMouseMove(int16_t button, int16_t shift, float x, float y) override;
    void OnMouseUp(int16_t button, int16_t shift, float x, float y) override;
    void OnClick() override;
    void OnDblClick() override;
    void OnKeyDown(int16_t& keyCode, int16_t shift) override;
    void OnKeyPress(int16_t& keyAscii) override;
    void OnKeyUp(int16_t& keyCode, int16_t shift) override;
    void OnGotFocus() override;
    void OnLostFocus() override { LostFocus(); }
    // The hooked messages: key state, the leave timer, the wheel and the visual-style change.
    void OnKeyMessage(bool altContext, bool ctrlDown) override;
    void OnHookedMouseMove() override;
    void OnHookedTimer(intptr_t id) override;
    void OnWheel(int16_t delta) override;
    void OnThemeChanged() override { SystemThemeChanged(); }
    // The system's visual style changed (the theme-change message): with AutoSelectTheme the
    // scheme is detected again and, when it differs, drawn from now on.
    void SystemThemeChanged();

    // --- sorting ---------------------------------------------------------------------------------
    // Code in ControlSort.cpp. A sort moves whole item records; group records and every
    // stored index (TopIndex, current item) stay with their positions.

    // The control's Sort method: nothing when AllowSorting is False, else SortColumn.
    void Sort(int32_t lColumn, int32_t sortOrder);
    // Sorts every item by a column (cColumn.Sort, whatever AllowSorting is). A column outside
    // 1..column count raises code 8 and changes nothing. Otherwise SortedColumn and SortOrder
    // take the new values, the items are sorted, SortColumnChanged and then SortOrderChanged are
    // raised for what changed, and the control repaints, also when the sort failed or the
    // column's sort type orders nothing.
    void SortColumn(int32_t column, int32_t sortOrder);
    // cListItems.Sort: sorts items first..last by a column. Nothing happens unless
    // 1 <= first < last <= item count; a column outside the columns (0 when omitted) fails the
    // sort. Repaints unless the sort failed; no events; SortedColumn and SortOrder stay.
    void SortItems(int32_t firstListIndex, int32_t lastListIndex, int16_t column, int32_t sortOrder);
    // The step every sort shares, for callers that have settled column and order themselves
    // (header clicks): orders items first..last by the column's sort type. No events, no repaint;
    // Failed for a column or range outside the list.
    SortResult OrderItems(int32_t first, int32_t last, int32_t column, int32_t sortOrder);

    // --- collections, field accessors and bulk operations ----------------------------------------
    // The element objects (control/Collections.h) forward here; the bulk operations are in
    // BulkOps.cpp.

    // A new collection object on this control's window.
    std::shared_ptr<cListItems> ListItems() const;
    std::shared_ptr<cColumns> Columns() const;

    // Field writes as the host sees them: the index is checked, then the record is handed out to
    // be changed; FieldWritten afterwards repaints when painting is enabled. Reads go through
    // ItemRecord, GroupRecord, SubItemRecord and ColumnRecord, which fail with error 9 outside
    // the arrays.
    tListItemInfo& ItemForWrite(int32_t index);    // 1..item count, else code 6 (GlideListView)
    tItemGroupInfo& GroupForWrite(int32_t index);  // idem
    // checkItemIndex: the item index must be in 1..item count (code 8); otherwise only the
    // stored arrays bound the indexes (error 9).
    tSubListItemInfo& SubItemForWrite(int32_t index, int32_t subIndex, bool checkItemIndex);
    // A cell's tag or alignment (column 1: the item's own fields, column c: sub-item c - 1)
    // written without handing out the record, so that a row loaded compact stays compact. The
    // checks and errors are ItemForWrite's for column 1, SubItemForWrite's (item index checked)
    // otherwise.
    void SetCellTag(int32_t index, int32_t column, const SharedString& tag);
    void SetCellAlignment(int32_t index, int32_t column, int32_t align);
    tColHeaderInfo& ColumnForWrite(int32_t index);        // 1..column count, else code 8
    tColHeaderExtInfo& ColumnExtForWrite(int32_t index);  // idem
    const tColHeaderExtInfo& ColumnExtRecord(int32_t index) const;  // error 9 outside
    void FieldWritten();
    // A sub-item icon was set: an item without an icon of its own grows to the small-icon height.
    void SubItemIconChanged(int32_t index);

    // cListItem.Edit: with AllowEdit on, for a shown item, deselects all, scrolls the item into
    // view, begins editing it and makes it the selected, current item. Anything else does nothing.
    void EditItem(int32_t index);

    bool IsAnyChecked() const;
    bool IsAnySelected() const;
    // Deletes items and group headers, asking the host (GroupBeforeDelete, BeforeItemDelete).
    void ItemsDeleteAll();
    // Deletes the selected items with prompting, then scrolls to the top.
    void ItemsDeleteSelected();
    // The prompting delete of the selected items (not group headers); false when the host
    // answered LVNoToAll, which stops at once.
    bool DeleteSelectedWithPrompting();
    void ItemsDeselectAll();
    void ItemsSelectAll();
    void ItemsCheckAll(bool state);
    // In-place editing (control/InPlaceEdit.cpp): the item whose text is being edited, -1 when
    // none; CancelEdit closes an open edit without storing and raises CancelItemEdit.
    int32_t ItemInEdit() const;
    void CancelEdit();
    // The in-place edit box, a child window of the control (hidden at rest).
    EditBox& ItemEditBox();
    void ItemsDisableAll();
    void ItemsEnableAll();
    void ItemsSelectRange(int32_t itemFrom, int32_t itemTo);
    bool IsVScrollVisible() const { return frame_.vScrollVisible; }
    bool IsHScrollVisible() const { return frame_.hScrollVisible; }
    int32_t ColumnsVisibleWidth() const;
    RECT ClientArea() const;
    // Ends in the paint handler, like every change that affects the picture.
    void Refresh();
    bool AltKeyStatus() const { return input_.altKeyStatus; }
    bool CtrlKeyStatus() const { return input_.ctrlKeyStatus; }
    int32_t hWndToolTip(int32_t hwnd) const;
    // Copies of the records, in index order, as they are now; each made when it is read.
    ItemRecords SelectedItems() const;
    ItemRecords CheckedItems() const;
    int32_t SelectedCount();  // selected and visible; also refreshes the cached count
    // The selected count the selection rules keep up to date as they go, read without the
    // recount SelectedCount makes (a status line can ask it every frame at a million items).
    int32_t CachedSelectedCount() const { return view_.selectedCount; }
    int32_t CheckedCount() const;
    int32_t SelectedIndex();
    void SetSelectedIndex(int32_t index);
    int32_t CheckedIndex() const;
    bool Selected(int32_t index) const;  // error 9 outside the list
    bool SelectState(int32_t index) const;
    void SetSelectState(int32_t index, bool state);
    bool CheckedState(int32_t index) const;
    void SetCheckedState(int32_t index, bool state);
    void SetSelectAll(bool state);
    void SetCheckAll(bool state);
    // Raw select: keeps the selected count; no repaint, no event; other indexes are ignored.
    void RawSelect(int32_t index, bool value);

    // --- tooltips, context menu, drag and drop ----------------------------------------------------
    // (ToolTips.cpp, ContextMenu.cpp, OleDrag.cpp.) The windows that pop up over the form (the
    // tooltip, the menu) find the form through the control's parent; on no form none shows.
    const ToolTipState& ToolTipStatus() const;
    // The tooltip window while one is loaded, else nullptr.
    const TooltipWindow* ToolTipWindow() const;
    // The context menu while it is open, else nullptr.
    PopupMenu* OpenContextMenu();
    // The expanding row (ExpandingRow.cpp): adopts a host's row control as the band shown under
    // the current item, replacing and releasing the one attached before; nullptr releases only.
    void SetExpandingRowRTControls(const std::shared_ptr<GlideExpandingRow>& ctrlRow);
    const std::shared_ptr<GlideExpandingRow>& AttachedExpandingRow() const { return expandingRow_.row; }
    // Starts a drag from the control's window (the OLEDrag method).
    void OLEDrag();
    bool OleDragInProgress() const;

    // --- scroll bars -----------------------------------------------------------------------------
    // The two scroll bars, child windows of the control, and the list's side of their coupling:
    // when they show, what they are told, and what their events do (ListScrolling.cpp).
    GlideVScroll& VScrollBar();
    GlideHScroll& HScrollBar();
    // The repaint timer (Timer1, 2 ms): while it runs, every tick repaints the list.
    void StartRepaintTimer();
    void StopRepaintTimer();
    bool RepaintTimerRunning() const;

    // --- dispatch --------------------------------------------------------------------------------
    // The control as an automation object: every public member by name (control/ControlDispatch.cpp).
    ObjectPtr DispatchObject();

private:
    // --- state structs -----------------------------------------------------------------------------
    // What the bulk queries read of the scroll bar windows. The scroll bars write it as they
    // change.
    struct FrameState {
        int32_t headerHeight = 0;
        int32_t scrollBarSize = 17;  // pixels reserved for a visible scroll bar (system size)
        bool vScrollVisible = false;
        bool hScrollVisible = false;
        HWND vScrollHwnd = 0;
        HWND hScrollHwnd = 0;
    };

    // What the property setters have handed on to the parts that use them (edit box, tooltip
    // timers, drawing surface) and the scheme actually drawn. Those parts read it from here; the
    // scroll bars keep their own theme, metric size and enabled state.
    struct AppliedProperties {
        int32_t effectiveTheme = XPBlue;  // the scheme actually drawn
        int32_t toolTipPreInterval = 1000;   // ms
        int32_t toolTipPostInterval = 3000;  // ms
        OLE_COLOR editBackColor = 0x8000000D;
        OLE_COLOR editForeColor = 0xFFFFFF;
        OLE_COLOR surfaceBackColor = 0xFFFFFF;
    };

    // What the scroll bars and the mouse hand the paint pass, and what it keeps between passes
    // (the header height and the scroll bars' visibility and size are in frame_).
    struct RenderState {
        int32_t headerTextHeight = 0;   // for the header painter
        int32_t headerImageHeight = 0;  // for the header painter
        int32_t pageCount = 0;          // the last page count computed
        int32_t hScrollOffset = 0;      // horizontal scroll position in pixels
        int32_t leftOffset = 0;         // where the scroll bar layout starts the list area
        int32_t hScrollBand = 0;        // the horizontal bar's height while it is shown, else 0
        RECT clientRect;                // refreshed on each resize
    };

    // --- items (hooks) ---------------------------------------------------------------------------
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

    // --- properties (hooks) ----------------------------------------------------------------------
    void SetPropertyValue(const PropertyDescriptor& d, const Variant& value);
    // Rejects or adjusts a converted value; loading skips the checks that need items or columns.
    void ApplyValueRule(const PropertyDescriptor& d, StoredValue& value, bool loading) const;
    void RunSetRule(const PropertyDescriptor& d);
    void RunLoadFollowUp(LoadFollowUp step);
    void ReadPropertiesInOrder(const PropertyBag& bag);
    // The end of both initialisation paths: layout values, end update, loaded, registration.
    void FinishLoading();

    // Property hooks, each called at exactly the moments the behaviour names.
    void RebuildBackground();        // rebuild the background cache
    void ApplyEffectiveScheme();     // effective scheme from AutoSelectTheme/Theme, to the bars
    void ApplyMetricSize(bool readSystemSize);  // metric size to the bars
    void LayoutAsOnResize();         // the resize sequence without a size change
    void RecomputeLayoutValues();    // header height, image strips, background cache
    void UpdateToolTipTimers();      // tooltip timer intervals from the two properties
    void ApplyEditBoxColors();       // edit box colours from the two properties
    void ApplyEnabled();             // surface, both scroll bars and the window

    // --- input (hooks) ----------------------------------------------------------------------------
    void InitInput();
    void ReleaseInput();
    // The message hooks start with a host's user mode and end with the control.
    void AttachMessageHooks();
    void DetachMessageHooks();
    bool ExpandingMode() const;
    HitGeometry CurrentHitGeometry() const;
    // Steps 1 to 3 of a selecting click on row r; false when the press ends there.
    bool SelectingClick(int32_t r, int16_t shift);
    // The Delete key with AllowDelete on.
    void DeleteSelection();
    // Moves TopIndex and the vertical bar together.
    void ScrollTopTo(int32_t top);
    void KeyDownTail(int32_t rowAtStart);
    // Raisers: each flushes a deferred repaint first (host code sees the picture as it is), then
    // raises the full event and its Alt twin; an item's selected flag is re-read afterwards, as
    // the host may have written it through the record.
    tListItemInfo& ItemOrEmpty(int32_t index);
    void AfterItemEvent(int32_t index);
    void RaiseItemMouse(bool down, int16_t button, int16_t shift, float x, float y, int32_t index);
    void RaiseSubItemMouse(bool down, int16_t button, int16_t shift, float x, float y, int32_t index,
                           int32_t sub);
    void RaiseGroupHeaderMouse(bool down, int32_t row, int16_t button, int16_t shift, float x, float y);
    void RaiseColumnMouse(int kind, int16_t button, int16_t shift, float x, float y, int32_t column);
    void RaiseItemClick(int32_t index);
    void RaiseSelectedIndexChanged();
    // Column resizing and dragging (control/ColumnDrag.cpp). The press starts them, the move
    // feeds them (true: the move is theirs and goes no further), the repaint timer animates them
    // and the release ends the drag.
    void BeginColumnResize(float x);
    void BeginColumnDrag(int32_t column, float x);
    bool ColumnGestureMove(int16_t button, float x);
    void StartColumnDrag();
    void FinishColumnDrag(float x);
    // The repaint timer's tick: a repaint, and while a column is dragged, its image over it.
    void OnRepaintTick();
    // In-place editing (control/InPlaceEdit.cpp).
    friend class EditBoxSink;
    void InitEditing();
    // Begins editing row r as a second click does (AllowEdit, BeforeItemEdit, the box placed
    // over the row's text and focused).
    void BeginEdit(int32_t row);
    // What Enter does: a pending cancel becomes CancelItemEdit, anything else commits.
    void RequestCommit();
    void CommitEdit();
    void CloseEditBox();
    void OnEditKeyDown(int32_t& keyCode, int32_t shift);
    void OnEditKeyPress(int32_t& keyAscii);
    void OnEditKeyUp(int32_t& keyCode, int32_t shift);
    void OnEditLostFocus();
    // Repaints asked for while a handler runs are made once, before the next event reaches the
    // host and when the handler returns: the host never sees a stale picture, and a click that
    // asks for four repaints pays for one.
    class PaintBatch {
    public:
        explicit PaintBatch(GlideListView& list) : list_(list) { ++list_.paintBatchDepth_; }
        ~PaintBatch() {
            if (--list_.paintBatchDepth_ == 0) list_.FlushPaint();
        }
        PaintBatch(const PaintBatch&) = delete;
        PaintBatch& operator=(const PaintBatch&) = delete;

    private:
        GlideListView& list_;
    };
    void FlushPaint();
    // --- tooltips, context menu, drag and drop (hooks) --------------------------------------------
    void InitToolTips();
    void InitOleDrag();
    // Windows and timers go with the control, before the window they belong to.
    void ReleasePopups() {
        toolTips_.reset();
        contextMenu_.reset();
        ole_.reset();
    }
    void ApplyToolTipIntervals();
    Form* HostForm() const;
    // Whether the in-place edit box is on screen; tooltips do not arm over an open edit.
    bool EditBoxVisible() const { return ItemInEdit() >= 1; }
    // The hover row changed to row >= 1.
    void ToolTipHoverRow(int32_t row);
    // The pointer is in the header band or has left the control.
    void CancelToolTips(bool onlyIfActive);
    void ShowContextMenu();
    void ContextMenuChosen(int32_t index);
    // The automatic drag start of a move below the header; true when a drag started.
    bool AutomaticOleDrag(float x, float y);
    // The expanding row in the paint pass: parked above or below the page when its item is
    // off the page, moved onto its item's row otherwise; and the width the list gives it.
    void ParkExpandingRow(int32_t pageCount);
    void PlaceExpandingRow(int32_t top);
    void ResizeExpandingRow();
    // With an expanding row in use the vertical bar reaches further: its height in rows of the
    // first item's height, less two (0 when no row is in use).
    int32_t ExpandingRowExtraRows() const;
    // The automatic drop: rows from the plain text of a dropped data object.
    void AutomaticDrop(DataObject& data);

    // --- rendering (hooks) -----------------------------------------------------------------------
    void InitRendering(int32_t width, int32_t height);
    void ReleaseRendering();
    // A pass draws the page and then counts the finished picture on the surface (PaintSerial).
    void PaintPass();
    void DrawPage();
    // The rows of the page from TopIndex, with the boxes their cells fill.
    void LayOutRows(const RowStyle& style, PageLayout& page);
    // Paints the laid-out rows; false when a row's height overflowed, which ends the pass.
    bool PaintRows(const RowStyle& style, PageLayout& page);
    // Step 3: lays every column's edges out, then draws the visible headers over the band.
    void PaintHeaderPass(const glv::HeaderStyle& style);
    void StoreHeaderHeight(int32_t height);
    PageFrame CurrentPageFrame() const;
    PageWalk RunPageWalk(PageWalkFor purpose);
    int32_t ComputePageCount();
    RowHeightRules CurrentRowHeightRules() const;
    // Scroll bar hook: the horizontal bar's state before a page walk (it sets the band).
    void RefreshHScrollState();

    // --- scroll bars (hooks) ---------------------------------------------------------------------
    friend class ListScrollSink;
    void InitScrollBars();
    // Places the bars along the right and bottom edges (the left edge with RightToLeft), flush
    // with the corner square between them.
    void LayoutScrollBars();
    // Shows or hides the vertical bar for the rows as they are and tells it their extent; then,
    // when asked, the horizontal bar; raises VScrollVisibleChanged when the bar really flipped.
    void SyncVerticalScrollBar(bool thenHorizontal);
    void SyncHorizontalScrollBar();
    void ShowVerticalBar(int32_t itemsPerPage);
    void HideVerticalBar();
    // The left offset of the columns, after the vertical bar moved.
    void UpdateScrollOffsets();
    bool ShownRowsFitFrom(int32_t start);
    // Whole rows of one page from TopIndex: downwards (direction 1) or upwards (0).
    int32_t PageItemsFrom(int32_t direction);
    // The list sets the vertical bar's value (no event), and counts wheel notches from it.
    void SetVScrollBarValue(int32_t value);
    // The bar's value that shows item index at the top: the bar counts shown rows only.
    int32_t ScrollValueOfItem(int32_t index) const;
    void ForwardScrollBarTheme(int32_t theme);
    void ForwardScrollBarMetric(int32_t metric);
    void ForwardScrollBarsEnabled(bool enabled);
    // Handlers of the bars' events and of the wheel.
    void OnScrollBarMouseDown();
    void OnVScrollChange(int32_t value);
    void OnHScrollChange(int32_t value);
    void OnScrollBarMouseUp(bool vertical);
    void OnMouseWheel(int32_t delta);

    // --- state, in construction order ------------------------------------------------------------
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

    // While a bulk deletion scans the list, each removal's scroll bar synchronisation is skipped
    // when it provably changes nothing a host sees (the vertical bar stays shown over the same
    // top row), and its repaint waits; the scan ends with one of each for whatever it skipped.
    struct BulkRemoval {
        int32_t depth = 0;      // scans running; a host may start one from inside another's event
        bool deferred = false;  // a removal's synchronisation or repaint is still owed
    } bulkRemoval_;
    void BeginBulkRemoval();
    void EndBulkRemoval();
    // The synchronisation and repaint one removal asks for, deferred inside a bulk deletion.
    void AfterRemoval();

    struct ExpandingRowLink {
        bool objectAttached = false;  // an expanding row object was handed to the control
        bool attached = false;        // the attached flag
        bool visible = false;
        std::shared_ptr<GlideExpandingRow> row;  // the host's row control, while attached
        int32_t heightPx = 0;                    // its height in pixels when it was attached
    } expandingRow_;

    struct DefaultsCache {
        bool valid = false;
        StdFont itemFont, subItemFont;
        NewItemDefaults defaults;
    } defaultsCache_;

    AppliedProperties applied_;

    // Whether the system offers visual styles at all, learnt once when the control is created:
    // a control created without them keeps its scheme whatever later theme changes say.
    bool visualStylesAvailable_ = false;
    FrameState frame_;
    // --- input (state) ---------------------------------------------------------------------------
    InputState input_;
    PointerGesture pointer_;
    KeyboardState keyboard_;
    tListItemInfo emptyItem_;  // the record item events carry where no item is hit
    int32_t paintBatchDepth_ = 0;
    bool paintPending_ = false;
    std::unique_ptr<MessageRouter> router_;
    std::unique_ptr<WindowTimer> leaveTimer_;  // window timer 1, 10 ms
    TimerId horizontalRepaintTimer_ = 0;       // 50 ms, repaints once
    // Each pop-up part lives in its own file; the deleters let this header name them only.
    class ToolTipLink;
    struct ToolTipLinkDeleter { void operator()(ToolTipLink* link) const; };
    std::unique_ptr<ToolTipLink, ToolTipLinkDeleter> toolTips_;
    class ContextMenuLink;
    struct ContextMenuLinkDeleter { void operator()(ContextMenuLink* link) const; };
    std::unique_ptr<ContextMenuLink, ContextMenuLinkDeleter> contextMenu_;
    class OleLink;
    struct OleLinkDeleter { void operator()(OleLink* link) const; };
    std::unique_ptr<OleLink, OleLinkDeleter> ole_;
    ColumnGestureState columnGesture_;
    struct InPlaceEditor;
    std::unique_ptr<InPlaceEditor> editor_;
    // Tests reach the control's internal state through this one helper (tests/support/).
    friend struct ControlTestAccess;

    Surface surface_;
    HDC hdc_ = 0;
    cMemDC background_;
    ImageListSlots imageLists_;
    PartStrips strips_;  // check boxes and group glyphs, built when the properties are loaded
    RenderState render_;
    // Font storage reused by every pass, so selecting a row's font allocates nothing.
    FontSpec rowFont_, scratchFont_;

    std::unique_ptr<ListScrollState> scroll_;
    // The sort's working memory, kept between sorts while the list has items (ControlSort.cpp).
    struct SortWorkspaceDeleter { void operator()(SortWorkspace* work) const; };
    std::unique_ptr<SortWorkspace, SortWorkspaceDeleter> sortWork_;
};

}  // namespace glv
