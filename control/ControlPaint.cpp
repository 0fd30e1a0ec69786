// The paint handler and the paint pass, BeginUpdate/EndUpdate, the resize sequence and the
// background cache rebuild: every change that affects the picture ends here. The steps the pass
// runs are plain functions in render/.
#include <algorithm>
#include <stdexcept>

#include "control/GlideListView.h"
#include "platform/GeometryLimits.h"
#include "render/Background.h"
#include "render/Fonts.h"
#include "render/HeaderPainter.h"
#include "render/PageLayout.h"
#include "render/PaintPass.h"
#include "render/RowPainters.h"
#include "render/Themes.h"
#include "sort/SortTypes.h"

namespace glv {

// --- the control's surface ----------------------------------------------------------------------

namespace {

// A surface of the window's size; a size no surface can have leaves an empty one, on which
// every pass draws nothing.
Surface SurfaceOfSize(int32_t width, int32_t height) {
    try {
        return Surface(ClampSurfaceSide(width), ClampSurfaceSide(height));
    } catch (const std::invalid_argument&) {
        return Surface();
    }
}

// The page layout's storage, kept between passes so that a warm pass allocates nothing. A pass
// takes it and hands it back, so a pass started inside another (a host painting from an event)
// only loses the reuse.
class PageStorage {
public:
    PageStorage() : page_(std::move(Spare())) { page_.Clear(); }
    ~PageStorage() { Spare() = std::move(page_); }
    PageStorage(const PageStorage&) = delete;
    PageStorage& operator=(const PageStorage&) = delete;
    PageLayout& page() { return page_; }

private:
    static PageLayout& Spare() {
        static thread_local PageLayout spare;
        return spare;
    }
    PageLayout page_;
};

}  // namespace

void GlideListView::InitRendering(int32_t width, int32_t height) {
    surface_ = SurfaceOfSize(width, height);
    hdc_ = platform_.deviceContexts.Register(surface_);
}

void GlideListView::ReleaseRendering() {
    platform_.deviceContexts.Unregister(hdc_);
    hdc_ = 0;
}

// --- update suspension, resize, refresh ---------------------------------------------------------

void GlideListView::BeginUpdate() { view_.paintingEnabled = false; }

void GlideListView::EndUpdate() {
    view_.paintingEnabled = true;
    Repaint();
    SyncScrollBars();  // vertical, then horizontal
    Repaint();
}

void GlideListView::Resize(int32_t width, int32_t height) {
    if (view_.terminating) return;
    WindowPlacement placement = platform_.windows.Placement(hwnd_);
    // Each side is clamped to 0..kMaxSurfaceSide (8192 pixels), what a surface can hold, so the
    // window, its surface and the layout always agree on one size.
    placement.width = ClampSurfaceSide(width);
    placement.height = ClampSurfaceSide(height);
    platform_.windows.SetPlacement(hwnd_, placement);
    if (surface_.Width() != placement.width || surface_.Height() != placement.height) {
        Surface resized = SurfaceOfSize(placement.width, placement.height);
        resized.ContinuePaintSerial(surface_);
        surface_ = std::move(resized);
    }
    LayoutAsOnResize();
    ResizeExpandingRow();
}

void GlideListView::LayoutAsOnResize() {
    if (view_.terminating) return;
    const int32_t w = surface_.Width();
    const int32_t h = surface_.Height();
    render_.clientRect = RECT{1, frame_.headerHeight + 1, w - 2, h - 2};
    background_.SetSize(w, h);
    SyncScrollBars();  // lays the bars out, then vertical and horizontal synchronisation
    RebuildBackground();  // under Ledger without the picture
    Repaint();
}

// --- background cache ---------------------------------------------------------------------------

void GlideListView::RebuildBackground() {
    const BackgroundSpec desc{frame_.headerHeight, applied_.effectiveTheme, frame_.vScrollVisible,
                              frame_.hScrollVisible};
    RebuildBackgroundCache(background_, desc, props_, platform_.system);
}

void GlideListView::RecomputeLayoutValues() {
    if (!strips_.HasCheckBoxes() || !strips_.HasGlyphs()) RebuildPartStrips(strips_);
    RecomputeHeaderHeight();
    RebuildBackground();
}

// --- the pass -----------------------------------------------------------------------------------

void GlideListView::Repaint() {
    if (view_.terminating) return;
    if (paintBatchDepth_ > 0) {
        paintPending_ = true;
        return;
    }
    PaintPass();
}

void GlideListView::PaintPass() {
    if (!view_.paintingEnabled) return;
    DrawPage();
    surface_.FinishPaint();
}

void GlideListView::DrawPage() {
    Surface& surface = surface_;
    const SystemInfo& system = platform_.system;
    const IconTarget icons{platform_, surface, hdc_, container_.TwipsPerPixelX,
                           container_.TwipsPerPixelY, props_.SelectBackColor};
    const SlotIconPainter smallIcons(icons, imageLists_[LVSmallIcon]);
    RowStyle rows = MakeRowStyle(props_, system, view_.hasFocus, ItemInEdit() != -1,
                                 surface.Width());
    rows.smallIcons = &smallIcons;
    rows.strips = &strips_;
    const bool paintsRows = columns_.Count() >= 1 && items_.Count() >= 1;
    PageStorage storage;
    PageLayout& page = storage.page();
    if (columns_.Count() >= 1) LayoutColumnEdges(columns_, 1 + render_.leftOffset - render_.hScrollOffset);
    // The rows are laid out first, so the background is copied only where no cell fills.
    if (paintsRows) LayOutRows(rows, page);
    CopyBackground(surface, background_, page);
    if (columns_.Count() >= 1) {
        const SlotIconPainter headerIcons(icons, imageLists_[LVHeaderImages]);
        glv::HeaderStyle header = MakeHeaderStyle(props_, system, applied_.effectiveTheme,
                                                  frame_.headerHeight, render_.headerTextHeight,
                                                  render_.headerImageHeight);
        header.icons = &headerIcons;
        PaintHeaderPass(header);
        // A row whose height overflows stops the pass where it is.
        if (paintsRows && !PaintRows(rows, page)) return;
        if (props_.GridColumnLines && columns_.Count() >= 2) {
            const COLORREF color = system.Resolve(props_.GridLineColor);
            if (page.columnLinesDrawnTo > 0) {
                // The rows drew their bands' part; what is above and below them is left.
                DrawColumnLineBand(surface, columns_, frame_.headerHeight, frame_.headerHeight,
                                   page.rows.front().top, color);
                DrawColumnLineBand(surface, columns_, frame_.headerHeight, page.columnLinesDrawnTo,
                                   surface.Height(), color);
            } else {
                DrawColumnLines(surface, columns_, frame_.headerHeight, color);
            }
        }
    }
    if (frame_.vScrollVisible && frame_.hScrollVisible)
        FillCorner(surface, frame_.scrollBarSize, props_.RightToLeft,
                   system.Resolve(props_.CornerBackColor));
    DrawBorder(surface, SchemeBorderColor(applied_.effectiveTheme, props_.DefaultBorderColor,
                                          props_.BorderColor, system));
}

// The columns' edges are laid out by the pass before it comes here.
void GlideListView::PaintHeaderPass(const glv::HeaderStyle& style) {
    if (props_.HideColumnHeaders) return;
    // A sorted column below 1 shows its caret on the first column (HeaderShowsCaret); the
    // property itself keeps what the host set, since a paint changes no property.
    const COLORREF caretColor = platform_.system.Resolve(props_.CaratColor);
    for (int32_t i = 1; i <= columns_.Count(); ++i) {
        const tColHeaderInfo& column = columns_.Column(i);
        const HeaderCellState cell{column.cHCollX, column.cHCollXSplit,
                                   i == input_.pressedColumn, i == input_.hotColumn};
        ColumnFont(column, scratchFont_);
        PaintHeaderCell(surface_, platform_.text, style, column, cell, scratchFont_);
        if (!HeaderShowsCaret(props_.AllowSorting, props_.AllowColumnSorting, props_.SortedColumn,
                              i, columns_.Ext(i).ShowCaret))
            continue;
        const SortCaret caret{column.cHCollX,
                              column.cHWidth,
                              style.headerHeight,
                              column.cHHAlignment == LVColumnHeaderAlignRight,
                              props_.SortOrder == LVSortOrderDescending,
                              input_.pressedColumn != -1,
                              caretColor};
        PaintSortCaret(surface_, caret);
    }
}

void GlideListView::LayOutRows(const RowStyle& style, PageLayout& page) {
    page.pageCount = ComputePageCount();
    page.rows.reserve(static_cast<size_t>(std::max(page.pageCount, 0)) + 1);
    page.copies.reserve(page.rows.capacity());
    const RowHeightRules rules = CurrentRowHeightRules();
    const bool expanding = props_.ExpandingRow && expandingRow_.attached && expandingRow_.row;
    const int32_t gridLine = props_.GridLines ? 1 : 0;
    int32_t top = frame_.headerHeight + 1;
    // Hidden rows are stepped over without being looked at.
    for (int32_t i = items_.NextShown(view_.topIndex); i != 0 &&
                                                       static_cast<int32_t>(page.rows.size()) <= page.pageCount;
         i = items_.NextShown(i + 1)) {
        PageRow row;
        row.index = i;
        row.top = top;
        row.full = items_.FullRecord(i);
        if (!row.full) {
            if (page.copiesUsed == page.copies.size()) page.copies.emplace_back();
            row.copy = static_cast<int32_t>(page.copiesUsed++);
            items_.CopyInto(i, page.copies[static_cast<size_t>(row.copy)]);
        }
        const tListItemInfo& item = page.Item(row);
        if (expanding && item.cLISelected) {
            // The selected item's place is the expanding row's.
            row.kind = PageRow::Kind::ExpandingRow;
            row.height = expandingRow_.heightPx;
        } else {
            const tItemGroupInfo& group = items_.Group(i);
            ItemFont(item, rowFont_);
            row.textHeight = MeasureTextHeight(platform_.text, rowFont_);
            const std::optional<int32_t> height = RowHeight(item, group, row.textHeight, rules);
            if (!height) {
                page.overflowed = true;
                return;
            }
            row.height = *height;
            row.kind = group.GroupHeader ? PageRow::Kind::GroupHeader : PageRow::Kind::Item;
            if (row.kind == PageRow::Kind::Item)
                AddRowBackgrounds(page.covered, style, item, i, columns_, surface_.Width(),
                                  {row.top, row.height, row.textHeight});
        }
        page.rows.push_back(row);
        top += row.height + gridLine;
    }
}

bool GlideListView::PaintRows(const RowStyle& style, PageLayout& page) {
    const COLORREF gridColor = platform_.system.Resolve(props_.GridLineColor);
    const tColHeaderInfo& firstColumn = columns_.Column(1);
    const CellSpan firstCell{firstColumn.cHCollX, firstColumn.cHCollXSplit};
    ParkExpandingRow(page.pageCount);
    // The column lines go over the rows. Drawn over each row's band as soon as the row is
    // painted, they land while the band is still in the cache instead of fetching a line of
    // memory for every pixel of a whole frame's height afterwards. That gives the same picture
    // as long as no row paints above its own top: item rows never do, but a group header's
    // caption and glyph may rise above a short row, so a page with one draws them whole at
    // the end, as does a page too short for the lines.
    const int32_t gridLine = props_.GridLines ? 1 : 0;
    const bool linesByBand =
        props_.GridColumnLines && columns_.Count() >= 2 && frame_.headerHeight < surface_.Height() - 3 &&
        !page.overflowed && !page.rows.empty() &&
        std::none_of(page.rows.begin(), page.rows.end(),
                     [](const PageRow& r) { return r.kind == PageRow::Kind::GroupHeader; });
    page.columnLinesDrawnTo = 0;
    for (const PageRow& at : page.rows) {
        tListItemInfo& item = page.Item(at);
        const RowMetrics row{at.top, at.height, at.textHeight};
        if (at.kind == PageRow::Kind::ExpandingRow) {
            PlaceExpandingRow(at.top);
        } else if (at.kind == PageRow::Kind::GroupHeader) {
            ItemFont(item, rowFont_);
            PaintGroupHeaderRow(surface_, platform_.text, style, item, items_.Group(at.index),
                                firstColumn.cHCollX, row, rowFont_);
        } else {
            ItemFont(item, rowFont_);
            PaintItemCell(surface_, platform_.text, style, item, at.index, firstCell, row, rowFont_);
            if (!item.cLIOverLap)
                PaintSubItems(surface_, platform_.text, style, item, columns_, row, scratchFont_);
        }
        // Where the copy was placed is kept afterwards.
        if (!at.full && at.kind != PageRow::Kind::ExpandingRow) items_.KeepGeometry(at.index, item);
        if (props_.GridLines) DrawRowGridLine(surface_, at.top + at.height, gridColor);
        if (linesByBand) {
            const int32_t bottom = at.top + at.height + gridLine;
            DrawColumnLineBand(surface_, columns_, frame_.headerHeight, at.top, bottom, gridColor);
            page.columnLinesDrawnTo = bottom;
        }
    }
    return !page.overflowed;
}

}  // namespace glv
