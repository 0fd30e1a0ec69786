#pragma once
// The column header painters: one header cell (separator, pressed or hover look, icon, caption)
// and the sort caret. The header pass lays the columns out and calls these for each column over
// the header band already in the background cache.
#include <cstdint>

#include "core/Records.h"
#include "platform/Font.h"
#include "platform/Surface.h"
#include "platform/SystemInfo.h"
#include "platform/Text.h"
#include "render/Fonts.h"
#include "render/IconPainter.h"
#include "render/Themes.h"

namespace glv {

struct PropertyValues;

// What every header cell of a pass shares.
struct HeaderStyle {
    int32_t headerHeight = 0;       // hh
    int32_t textHeight = 0;         // the tallest "Wg" of the header fonts
    int32_t imageHeight = 0;        // the header image list's image height
    bool controlEnabled = true;
    bool hoverEffect = false;       // HeaderHoverEffect
    PressedShades pressed;          // the scheme's pressed shades
    COLORREF pressedBase = 0;       // their base colour, resolved
    StateColors embossed;           // disabled captions
    const SystemInfo* system = nullptr;
    const IconPainter* icons = nullptr;  // the header image slot, or none
};

HeaderStyle MakeHeaderStyle(const PropertyValues& props, const SystemInfo& system, int32_t theme,
                            int32_t headerHeight, int32_t textHeight, int32_t imageHeight);

// One column's place and state in this pass: left edge x, right edge r = x + width.
struct HeaderCellState {
    int32_t left = 0;
    int32_t right = 0;
    bool pressed = false;
    bool hot = false;
};

// Draws a header cell: separator, the pressed or hover look, the icon and the caption in the
// column's header font.
void PaintHeaderCell(Surface& surface, TextEngine& text, const HeaderStyle& style,
                     const tColHeaderInfo& column, HeaderCellState cell, const FontSpec& font);

// The parts, also usable on their own.
void PaintHeaderSeparator(Surface& surface, int32_t right, int32_t hh);
void PaintPressedHeader(Surface& surface, const HeaderStyle& style, int32_t left, int32_t right);
void PaintHoverHeader(Surface& surface, int32_t left, int32_t right, int32_t hh);
// The hover band's colour on line y (it starts on line 2).
COLORREF HoverBandColor(int32_t y);

// The sort caret: a small triangle of one-pixel lines, pointing down when descending.
struct SortCaret {
    int32_t cellLeft = 0;     // cHCollX
    int32_t cellWidth = 0;    // cHWidth
    int32_t headerHeight = 0;
    bool rightAligned = false;  // the column's caption is right aligned: the caret goes left
    bool descending = false;
    bool anyPressed = false;    // a pressed header moves the caret down one (and right one)
    COLORREF color = 0;
};
void PaintSortCaret(Surface& surface, const SortCaret& caret);

// Whether column i shows the caret: sorting allowed (AllowSorting or AllowColumnSorting), the
// column is the sorted one, its ShowCaret is set and AllowColumnSorting is on. A sorted column
// below 1 counts as column 1.
bool HeaderShowsCaret(bool allowSorting, bool allowColumnSorting, int32_t sortedColumn,
                      int32_t column, bool showCaret);
int32_t NormalisedSortedColumn(int32_t sortedColumn);

}  // namespace glv
