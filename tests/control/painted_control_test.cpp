// The whole control as the host sees it: every painter state reached through the public
// interface (properties, element objects, focus, resize), pinned by golden pictures of small
// controls and by exact pixel probes at the places the drawing rules fix.
//
// Most pictures stack several small controls into one golden ("panels"), so that one file
// shows the states that are meant to be compared with each other.
//
// The usual control is 200 x 75 with a 20-pixel header band: column 1 from x = 1 to 101,
// column 2 from 101 to 181, rows 16 high at y = 21, 38 and 55, each with its grid line below.
//
// Ideas not yet written: the in-place edit look (the edit box is not there yet); a hot column
// reached by real mouse movement once header input exists.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "control/Collections.h"
#include "tests/support/control_access.h"
#include "tests/support/golden.h"
#include "tests/support/list_fixture.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "render/BackgroundPicture.h"
#include "render/HeaderPainter.h"
#include "render/ImageLists.h"
#include "render/Themes.h"
#include "sort/SortTypes.h"

namespace glv {
namespace {

using test::HexColor;

constexpr COLORREF kSelect = RGB(40, 90, 200);
constexpr COLORREF kNoFocus = RGB(200, 200, 210);
constexpr COLORREF kRed = RGB(255, 0, 0);

// A control with the two usual columns, its rows given as one text per column.
struct Shot : test::ListFixture {
    explicit Shot(int32_t width = 200, int32_t height = 75) : ListFixture(width, height) {}

    std::shared_ptr<cListItem> Item(int32_t i) const { return list->ListItems()->Item(Variant(i)); }
    std::shared_ptr<cSubItem> Sub(int32_t i, int32_t k) const { return Item(i)->SubItems()->Item(k); }
    std::shared_ptr<cColumn> Column(int32_t i) const { return list->Columns()->Item(Variant(i)); }

    void Columns(std::initializer_list<std::pair<const char*, int32_t>> columns) {
        for (const auto& [caption, width] : columns) list->AddColumn(caption, -1, width);
    }
    void Row(std::initializer_list<const char*> texts) {
        std::vector<Variant> cells;
        for (const char* t : texts) {
            cells.emplace_back(t);
            cells.emplace_back(int32_t{-1});
        }
        list->AddItemQuick(Variant::Array(cells));
    }
    // Name and Size over three files.
    void Files() {
        Columns({{"Name", 100}, {"Size", 80}});
        Row({"alpha", "1 kB"});
        Row({"beta", "22 kB"});
        Row({"gamma", "333 kB"});
    }
    // A small-icon or header image list of 16 x 16 squares in eight colours.
    void BindImages(int32_t slot) {
        const auto handle = static_cast<int32_t>(platform.imageLists.Register(MakeSyntheticImageList(16, 16, 8)));
        list->SetImageList(slot, handle);
    }

    const Surface& Picture() const { return list->surface(); }
    COLORREF At(int32_t x, int32_t y) const { return list->surface().GetPixel(x, y); }
    std::string Hex(int32_t x, int32_t y) const { return HexColor(At(x, y)); }
    // The colours along a column of pixels, top to bottom: "FFFFFF 285AC8 ...".
    std::string Down(int32_t x, int32_t y0, int32_t y1) const {
        std::string out;
        for (int32_t y = y0; y <= y1; ++y) out += (out.empty() ? "" : " ") + Hex(x, y);
        return out;
    }
};

// Several control pictures stacked top to bottom with a grey gap, compared as one golden.
class Panels {
public:
    void Add(const Surface& picture) { parts_.push_back(picture); }
    Surface Compose() const {
        int32_t width = 0, height = 0;
        for (const Surface& p : parts_) {
            width = std::max(width, p.Width());
            height += p.Height() + kGap;
        }
        Surface sheet(width, height - kGap, RGB(128, 128, 128));
        int32_t y = 0;
        for (const Surface& p : parts_) {
            sheet.BitBlt(0, y, p.Width(), p.Height(), p, 0, 0);
            y += p.Height() + kGap;
        }
        return sheet;
    }

private:
    static constexpr int32_t kGap = 2;
    std::vector<Surface> parts_;
};

// The files list with fixed selection colours and beta selected.
void SelectBeta(Shot& f) {
    f.Files();
    f->SetSelectBackColor(kSelect);
    f->SetSelectNoFocusBackColor(kNoFocus);
    f.Item(2)->SetSelected(true);
}

// Runs of one colour along row y between x0 and x1 (end excluded), as "start+length" each.
std::string Runs(const Shot& f, int32_t y, int32_t x0, int32_t x1, COLORREF color) {
    std::string out;
    for (int32_t x = x0; x < x1; ++x) {
        if (f.At(x, y) != color || (x > x0 && f.At(x - 1, y) == color)) continue;
        int32_t end = x;
        while (end < x1 && f.At(end, y) == color) ++end;
        out += (out.empty() ? "" : " ") + std::to_string(x) + "+" + std::to_string(end - x);
    }
    return out.empty() ? "-" : out;
}

// --- rows -----------------------------------------------------------------------------------

TEST(PaintedControl, SelectionInEveryFocusAndRowModeGolden) {
    Panels panels;
    auto panel = [&](auto&& setUp) {
        Shot f;
        SelectBeta(f);
        setUp(f);
        f->Refresh();  // ColumnBackStyle and HeaderHoverEffect are only stored
        panels.Add(f.Picture());
    };
    panel([](Shot& f) { f->GotFocus(); });
    panel([](Shot&) {});  // no focus: the no-focus colours
    panel([](Shot& f) { f->SetHideSelection(true); });  // looks unselected
    panel([](Shot& f) {
        f->GotFocus();
        f->SetFullRowSelect(false);  // only the first column
    });
    panel([](Shot& f) {
        // Opaque cells in their own colours around the selected row.
        f->GotFocus();
        f->SetColumnBackStyle(LVColumnOpaque);
        f.Item(1)->SetBackColor(RGB(255, 240, 200));
        f.Sub(1, 1)->SetBackColor(RGB(220, 255, 220));
        f.Item(3)->SetForeColor(RGB(160, 0, 0));
        f.Sub(3, 1)->SetForeColor(RGB(0, 0, 160));
    });
    test::ExpectMatchesGolden(panels.Compose(), "painted_selection");
}

TEST(PaintedControl, SelectionFillsFromTheCellsLeftToItsRightEdgeLessOne) {
    Shot f;
    SelectBeta(f);
    f->GotFocus();
    // Row 2 is y = 38..53 with its grid line at 54. The first cell is filled from L = 1 to
    // R - 1 = 100, the second from 101 to 180; the grid line covers the fill's last line.
    EXPECT_EQ(Runs(f, 38, 0, 200, kSelect), "1+100 102+79");  // the column line crosses at 101
    EXPECT_EQ(Runs(f, 53, 0, 200, kSelect), "1+100 102+79");
    EXPECT_EQ(f.Down(1, 36, 55), "FFFFFF ECE9D8 285AC8 285AC8 285AC8 285AC8 285AC8 285AC8 285AC8 "
                                 "285AC8 285AC8 285AC8 285AC8 285AC8 285AC8 285AC8 285AC8 285AC8 "
                                 "ECE9D8 FFFFFF");
    // Without FullRowSelect the sub-item keeps its own (transparent) look.
    f->SetFullRowSelect(false);
    EXPECT_EQ(Runs(f, 38, 0, 200, kSelect), "1+100");
    // Without focus: the no-focus colour over the same span; HideSelection hides it.
    f->SetFullRowSelect(true);
    f->LostFocus();
    EXPECT_EQ(Runs(f, 38, 0, 200, kNoFocus), "1+100 102+79");
    f->SetHideSelection(true);
    EXPECT_EQ(Runs(f, 38, 0, 200, kNoFocus), "-");

    // The fill includes its bottom corner y + h: seen on the last row without grid lines.
    f->SetHideSelection(false);
    f->GotFocus();
    f->SetGridLines(false);
    f.Item(3)->SetSelected(true);  // row 3 is y = 53..68
    EXPECT_EQ(f->ItemRecord(3).cLIItemY, 53);
    EXPECT_EQ(Runs(f, 69, 0, 200, kSelect), "1+100 102+79");
    EXPECT_EQ(Runs(f, 70, 0, 200, kSelect), "-");
}

TEST(PaintedControl, TransparentColumnsOverABackgroundPictureGolden) {
    // A checked 48 x 32 picture in the middle of the list area.
    Image checks(48, 32);
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 48; ++x)
            checks.At(x, y) = ((x / 8 + y / 8) % 2 == 0) ? 0xFFFFD080u : 0xFF80C0FFu;
    Panels panels;
    for (int32_t backStyle : {LVColumnTransparent, LVColumnOpaque}) {
        Shot f;
        SelectBeta(f);
        f->GotFocus();
        f->SetBackGroundPictureAlignment(lvwCenter);
        f->SetBackGroundPicture(std::make_shared<StdPicture>(checks));
        f->SetColumnBackStyle(backStyle);
        f->Refresh();  // the column style is only stored
        // Picture centred under the header: x 76..123, y round(27.5 - 16) = 12 .. 43, its top
        // rows under the band.
        EXPECT_EQ(f.Hex(76, 30), backStyle == LVColumnTransparent ? "FFD080" : "FFFFFF");
        EXPECT_EQ(f.Hex(76, 40), "285AC8");  // the selected row covers it either way
        panels.Add(f.Picture());
    }
    test::ExpectMatchesGolden(panels.Compose(), "painted_background_picture");
}

TEST(PaintedControl, BackgroundPictureShowsWhatTheLastRebuildComposed) {
    Shot f(200, 90);
    f.Columns({{"Name", 100}});
    f.Row({"alpha"});
    f.Row({"beta"});
    // 30 x 20 in the bottom-left corner: x 0..29, y 70..89, below the rows (21..54).
    f->SetBackGroundPictureAlignment(lvwBottomLeft);
    f->SetBackGroundPicture(StdPicture::Solid(30, 20, 255, 0, 0));
    EXPECT_EQ(f.Hex(10, 75), "FF0000");
    EXPECT_EQ(f.Hex(0, 75), "7F9DB9");  // under the border

    // Ledger leaves the composed background alone until the next rebuild.
    f->SetBackStyle(Ledger);
    EXPECT_EQ(f.Hex(10, 75), "FF0000");
    f->Resize(200, 90);
    EXPECT_EQ(f.Hex(10, 75), "FFFFFF");
    f->SetBackStyle(Normal);  // rebuilds: the picture was kept
    EXPECT_EQ(f.Hex(10, 75), "FF0000");

    // A new alignment or mask colour shows nothing until a rebuild; top right is then hidden
    // under the header band.
    f->SetBackGroundPictureAlignment(lvwTopRight);
    f->SetBackGroundPictureMaskColor(RGB(255, 0, 0));
    EXPECT_EQ(f.Hex(10, 75), "FF0000");
    f->Resize(200, 90);
    EXPECT_EQ(f.Hex(10, 75), "FFFFFF");
    EXPECT_NE(f.Hex(185, 10), "FF0000");
    EXPECT_EQ(f.Hex(185, 21), "FFFFFF");
}

// The bands by probe are in scenarios/paint_ledger.json.
TEST(PaintedControl, LedgerBandsWithAHiddenItemAndASelectionGolden) {
    Shot f(200, 92);
    f.Files();
    f.Row({"delta", "4 MB"});
    f->SetLedgerColorOdd(RGB(255, 250, 225));
    f->SetLedgerColorEven(RGB(225, 240, 255));
    f->SetBackStyle(Ledger);
    f.Item(2)->SetVisible(false);
    EXPECT_EQ(f.Rows(1, 4), "21+16 - 38+16 55+16");
    // A selected row takes the selection colours over its cells, not the band.
    f->SetSelectBackColor(kSelect);
    f->GotFocus();
    f.Item(3)->SetSelected(true);
    EXPECT_EQ(Runs(f, 38, 0, 200, kSelect), "1+100 102+79");
    EXPECT_EQ(f.Hex(190, 40), "FFFFFF");  // past the last column: the back colour
    test::ExpectMatchesGolden(f.Picture(), "painted_ledger");
}

TEST(PaintedControl, DisabledItemsAndADisabledControlGolden) {
    Panels panels;
    for (bool controlEnabled : {true, false}) {
        Shot f(200, 92);
        f.Files();
        f.Row({"Group", ""});
        f->SetColumnBackStyle(LVColumnOpaque);
        f->SetItemDisabledForeColor(RGB(150, 150, 150));
        f.Item(4)->SetGroupHeader(true);
        f.Item(2)->SetEnabled(false);
        f.Item(4)->SetEnabled(false);
        f.Item(1)->SetSelected(true);
        f->GotFocus();
        f->SetEnabled(controlEnabled);
        // Disabled rows are not filled: the white back colour and no selection colour.
        EXPECT_EQ(f.Hex(95, 45), "FFFFFF");
        EXPECT_EQ(f.Hex(95, 25), controlEnabled ? "316AC5" : "FFFFFF");
        panels.Add(f.Picture());
    }
    test::ExpectMatchesGolden(panels.Compose(), "painted_disabled");
}

TEST(PaintedControl, CheckBoxesInEveryStateGolden) {
    Panels panels;
    for (bool controlEnabled : {true, false}) {
        Shot f(200, 100);
        f.BindImages(LVSmallIcon);  // check boxes take the icon's place; rows are 18 high
        f.Files();
        f.Row({"delta", "4 MB"});
        f->SetCheckBoxes(true);
        f.Item(1)->SetChecked(true);
        f.Item(3)->SetChecked(true);
        f.Item(3)->SetEnabled(false);
        f.Item(4)->SetEnabled(false);
        f.Item(1)->SetIconIndex(2);
        f.Item(2)->SetAlignment(LVListItemAlignRight);  // text still follows the box
        f->SetEnabled(controlEnabled);
        EXPECT_EQ(f.Rows(1, 4), "21+18 40+18 59+18 78+18");
        EXPECT_FALSE(f->IsVScrollVisible());
        panels.Add(f.Picture());
    }
    test::ExpectMatchesGolden(panels.Compose(), "painted_check_boxes");
}

TEST(PaintedControl, IconsInEveryAlignmentAndSideGolden) {
    Panels panels;
    for (bool focus : {true, false}) {
        Shot f(240, 137);
        f.BindImages(LVSmallIcon);
        f.Columns({{"Name", 110}, {"Size", 110}});
        const int32_t aligns[] = {LVListItemAlignLeft, LVListItemAlignCenter, LVListItemAlignRight};
        int32_t i = 0;
        for (bool onRight : {false, true}) {
            for (int32_t align : aligns) {
                f.Row({"text", "sub"});
                ++i;
                f.Item(i)->SetIconIndex(static_cast<int16_t>(i));
                f.Item(i)->SetAlignment(align);
                f.Item(i)->SetPictureOnRight(onRight);
                f.Sub(i, 1)->SetIconIndex(static_cast<int16_t>(i + 1));
                f.Sub(i, 1)->SetAlignment(align);
                f.Sub(i, 1)->SetPictureOnRight(onRight);
            }
        }
        f->SetSelectBackColor(kSelect);
        if (focus) f->GotFocus();
        // Without focus the selection is hidden, but the item's icon keeps its selected form.
        f->SetHideSelection(!focus);
        f.Item(5)->SetSelected(true);
        // Rows are the icon's height plus the margins.
        EXPECT_EQ(f.Rows(1, 6), "21+18 40+18 59+18 78+18 97+18 116+18");
        panels.Add(f.Picture());
    }
    test::ExpectMatchesGolden(panels.Compose(), "painted_icons");
}

// --- group headers --------------------------------------------------------------------------

// Six group header rows of 20 pixels in the three caption alignments, with separators of
// thickness 0, 1 and 3 in red, collapsed and expanded.
struct Groups : Shot {
    Groups() : Shot(200, 150) {
        Columns({{"Name", 100}, {"Size", 80}});
        const int32_t aligns[] = {LVListItemAlignTop, LVListItemAlignMiddle, LVListItemAlignBottom};
        const int16_t thick[] = {0, 1, 3};
        for (int32_t i = 1; i <= 6; ++i) {
            Row({i % 2 == 1 ? "Collapsed" : "Expanded", ""});
            auto item = Item(i);
            item->SetGroupHeader(true);
            item->SetGroupHeaderHeight(20);
            item->SetGroupHeaderAlignment(aligns[(i - 1) % 3]);
            item->SetGroupHeaderMargin(1);
            item->SetGroupSeperator(true);
            item->SetGroupSeperatorThick(thick[(i - 1) / 2]);
            item->SetGroupSeperatorColor(kRed);
            item->SetGroupState(i % 2 == 1 ? LVCollapsed : LVExpanded);
        }
    }
};

TEST(PaintedControl, GroupHeadersInEveryAlignmentAndSeparatorGolden) {
    Groups f;
    f->SetGridLines(false);
    f->SetGridColumnLines(false);
    EXPECT_EQ(f.Rows(1, 6), "21+20 41+20 61+20 81+20 101+20 121+20");
    test::ExpectMatchesGolden(f.Picture(), "painted_group_headers");
}

TEST(PaintedControl, GroupSeparatorRowsByThickness) {
    Groups f;
    f->SetGridColumnLines(false);
    // With grid lines the rows are 21 pixels apart; the separator runs from x = L + 4 = 5 to
    // the surface's width - 3 (end excluded).
    EXPECT_EQ(f.Rows(1, 6), "21+20 42+20 63+20 84+20 105+20 126+20");
    const int32_t x = 100;
    // Thickness 1 (rows 3 and 4): the row's last line only.
    EXPECT_EQ(Runs(f, 82, 0, 200, kRed), "5+192");
    EXPECT_EQ(f.Hex(x, 81), "FFFFFF");
    EXPECT_NE(f.At(x, 83), kRed);  // the grid line
    // Thickness 3 (rows 5 and 6, y = 105 and 126): y + h - 3 .. y + h - 1, the grid line below.
    EXPECT_EQ(f.Down(x, 120, 125), "FFFFFF FFFFFF FF0000 FF0000 FF0000 ECE9D8");
    EXPECT_EQ(f.Down(x, 141, 146), "FFFFFF FFFFFF FF0000 FF0000 FF0000 ECE9D8");
    // Thickness 0 (rows 1 and 2) lies just below the row, where the grid line then draws.
    EXPECT_EQ(f.Hex(x, 41), "ECE9D8");

    // Without grid lines the rows close up and a thickness-0 line shows as the first line of
    // the next (transparent) row; the thick box fills down to y + h inclusive, which the next
    // row does not cover either.
    f->SetGridLines(false);
    EXPECT_EQ(f.Down(x, 40, 41), "FFFFFF FF0000");
    EXPECT_EQ(f.Down(x, 117, 121), "FFFFFF FF0000 FF0000 FF0000 FF0000");
    EXPECT_EQ(f.Down(x, 137, 142), "FFFFFF FF0000 FF0000 FF0000 FF0000 FFFFFF");
}

// --- column headers -------------------------------------------------------------------------

// Three columns of 66 pixels: Name (left), Size (right aligned), Type (centred).
struct Headers : Shot {
    explicit Headers(int32_t height = 40, bool headerImages = false) : Shot(200, height) {
        if (headerImages) BindImages(LVHeaderImages);  // before the columns: the band grows
        Columns({{"Name", 66}, {"Size", 66}, {"Type", 66}});
        Column(2)->SetAlignmentH(LVColumnHeaderAlignRight);
        Column(3)->SetAlignmentH(LVColumnHeaderAlignCenter);
        Row({"alpha", "1 kB", "Text"});
        list->SetCaratColor(kRed);
    }
};

TEST(PaintedControl, HeaderStatesGolden) {
    Panels panels;
    auto panel = [&](auto&& setUp, bool images = false) {
        Headers f(40, images);
        setUp(f);
        f->Refresh();
        panels.Add(f.Picture());
    };
    panel([](Headers&) {});  // plain, ascending caret on Name
    panel([](Headers& f) {
        f->SetHeaderHoverEffect(true);
        ControlTestAccess::Input(*f).hotColumn = 2;
    });
    panel([](Headers& f) {
        ControlTestAccess::Input(*f).pressedColumn = 2;  // the caret moves down with any press
        f->SetSortOrder(LVSortOrderDescending);
    });
    panel([](Headers& f) {
        f->SetSortedColumn(2);  // right aligned: the caret sits at the cell's left
        f->ColumnForWrite(3).cHEnabled = false;
    });
    panel([](Headers& f) {
        f.Column(1)->SetIcon(1);
        f.Column(2)->SetIcon(2);
        f.Column(3)->SetIcon(3);
        f.Column(1)->SetPictureOnRight(true);
        f->ColumnForWrite(3).cHEnabled = false;  // a disabled icon
    }, true);
    panel([](Headers& f) {
        // Without HeaderHoverEffect the hot column has no band, but shows its hover icon.
        f.Column(1)->SetIconHover(4);
        f.Column(2)->SetIconPress(5);
        ControlTestAccess::Input(*f).hotColumn = 1;
        ControlTestAccess::Input(*f).pressedColumn = 2;
    }, true);
    panel([](Headers& f) {
        f.Column(1)->SetIcon(1);
        f.Column(2)->SetIcon(2);
        f->SetEnabled(false);  // every caption embossed, every icon disabled
    }, true);
    test::ExpectMatchesGolden(panels.Compose(), "painted_header_states");
}

TEST(PaintedControl, HoverAndPressedLooksByProbe) {
    Headers f;
    const int32_t hh = f->HeaderHeight();
    ASSERT_EQ(hh, 20);
    // Column 2 runs from 67 to 133.
    const std::string plain = f.Down(70, 2, hh);
    const std::string edge = f.Hex(67, 2);
    ControlTestAccess::Input(*f).hotColumn = 2;
    f->Refresh();
    EXPECT_EQ(f.Down(70, 2, hh), plain);  // no hover effect without HeaderHoverEffect

    f->SetHeaderHoverEffect(true);
    f->Refresh();  // the flag is only stored
    // The band starts near white at y = 2 one pixel inside the cell and ends three pixels
    // short of the right edge; three lines close it from x + 1 to the cell's right.
    EXPECT_EQ(f.Hex(68, 2), "FCFCFE");
    EXPECT_EQ(f.Hex(130, 2), "FCFCFE");
    EXPECT_NE(f.Hex(131, 2), "FCFCFE");
    EXPECT_EQ(f.Hex(67, 2), edge);
    EXPECT_EQ(f.Hex(68, 3), "FBFBFD");  // one step down a line
    EXPECT_EQ(f.Down(68, hh - 2, hh), "FFC73C FFC83C E68B2C");
    EXPECT_EQ(Runs(f, hh, 60, 140, RGB(230, 139, 44)), "68+65");

    // Pressed: framed in 207,207,192 from y = 2 to hh, and darker than the band inside.
    ControlTestAccess::Input(*f).hotColumn = -1;
    ControlTestAccess::Input(*f).pressedColumn = 2;
    f->Refresh();
    EXPECT_EQ(f.Hex(67, 2), "CFCFC0");
    EXPECT_EQ(f.Hex(132, 2), "CFCFC0");
    EXPECT_EQ(f.Hex(132, hh), "CFCFC0");
    EXPECT_EQ(f.Hex(67, hh), "ECE9D8");  // the column line starts at the band's bottom
    const COLORREF band = f.At(45, 12);
    const COLORREF pressed = f.At(80, 12);
    EXPECT_LT(GetRValue(pressed) + GetGValue(pressed) + GetBValue(pressed),
              GetRValue(band) + GetGValue(band) + GetBValue(band));
}

TEST(PaintedControl, SortCaretRowsInBothOrdersAndBothPlacements) {
    Headers f;
    // Name is sorted: the caret ends 5 pixels left of the cell's right edge e = 67, its lines
    // centred on yc = round(hh / 2) = 10.
    auto caret = [&](int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
        std::string out;
        for (int32_t y = y0; y <= y1; ++y) out += std::to_string(y) + ":" + Runs(f, y, x0, x1, kRed) + " ";
        return out;
    };
    EXPECT_EQ(caret(1, 67, 7, 12), "7:- 8:58+1 9:57+3 10:56+5 11:55+7 12:- ");
    f->SetSortOrder(LVSortOrderDescending);
    EXPECT_EQ(caret(1, 67, 7, 12), "7:- 8:55+7 9:56+5 10:57+3 11:- 12:- ");
    // While any header is pressed the caret moves down one line.
    ControlTestAccess::Input(*f).pressedColumn = 3;
    f->Refresh();
    EXPECT_EQ(caret(1, 67, 7, 12), "7:- 8:- 9:55+7 10:56+5 11:57+3 12:- ");

    // The right-aligned Size column (67..133) carries it at its left, from b + 3 with b = 67,
    // one further right while pressed.
    f->SetSortedColumn(2);
    f->SetSortOrder(LVSortOrderAscending);
    EXPECT_EQ(caret(1, 200, 8, 12), "8:- 9:74+1 10:73+3 11:72+5 12:71+7 ");
    ControlTestAccess::Input(*f).pressedColumn = -1;
    f->Refresh();
    EXPECT_EQ(caret(1, 200, 7, 11), "7:- 8:73+1 9:72+3 10:71+5 11:70+7 ");
    // No caret once the column hides it, or column sorting is off.
    f.Column(2)->SetShowCaret(false);
    EXPECT_EQ(caret(1, 200, 7, 11), "7:- 8:- 9:- 10:- 11:- ");
    f.Column(2)->SetShowCaret(true);
    f->SetAllowColumnSorting(false);
    f->Refresh();
    EXPECT_EQ(caret(1, 200, 7, 11), "7:- 8:- 9:- 10:- 11:- ");
}

// --- schemes --------------------------------------------------------------------------------

TEST(PaintedControl, EverySchemeInBothHeaderStylesGolden) {
    Panels panels;
    for (int32_t theme : {XPBlue, XPSilver, XPOlive}) {
        for (int32_t style : {LVNormal, LVOffice2003}) {
            Headers f(58);
            f.Row({"beta", "22 kB", "Image"});
            f->SetSelectBackColor(kSelect);
            f->GotFocus();
            f.Item(2)->SetSelected(true);
            f->SetHeaderHoverEffect(true);
            ControlTestAccess::Input(*f).hotColumn = 1;
            ControlTestAccess::Input(*f).pressedColumn = 3;
            f->SetTheme(theme);
            f->SetHeaderStyle(style);
            f->Resize(200, 58);  // the band follows the style at the next rebuild
            panels.Add(f.Picture());
        }
    }
    test::ExpectMatchesGolden(panels.Compose(), "painted_schemes");
}

TEST(PaintedControl, BorderAndHeaderBandOfEachScheme) {
    Shot f(100, 40);
    f.Columns({{"A", 60}});
    const int32_t hh = 20;
    struct Expected {
        int32_t theme;
        const char* border;
        const char* normal;  // x = 1 from y = 1, then the lines at hh - 2, hh - 1, hh
        const char* office;  // x = 1 at y = 1, half = 10 and hh
    };
    const Expected rows[] = {
        {XPBlue, "7F9DB9", "F0F0EB CBC7B8 D6D2C2 E2DECD", "D3E6FE C1DCFC 6E9ADA"},
        {XPSilver, "7F9DB9", "EAEAEC E6E7EF D1D2DE BDBECE", "EFF0F7 E3E2ED A2A0BB"},
        {XPOlive, "A4B97F", "F0F0EB CBC7B8 D6D2C2 E2DECD", "F5F6E9 EFF1D0 AAB883"},
    };
    for (const Expected& e : rows) {
        SCOPED_TRACE(e.theme);
        f->SetHeaderStyle(LVNormal);
        f->SetTheme(e.theme);
        f->Resize(100, 40);
        EXPECT_EQ(f.Hex(0, 0), e.border);
        EXPECT_EQ(f.Hex(99, 39), e.border);
        EXPECT_EQ(f.Hex(1, 1) + " " + f.Hex(1, hh - 2) + " " + f.Hex(1, hh - 1) + " " + f.Hex(1, hh),
                  e.normal);
        EXPECT_EQ(f.Hex(1, hh - 3), f.Hex(1, 1));  // the gradient runs across, not down
        EXPECT_EQ(f.Hex(1, hh + 1), "FFFFFF");

        // The style changes at the next rebuild of the background, not at once.
        f->SetHeaderStyle(LVOffice2003);
        EXPECT_EQ(f.Hex(1, hh), std::string(e.normal).substr(21));
        f->Resize(100, 40);
        EXPECT_EQ(f.Hex(1, 1) + " " + f.Hex(1, hh / 2) + " " + f.Hex(1, hh), e.office);
        EXPECT_EQ(f.Hex(98, hh / 2), f.Hex(1, hh / 2));  // one colour per line
    }
    // With the Office 2003 band a scheme change rebuilds at once; with LVNormal it waits.
    f->SetTheme(XPBlue);
    EXPECT_EQ(f.Hex(1, hh), "6E9ADA");
    f->SetHeaderStyle(LVNormal);
    f->Resize(100, 40);
    f->SetTheme(XPSilver);
    EXPECT_EQ(f.Hex(1, hh), "E2DECD");
    f->Resize(100, 40);
    EXPECT_EQ(f.Hex(1, hh), "BDBECE");
    // The border follows the scheme at the next paint.
    f->SetTheme(XPOlive);
    EXPECT_EQ(f.Hex(0, 0), "A4B97F");
    EXPECT_EQ(f.Hex(1, hh), "BDBECE");
}

}  // namespace
}  // namespace glv
