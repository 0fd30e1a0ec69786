#include "render/HeaderPainter.h"

#include <algorithm>

#include "core/PropertyValues.h"
#include "platform/GeometryLimits.h"
#include "render/CellPlacement.h"

namespace glv {

namespace {

constexpr uint32_t kDisabledTextState = 0x40021;
constexpr COLORREF kSeparatorDark = RGB(145, 155, 156);
constexpr COLORREF kSeparatorLight = RGB(255, 255, 255);
constexpr COLORREF kPressedFrame = RGB(207, 207, 192);

// The hover band starts near white and falls one step a line per channel until each channel
// reaches its floor.
constexpr COLORREF kHoverStart = RGB(252, 252, 254);
constexpr COLORREF kHoverFloor = RGB(244, 243, 238);
constexpr COLORREF kHoverLines[3] = {RGB(230, 139, 44), RGB(255, 200, 60), RGB(255, 199, 60)};

// Caret lines as (dy from yc, first x, end x) measured from the left base of a right-aligned
// column; other columns use the same shape 15 pixels left of the cell's right edge.
struct CaretLine {
    int32_t dy;
    int32_t from;
    int32_t to;
};
constexpr CaretLine kDescendingCaret[] = {{-2, 3, 10}, {-1, 4, 9}, {0, 5, 8}};
constexpr CaretLine kAscendingCaret[] = {{-2, 6, 7}, {-1, 5, 8}, {0, 4, 9}, {1, 3, 10}};
constexpr int32_t kCaretRightOffset = 15;

void Line(Surface& s, int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF c) {
    s.SetPen(c);
    s.MoveTo(x1, y1);
    s.LineTo(x2, y2);
}

COLORREF Resolve(const HeaderStyle& style, OLE_COLOR c) {
    return style.system != nullptr ? style.system->Resolve(c) : (c & 0x00FFFFFFu);
}

int32_t IconFor(const tColHeaderInfo& column, HeaderCellState cell) {
    return cell.pressed ? column.cHIconPress : cell.hot ? column.cHIconHover : column.cHIcon;
}

}  // namespace

HeaderStyle MakeHeaderStyle(const PropertyValues& props, const SystemInfo& system, int32_t theme,
                            int32_t headerHeight, int32_t textHeight, int32_t imageHeight) {
    HeaderStyle style;
    style.headerHeight = headerHeight;
    style.textHeight = textHeight;
    style.imageHeight = imageHeight;
    style.controlEnabled = props.Enabled;
    style.hoverEffect = props.HeaderHoverEffect;
    style.pressed = SchemeFor(theme).pressed;
    style.pressedBase = PressedBase(style.pressed, system);
    style.embossed.highlight = system.Resolve(kSystemColorFlag | syscolor::kBtnHighlight);
    style.embossed.shadow = system.Resolve(kSystemColorFlag | syscolor::kBtnShadow);
    style.system = &system;
    return style;
}

void PaintHeaderSeparator(Surface& surface, int32_t right, int32_t hh) {
    Line(surface, right, 3, right, hh - 3, kSeparatorDark);
    Line(surface, right + 1, 3, right + 1, hh - 3, kSeparatorLight);
}

void PaintPressedHeader(Surface& surface, const HeaderStyle& style, int32_t left, int32_t right) {
    const int32_t hh = style.headerHeight;
    const COLORREF base = style.pressedBase;
    for (int32_t y = 2; y <= hh; ++y)
        Line(surface, left, y, right, y, PressedLineColor(style.pressed, base, y, hh));
    surface.FrameRect({left, 2, right, hh + 1}, kPressedFrame);
    // A bevel inside the frame: light along the top and left, dark along the bottom and right.
    const COLORREF light = OffsetColor(base, 16, 10, 5);
    Line(surface, left + 1, 3, right - 1, 3, light);
    Line(surface, left + 1, 3, left + 1, hh, light);
    Line(surface, left + 1, hh - 1, right - 1, hh - 1, ShiftColor(base, -32));
    Line(surface, right - 2, 3, right - 2, hh, ShiftColor(base, -32));
    Line(surface, left + 2, hh - 2, right - 2, hh - 2, ShiftColor(base, -22));
    Line(surface, right - 3, 4, right - 3, hh - 1, ShiftColor(base, -22));
}

COLORREF HoverBandColor(int32_t y) {
    const int32_t step = std::max(0, y - 2);
    auto channel = [&](uint8_t start, uint8_t floor) {
        return static_cast<uint8_t>(std::max<int32_t>(start - step, floor));
    };
    return RGB(channel(GetRValue(kHoverStart), GetRValue(kHoverFloor)),
               channel(GetGValue(kHoverStart), GetGValue(kHoverFloor)),
               channel(GetBValue(kHoverStart), GetBValue(kHoverFloor)));
}

void PaintHoverHeader(Surface& surface, int32_t left, int32_t right, int32_t hh) {
    for (int32_t y = 2; y <= hh; ++y) Line(surface, left + 1, y, right - 2, y, HoverBandColor(y));
    for (int32_t i = 0; i < 3; ++i) Line(surface, left + 1, hh - i, right, hh - i, kHoverLines[i]);
}

void PaintHeaderCell(Surface& surface, TextEngine& text, const HeaderStyle& style,
                     const tColHeaderInfo& column, HeaderCellState cell, const FontSpec& font) {
    const int32_t hh = style.headerHeight;
    const int32_t x = cell.left, r = cell.right;
    const int32_t captionTop = RoundToInt(hh / 2.0 - style.textHeight / 2.0);
    const int32_t iconTop = RoundToInt(hh / 2.0 - style.imageHeight / 2.0);
    RECT measured{};
    text.DrawText(surface, font, column.cHCaption, measured, DT_CALCRECT, 0);
    const int32_t cw = measured.Right - measured.Left;

    PaintHeaderSeparator(surface, r, hh);
    if (cell.pressed)
        PaintPressedHeader(surface, style, x, r);
    else if (cell.hot && style.hoverEffect)
        PaintHoverHeader(surface, x, r, hh);

    // Icon indexes start at 1; 0 is "no icon" and a negative index is an omitted one.
    const int32_t icon = IconFor(column, cell);
    const bool hasIcon = style.icons != nullptr && style.icons->Bound() && icon > 0;
    const int32_t iw = hasIcon ? style.icons->ImageWidth() : 0;
    const CellInput in{x, r, cw, iw, 0, ToCellAlign(column.cHHAlignment), column.cHPictureOnRight};
    const CellPlacement place = hasIcon ? PlaceItemCell(in) : PlaceHeaderCaption(in);
    const bool enabled = column.cHEnabled && style.controlEnabled;
    if (hasIcon) {
        if (enabled)
            style.icons->Draw(surface, icon, place.imageX, iconTop, false);
        else
            style.icons->DrawDisabled(surface, icon, place.imageX, iconTop);
    }
    const int32_t shift = cell.pressed ? 1 : 0;
    RECT caption{place.textLeft + shift, captionTop, place.textRight + shift,
                 captionTop + style.textHeight};
    if (enabled)
        text.DrawText(surface, font, column.cHCaption, caption, DT_WORD_ELLIPSIS,
                      Resolve(style, column.cHForeColor));
    else
        text.DrawState(surface, font, column.cHCaption, caption.Left, caption.Top, 0, 0,
                       kDisabledTextState, style.embossed);
}

void PaintSortCaret(Surface& surface, const SortCaret& caret) {
    const int32_t hh = caret.headerHeight;
    const int32_t yc = caret.anyPressed ? RoundToInt(hh / 2.0 + 1) : RoundToInt(hh / 2.0);
    const int32_t s = caret.anyPressed ? 1 : 0;
    // The width is the host's, anywhere in 32 bits; the left edge is a laid-out one.
    const int32_t base = caret.rightAligned
                             ? caret.cellLeft + s
                             : ClampToFar(int64_t{caret.cellLeft} + caret.cellWidth - kCaretRightOffset);
    surface.SetPen(caret.color);
    auto draw = [&](const auto& lines) {
        for (const CaretLine& line : lines) {
            surface.MoveTo(base + line.from, yc + line.dy);
            surface.LineTo(base + line.to, yc + line.dy);
        }
    };
    if (caret.descending)
        draw(kDescendingCaret);
    else
        draw(kAscendingCaret);
}

int32_t NormalisedSortedColumn(int32_t sortedColumn) { return std::max(sortedColumn, 1); }

bool HeaderShowsCaret(bool allowSorting, bool allowColumnSorting, int32_t sortedColumn,
                      int32_t column, bool showCaret) {
    if (!allowSorting && !allowColumnSorting) return false;
    return column == NormalisedSortedColumn(sortedColumn) && showCaret && allowColumnSorting;
}

}  // namespace glv
