#pragma once
// The item, sub-item, group and column records, in their published field order.
//
// Hosts receive tListItemInfo and tColHeaderInfo by reference in events, and scripts reach their
// fields by name, so the names and the order of the fields are part of the interface. Strings
// that are usually empty or shared (font names, tags, string data) are SharedStrings so that a
// million-row list stays compact; captions are plain std::strings.

#include <cstdint>
#include <memory_resource>
#include <string>
#include <vector>

#include "platform/SharedString.h"
#include "platform/SystemInfo.h"
#include "platform/Variant.h"

namespace glv {

enum LVListItemHAlignConstants : int32_t {
    LVListItemAlignLeft = 0, LVListItemAlignCenter = 1, LVListItemAlignRight = 2
};
enum LVListItemVAlignConstants : int32_t {
    LVListItemAlignTop = 0, LVListItemAlignMiddle = 1, LVListItemAlignBottom = 2
};
enum LVColumnHeaderHAlignConstants : int32_t {
    LVColumnHeaderAlignLeft = 0, LVColumnHeaderAlignCenter = 1, LVColumnHeaderAlignRight = 2
};
enum LVColumnHeaderVAlignConstants : int32_t {
    LVColumnHeaderAlignTop = 0, LVColumnHeaderAlignMiddle = 1, LVColumnHeaderAlignBottom = 2
};
enum LVGroupStateConstants : int32_t { LVExpanded = 0, LVCollapsed = 1, LVHide = 2 };
enum LVPromptConstants : int32_t { LVYes = 0, LVYesToAll = 1, LVNo = 2, LVNoToAll = 3 };

struct tSubListItemInfo {
    OLE_COLOR cSIBackColor = 0;
    bool cSIEnabled = true;
    bool cSIFontBold = false;
    bool cSIFontItalic = false;
    SharedString cSIFontName;
    bool cSIFontStrikeThrough = false;
    bool cSIFontUnderline = false;
    OLE_COLOR cSIForeColor = 0;
    int16_t cSIIconIndex = 0;
    int16_t cSIIndent = 0;
    Variant cSIItemData;
    SharedString cSIItemStringData;
    int32_t cSIItemHAlign = LVListItemAlignLeft;
    int32_t cSIItemVAlign = LVListItemAlignTop;
    bool cSIPictureOnRight = false;
    OLE_COLOR cSISelectBackColor = 0;
    OLE_COLOR cSISelectForeColor = 0;
    SharedString cSITag;
    std::string cSIText;

    bool operator==(const tSubListItemInfo&) const = default;
};

struct tListItemInfo {
    tListItemInfo() = default;
    // A record whose sub-items are taken from the given memory (a list's pool).
    explicit tListItemInfo(std::pmr::memory_resource* subItemMemory)
        : cLISubListItemInfo(subItemMemory) {}

    OLE_COLOR cLIBackColor = 0;
    bool cLIEnabled = true;
    SharedString cLIFontName;
    bool cLIFontBold = false;
    bool cLIFontItalic = false;
    float cLIFontSize = 0;
    bool cLIFontStrikeThrough = false;
    bool cLIFontUnderline = false;
    OLE_COLOR cLIForeColor = 0;
    int16_t cLIIconIndex = 0;
    bool cLIInEdit = false;
    int16_t cLIIndent = 0;
    Variant cLIItemData;
    SharedString cLIItemStringData;
    bool cLIItemChecked = false;
    int32_t cLIItemHeight = 16;
    int32_t cLIItemHAlign = LVListItemAlignLeft;
    int32_t cLIItemVAlign = LVListItemAlignTop;
    bool cLIOverLap = false;
    bool cLIPictureOnRight = false;
    bool cLISelectable = true;
    bool cLISelected = false;
    OLE_COLOR cLISelectBackColor = 0;
    OLE_COLOR cLISelectForeColor = 0;
    // Sub-item k (1-based) is element k - 1; one element per column that existed when the item
    // was made. Sub-item k belongs to column k + 1; the last element belongs to no column.
    // Items in a list keep their sub-items in the list's pool; a copy uses the default heap.
    std::pmr::vector<tSubListItemInfo> cLISubListItemInfo;
    SharedString cLITag;
    std::string cLIText;
    int32_t cLITextHeight = 0;
    SharedString cLIToolTipText;
    int32_t cLIItemX = 0;
    int32_t cLIItemY = 0;

    bool operator==(const tListItemInfo&) const = default;
};

// Per-row group settings and visibility. Stays with its row position when items are sorted.
struct tItemGroupInfo {
    bool GroupHeader = false;
    int32_t GroupHeaderAlignment = LVListItemAlignTop;
    int16_t GroupHeaderCaptionSeperation = 0;
    int16_t GroupHeaderMargin = 0;
    int16_t GroupHeaderHeight = 0;
    int32_t GroupState = LVExpanded;
    bool GroupSeperator = false;
    OLE_COLOR GroupSeperatorColor = 0;
    int16_t GroupSeperatorThick = 0;
    bool Visible = true;
};

struct tColHeaderInfo {
    int32_t cHHAlignment = LVColumnHeaderAlignLeft;
    int32_t cHVAlignment = LVColumnHeaderAlignTop;
    std::string cHCaption;
    int32_t cHCollXSplit = 0;  // x of the right divider as last painted
    int32_t cHCollX = 0;       // x of the left edge as last painted
    bool cHEnabled = true;
    bool cHFontBold = false;
    bool cHFontItalic = false;
    SharedString cHFontName;
    float cHFontSize = 0;
    bool cHFontStrikeThrough = false;
    bool cHFontUnderline = false;
    OLE_COLOR cHForeColor = 0;
    OLE_COLOR cHHoverForeColor = 0;
    int16_t cHIcon = -1;
    int16_t cHIconHover = -1;
    int16_t cHIconPress = -1;
    int32_t cHItemData = 0;
    bool cHPictureOnRight = false;
    int32_t cHMinWidth = 0;
    int32_t cHSortType = 0;
    SharedString cHTag;
    int32_t cHWidth = 0;

    bool operator==(const tColHeaderInfo&) const = default;
};

struct tColHeaderExtInfo {
    int32_t MaxWidth = -1;  // -1: no limit
    bool ShowCaret = true;

    bool operator==(const tColHeaderExtInfo&) const = default;
};

}  // namespace glv
