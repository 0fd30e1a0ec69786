// The item, sub-item and group header painters, and the cell placement rules they share.
// Ideas not yet written: right-to-left placement once the control supports it; a bound
// image-list object (twips) through an IconPainter adapter.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/PropertyValues.h"
#include "platform/ImageList.h"
#include "platform/Surface.h"
#include "platform/Text.h"
#include "render/CellPlacement.h"
#include "render/PartStrips.h"
#include "render/RowPainters.h"
#include "resources/Bitmaps.h"
#include "tests/support/golden.h"
#include "tests/support/handle_icons.h"

using namespace glv;
using test::HexColor;

namespace {

std::string Place(const CellPlacement& p) {
    return std::to_string(p.imageX) + " " + std::to_string(p.textLeft) + ".." +
           std::to_string(p.textRight);
}

constexpr COLORREF kBackground = RGB(1, 2, 3);

struct Rows {
    TextEngine text;
    SystemInfo system;
    ImageListRegistry lists;
    uint32_t handle = lists.Register(MakeSyntheticImageList(16, 16, 8));
    PropertyValues props;
    PartStrips strips;
    HandleIconPainter icons{lists, handle, RGB(0, 0, 255), RGB(255, 255, 255)};

    Rows() {
        RebuildPartStrips(strips);
        props.ColumnBackStyle = LVColumnOpaque;
        props.SelectBackColor = RGB(10, 20, 200);
        props.SelectNoFocusBackColor = RGB(200, 200, 200);
        props.LedgerColorEven = RGB(230, 240, 250);
        props.LedgerColorOdd = RGB(250, 250, 240);
    }

    RowStyle Style(bool focus, int32_t width, bool editing = false) {
        RowStyle style = MakeRowStyle(props, system, focus, editing, width);
        style.smallIcons = &icons;
        style.strips = &strips;
        return style;
    }

    static tListItemInfo Item(const std::string& caption) {
        tListItemInfo item;
        item.cLIText = caption;
        item.cLIFontName = "DejaVu Sans";
        item.cLIFontSize = 8;
        item.cLIBackColor = RGB(255, 255, 255);
        item.cLIForeColor = 0;
        item.cLIIconIndex = 0;
        tSubListItemInfo sub;
        sub.cSIText = "sub";
        sub.cSIFontName = "DejaVu Sans";
        sub.cSIBackColor = RGB(250, 255, 250);
        item.cLISubListItemInfo.push_back(sub);
        return item;
    }
};

}  // namespace

TEST(CellPlacement, FirstColumnRulesForEveryAlignmentAndPictureSide) {
    // Cell 10..110 (W = 100), text 30 wide, icon 16, indent 3.
    auto item = [](CellAlign a, bool p, int32_t tw = 30, int32_t iw = 16) {
        return Place(PlaceItemCell({10, 110, tw, iw, 3, a, p}));
    };
    EXPECT_EQ(item(CellAlign::Left, false), "15 33..109");
    EXPECT_EQ(item(CellAlign::Left, true), "45 11..41");   // text left of the icon
    EXPECT_EQ(item(CellAlign::Center, false), "34 54..109");  // s = 51: 50 - round(25.5) + 10
    EXPECT_EQ(item(CellAlign::Center, true), "70 36..66");    // R - round(49 / 2) - iw
    EXPECT_EQ(item(CellAlign::Right, false), "57 79..109");  // right: text ends at R - 1
    EXPECT_EQ(item(CellAlign::Right, true), "89 52..85");
    // Text wider than the cell.
    EXPECT_EQ(item(CellAlign::Left, true, 200), "92 12..88");      // icon pulled in, text from L+2
    EXPECT_EQ(item(CellAlign::Center, false, 200), "12 32..109");
    EXPECT_EQ(item(CellAlign::Center, true, 200), "92 12..88");
    EXPECT_EQ(item(CellAlign::Right, false, 200), "12 12..109");  // starts at L + 2, cut
    // No icon: the text start, and the picture side does not matter.
    EXPECT_EQ(item(CellAlign::Left, true, 30, 0), "15 17..109");
    EXPECT_EQ(item(CellAlign::Center, false, 30, 0), "42 46..109");  // round(50 - 18 + 10)
    EXPECT_EQ(item(CellAlign::Right, false, 30, 0), "73 79..109");
}

TEST(CellPlacement, SubItemAndHeaderCaptionRules) {
    auto sub = [](CellAlign a, bool p, int32_t iw = 16, int32_t tw = 30) {
        return Place(PlaceSubItemCell({10, 110, tw, iw, 3, a, p}));
    };
    EXPECT_EQ(sub(CellAlign::Left, false), "15 33..109");
    EXPECT_EQ(sub(CellAlign::Left, true), "47 15..45");
    EXPECT_EQ(sub(CellAlign::Center, false), "36 54..109");  // the indent is not used
    EXPECT_EQ(sub(CellAlign::Center, true), "68 36..66");
    EXPECT_EQ(sub(CellAlign::Right, false), "57 75..109");
    EXPECT_EQ(sub(CellAlign::Right, true), "89 55..85");
    EXPECT_EQ(sub(CellAlign::Right, false, 16, 200), "10 28..109");  // never left of L
    EXPECT_EQ(sub(CellAlign::Left, false, 0), "15 15..109");
    EXPECT_EQ(sub(CellAlign::Center, false, 0), "44 44..109");  // round(50 - 16 + 10)
    EXPECT_EQ(sub(CellAlign::Right, false, 0), "73 73..109");
    EXPECT_EQ(sub(CellAlign::Right, false, 0, 200), "12 12..109");

    auto caption = [](CellAlign a, int32_t cw) {
        return Place(PlaceHeaderCaption({10, 110, cw, 0, 0, a, false}));
    };
    EXPECT_EQ(caption(CellAlign::Left, 30), "12 12..109");
    EXPECT_EQ(caption(CellAlign::Center, 30), "44 44..109");
    EXPECT_EQ(caption(CellAlign::Center, 99), "12 12..109");
    EXPECT_EQ(caption(CellAlign::Right, 30), "76 76..109");
    EXPECT_EQ(caption(CellAlign::Right, 300), "12 12..109");

    EXPECT_EQ(CentredTop(10, 16, 16), 10);
    EXPECT_EQ(CentredTop(10, 19, 16), 12);  // round(1.5) = 2
    EXPECT_EQ(CentredTop(10, 21, 16), 12);  // round(2.5) = 2
    EXPECT_EQ(TextTop(10, 20, 13), 13);
    EXPECT_EQ(TextTop(10, 12, 13), 10);
}

TEST(RowPainters, ItemCellColoursForEverySelectionState) {
    Rows f;
    // One row per case: the colour inside the cell, at its last filled column and beyond it.
    auto probe = [&](tListItemInfo item, int32_t index, bool focus, bool editing = false) {
        Surface s(100, 24, kBackground);
        PaintItemCell(s, f.text, f.Style(focus, 100, editing), item, index, {1, 61}, {2, 16, 13},
                      ItemFont(item));
        return HexColor(s.GetPixel(3, 2)) + " " + HexColor(s.GetPixel(60, 18)) + " " +
               HexColor(s.GetPixel(61, 18)) + " " + HexColor(s.GetPixel(98, 3));
    };
    tListItemInfo plain = Rows::Item("");
    tListItemInfo selected = plain;
    selected.cLISelected = true;
    EXPECT_EQ(probe(plain, 1, true), "FFFFFF FFFFFF 010203 010203");
    EXPECT_EQ(probe(selected, 1, true), "0A14C8 0A14C8 010203 010203");
    EXPECT_EQ(probe(selected, 1, false), "C8C8C8 C8C8C8 010203 010203");
    f.props.HideSelection = true;
    EXPECT_EQ(probe(selected, 1, false), "FFFFFF FFFFFF 010203 010203");
    EXPECT_EQ(probe(selected, 1, true), "0A14C8 0A14C8 010203 010203");
    f.props.HideSelection = false;
    // An open edit shows the row in its own colours.
    EXPECT_EQ(probe(selected, 1, true, true), "FFFFFF FFFFFF 010203 010203");
    // Overlapping rows fill to the surface's last column but one.
    tListItemInfo overlap = plain;
    overlap.cLIOverLap = true;
    EXPECT_EQ(probe(overlap, 1, true), "FFFFFF FFFFFF FFFFFF FFFFFF");

    // Ledger bands run across the row and follow the item index.
    f.props.BackStyle = Ledger;
    EXPECT_EQ(probe(plain, 1, true), "FAFAF0 FAFAF0 FAFAF0 FAFAF0");
    EXPECT_EQ(probe(plain, 2, true), "E6F0FA E6F0FA E6F0FA E6F0FA");
    EXPECT_EQ(probe(plain, 3, true), "FAFAF0 FAFAF0 FAFAF0 FAFAF0");
    EXPECT_EQ(probe(selected, 2, true), "0A14C8 0A14C8 010203 010203");
    f.props.BackStyle = Normal;

    // Disabled items and transparent columns are not filled.
    tListItemInfo disabled = plain;
    disabled.cLIEnabled = false;
    EXPECT_EQ(probe(disabled, 1, true), "010203 010203 010203 010203");
    f.props.Enabled = false;
    EXPECT_EQ(probe(selected, 1, true), "010203 010203 010203 010203");
    f.props.Enabled = true;
    f.props.ColumnBackStyle = LVColumnTransparent;
    EXPECT_EQ(probe(plain, 1, true), "010203 010203 010203 010203");
    EXPECT_EQ(probe(selected, 1, true), "0A14C8 0A14C8 010203 010203");
}

TEST(RowPainters, LedgerBandsFollowItemIndexesAcrossHiddenRows) {
    Rows f;
    f.props.BackStyle = Ledger;
    Surface s(40, 40, kBackground);
    const RowStyle style = f.Style(true, 40);
    tListItemInfo one = Rows::Item("a"), three = Rows::Item("c");
    // Item 2 is hidden: item 3 is painted directly under item 1 and keeps the odd colour.
    PaintItemCell(s, f.text, style, one, 1, {1, 39}, {1, 14, 13}, ItemFont(one));
    PaintItemCell(s, f.text, style, three, 3, {1, 39}, {16, 14, 13}, ItemFont(three));
    EXPECT_EQ(HexColor(s.GetPixel(30, 1)), "FAFAF0");
    EXPECT_EQ(HexColor(s.GetPixel(30, 16)), "FAFAF0");
    EXPECT_EQ(one.cLIItemY, 1);
    EXPECT_EQ(three.cLIItemY, 16);
}

TEST(RowPainters, SubItemCellsFollowFullRowSelectAndLedger) {
    Rows f;
    auto probe = [&](tListItemInfo item, bool focus) {
        Surface s(100, 24, kBackground);
        PaintSubItemCell(s, f.text, f.Style(focus, 100), item, 1, {40, 80}, {2, 16, 13},
                         SubItemFont(item, item.cLISubListItemInfo[0]));
        return HexColor(s.GetPixel(41, 3)) + " " + HexColor(s.GetPixel(80, 3));
    };
    tListItemInfo item = Rows::Item("x");
    EXPECT_EQ(probe(item, true), "FAFFFA 010203");
    item.cLISelected = true;
    EXPECT_EQ(probe(item, true), "0A14C8 010203");
    EXPECT_EQ(probe(item, false), "C8C8C8 010203");
    f.props.FullRowSelect = false;
    EXPECT_EQ(probe(item, true), "FAFFFA 010203");
    f.props.FullRowSelect = true;
    f.props.BackStyle = Ledger;
    item.cLISelected = false;
    EXPECT_EQ(probe(item, true), "010203 010203");
    // Sub-items the item does not have are skipped.
    Surface s(100, 24, kBackground);
    PaintSubItemCell(s, f.text, f.Style(true, 100), item, 2, {40, 80}, {2, 16, 13}, ItemFont(item));
    PaintSubItemCell(s, f.text, f.Style(true, 100), item, 0, {40, 80}, {2, 16, 13}, ItemFont(item));
    EXPECT_EQ(HexColor(s.GetPixel(41, 3)), "010203");
}

TEST(RowPainters, CheckBoxesIconsAndTheGeometryWrittenBack) {
    Rows f;
    const Image& checked = *FindBitmap("IDLECHECKED");
    const Image& disabledBox = *FindBitmap("DISABLEDUNCHECKED");
    auto boxPixel = [](const Image& image, int32_t x, int32_t y) {
        return HexColor(FromPixel(image.At(x, y) & 0xFFFFFFu));
    };

    // Check boxes: the image box starts at L + 4 and is centred in rows of 13 and more.
    f.props.CheckBoxes = true;
    tListItemInfo item = Rows::Item("text");
    item.cLIItemChecked = true;
    item.cLIIconIndex = 2;  // ignored with check boxes
    item.cLIItemHAlign = LVListItemAlignRight;  // so is the alignment
    Surface s(100, 24, kBackground);
    PaintItemCell(s, f.text, f.Style(true, 100), item, 1, {1, 81}, {2, 17, 13}, ItemFont(item));
    EXPECT_EQ(HexColor(s.GetPixel(5, 5)), boxPixel(checked, 0, 0));  // y + round(5 / 2) = 4... 
    EXPECT_EQ(HexColor(s.GetPixel(9, 10)), boxPixel(checked, 4, 6));
    EXPECT_EQ(item.cLIItemX, 17);  // x = L + 2, text after the 12-pixel image box and 2 more
    EXPECT_EQ(item.cLIItemY, 2);
    EXPECT_EQ(item.cLIItemHeight, 17);
    EXPECT_EQ(item.cLITextHeight, 13);
    item.cLIEnabled = false;
    item.cLIItemChecked = false;
    PaintItemCell(s, f.text, f.Style(true, 100), item, 1, {1, 81}, {2, 17, 13}, ItemFont(item));
    EXPECT_EQ(HexColor(s.GetPixel(5, 5)), boxPixel(disabledBox, 0, 0));
    EXPECT_EQ(HexColor(s.GetPixel(10, 10)), boxPixel(disabledBox, 5, 5));
    // Rows lower than 13 put the box at the row's top.
    PaintItemCell(s, f.text, f.Style(true, 100), item, 1, {1, 81}, {20, 10, 10}, ItemFont(item));
    EXPECT_EQ(HexColor(s.GetPixel(5, 20)), boxPixel(disabledBox, 0, 0));

    // Icons: image 2 (index 2 -> the second palette colour, green) with its one-pixel margin.
    f.props.CheckBoxes = false;
    tListItemInfo iconItem = Rows::Item("abc");
    iconItem.cLIIconIndex = 2;
    iconItem.cLIIndent = 3;
    Surface t(100, 24, kBackground);
    PaintItemCell(t, f.text, f.Style(true, 100), iconItem, 1, {1, 81}, {2, 20, 13}, ItemFont(iconItem));
    EXPECT_EQ(HexColor(t.GetPixel(7, 5)), "00FF00");   // x = L + 2 + n = 6, top = 2 + 2
    EXPECT_EQ(HexColor(t.GetPixel(6, 5)), "FFFFFF");   // the transparent margin shows the fill
    EXPECT_EQ(iconItem.cLIItemX, 24);             // x + iw + 2
    // Selected: blended half with the selection colour, also when the selection is hidden.
    iconItem.cLISelected = true;
    f.props.HideSelection = true;
    PaintItemCell(t, f.text, f.Style(false, 100), iconItem, 1, {1, 81}, {2, 20, 13}, ItemFont(iconItem));
    EXPECT_EQ(HexColor(t.GetPixel(7, 5)), "008080");
    EXPECT_EQ(HexColor(t.GetPixel(30, 4)), "FFFFFF");
    // Disabled: blended with the window colour.
    iconItem.cLIEnabled = false;
    PaintItemCell(t, f.text, f.Style(true, 100), iconItem, 1, {1, 81}, {2, 20, 13}, ItemFont(iconItem));
    EXPECT_EQ(HexColor(t.GetPixel(7, 5)), "80FF80");
}

TEST(RowPainters, GroupHeaderGlyphCaptionAndSeparatorRows) {
    Rows f;
    tItemGroupInfo group;
    group.GroupHeader = true;
    group.GroupHeaderMargin = 2;
    group.GroupHeaderCaptionSeperation = 3;
    const RowMetrics row{10, 24, 13};
    auto layout = [&](int32_t align, int32_t ct) {
        group.GroupHeaderAlignment = align;
        const GroupHeaderLayout l = LayoutGroupHeader(group, 1, 200, row, ct);
        return std::to_string(l.glyphLeft) + "," + std::to_string(l.glyphTop) + " " +
               ToString(l.caption);
    };
    EXPECT_EQ(layout(LVListItemAlignTop, 13), "5,13 21,12,199,25");     // 10 + 2 + 6 - 5
    EXPECT_EQ(layout(LVListItemAlignMiddle, 13), "5,16 21,15,199,28");  // 10 + 13 / 2
    group.GroupSeperator = true;
    group.GroupSeperatorThick = 2;
    EXPECT_EQ(layout(LVListItemAlignBottom, 13), "5,18 21,17,199,30");  // 34 - 13 - 2 - 2, glyph on its middle

    auto separatorRows = [&](int32_t thick) {
        group.GroupSeperatorThick = thick;
        group.GroupSeperatorColor = RGB(255, 0, 0);
        group.GroupHeaderAlignment = LVListItemAlignTop;
        Surface s(60, 40, kBackground);
        tListItemInfo item = Rows::Item("");
        PaintGroupHeaderRow(s, f.text, f.Style(true, 60), item, group, 1, row, ItemFont(item));
        std::string rows;
        for (int32_t y = 30; y <= 35; ++y)
            if (s.GetPixel(20, y) == RGB(255, 0, 0)) rows += std::to_string(y) + " ";
        // The separator runs from the glyph's left to the surface width - 3.
        const int32_t probeY = 34 - thick;
        rows += HexColor(s.GetPixel(4, probeY)) + " " + HexColor(s.GetPixel(5, probeY)) + " " +
                HexColor(s.GetPixel(57, probeY));
        return rows;
    };
    EXPECT_EQ(separatorRows(0), "34 010203 FF0000 010203");        // just below the row
    EXPECT_EQ(separatorRows(1), "33 010203 FF0000 010203");        // the row's last line
    EXPECT_EQ(separatorRows(3), "31 32 33 34 010203 FF0000 FF0000");  // a box down to y + h

    // Collapsed groups show the plus glyph, others the minus; both have the sign's row dark.
    group.GroupSeperator = false;
    const Image& plus = *FindBitmap("IMGPLUS");
    for (int32_t state : {LVCollapsed, LVExpanded, LVHide}) {
        group.GroupState = state;
        Surface s(60, 40, kBackground);
        tListItemInfo item = Rows::Item("Group");
        PaintGroupHeaderRow(s, f.text, f.Style(true, 60), item, group, 1, row, ItemFont(item));
        RECT measured{};
        f.text.DrawText(s, ItemFont(item), item.cLIText, measured, DT_CALCRECT, 0);
        const GroupHeaderLayout l = LayoutGroupHeader(group, 1, 60, row, measured.Bottom);
        bool showsPlus = true;
        for (int32_t gy = 0; gy < 11; ++gy)
            for (int32_t gx = 0; gx < 11; ++gx)
                showsPlus = showsPlus && s.GetPixel(l.glyphLeft + gx, l.glyphTop + gy) ==
                                             FromPixel(plus.At(gx, gy) & 0xFFFFFFu);
        EXPECT_EQ(showsPlus, state == LVCollapsed) << state;
        EXPECT_EQ(item.cLIItemX, 21);
        EXPECT_EQ(item.cLIItemHeight, 24);
    }
}

TEST(RowPainters, GoldenRowsInEveryLook) {
    Rows f;
    f.props.ColumnBackStyle = LVColumnOpaque;
    f.props.SelectBackColor = 0x8000000D;
    f.props.SelectNoFocusBackColor = 0x8000000F;
    f.props.LedgerColorEven = RGB(235, 242, 250);
    const int32_t width = 260;
    Surface s(width, 8 * 20 + 2, RGB(255, 255, 255));
    int32_t y = 1;
    auto paintRow = [&](tListItemInfo item, int32_t index, const RowStyle& style) {
        PaintItemCell(s, f.text, style, item, index, {1, 121}, {y, 19, 13}, ItemFont(item));
        if (!item.cLIOverLap) PaintSubItemCell(s, f.text, style, item, 1, {121, 201}, {y, 19, 13},
                                                SubItemFont(item, item.cLISubListItemInfo[0]));
        y += 20;
    };
    tListItemInfo item = Rows::Item("Document.txt");
    item.cLIIconIndex = 3;
    item.cLISubListItemInfo[0].cSIText = "12 KB";
    item.cLISubListItemInfo[0].cSIItemHAlign = LVListItemAlignRight;
    item.cLISubListItemInfo[0].cSIIconIndex = 5;
    paintRow(item, 1, f.Style(true, width));
    tListItemInfo selected = item;
    selected.cLISelected = true;
    paintRow(selected, 2, f.Style(true, width));
    paintRow(selected, 3, f.Style(false, width));
    tListItemInfo disabled = item;
    disabled.cLIEnabled = false;
    paintRow(disabled, 4, f.Style(true, width));
    tListItemInfo centred = item;
    centred.cLIText = "A caption much too long for its cell";
    centred.cLIItemHAlign = LVListItemAlignCenter;
    centred.cLIPictureOnRight = true;
    paintRow(centred, 5, f.Style(true, width));
    f.props.BackStyle = Ledger;
    paintRow(item, 6, f.Style(true, width));
    f.props.BackStyle = Normal;
    f.props.CheckBoxes = true;
    tListItemInfo check = item;
    check.cLIItemChecked = true;
    paintRow(check, 7, f.Style(true, width));
    tItemGroupInfo group;
    group.GroupHeader = true;
    group.GroupHeaderAlignment = LVListItemAlignMiddle;
    group.GroupSeperator = true;
    group.GroupSeperatorThick = 1;
    group.GroupSeperatorColor = RGB(127, 157, 185);
    group.GroupState = LVCollapsed;
    tListItemInfo header = Rows::Item("Group header");
    header.cLIFontBold = true;
    PaintGroupHeaderRow(s, f.text, f.Style(true, width), header, group, 1, {y, 19, 13},
                        ItemFont(header));
    test::ExpectMatchesGolden(s, "row_painters");
}
