#pragma once
// The stored value of every property of the control, with the value a new control starts with.
// Which of them persist, under which names, and what a change does is described by the
// property table; this struct is only the storage.

#include <cstdint>
#include <memory>

#include "platform/StdFont.h"
#include "platform/StdPicture.h"
#include "platform/SystemInfo.h"

namespace glv {

enum LVThemes : int32_t { XPBlue = 0, XPSilver = 1, XPOlive = 2 };
enum LVBackStyles : int32_t { Normal = 0, Ledger = 1 };
enum LVScrollBars : int32_t { None = 0, Horizontal = 1, Vertical = 2, Both = 3 };
enum LVHeaderStyleConstants : int32_t { LVNormal = 0, LVOffice2003 = 1 };
enum LVColumnBackStyleConstants : int32_t { LVColumnOpaque = 0, LVColumnTransparent = 1 };
enum LVAutoTTGenConstants : int32_t {
    LVGenNone = 0, LVGenListItemText = 1, LVGenListItemTag = 2, LVGenRowText = 3,
    LVGenRowTag = 4, LVGenLocal = 5
};
enum LVViewStyleConstants : int32_t { LVViewReport = 3 };

struct PropertyValues {
    int32_t AutoGenerateToolTips = LVGenLocal;
    bool AutoSelectTheme = false;
    bool AutoSelectSize = false;
    int32_t MetricsSize = 0;
    bool AllowColumnResizing = true;
    bool AllowDelete = true;
    bool AllowEdit = true;
    bool AllowKeyNavigation = true;
    bool AllowSorting = true;
    bool AllowColumnSorting = true;
    bool AllowColumnDrag = false;
    bool AllowSubMenu = true;
    PicturePtr BackGroundPicture;
    int32_t BackGroundPictureAlignment = 0;
    OLE_COLOR BackGroundPictureMaskColor = 0xFFFFFF;
    OLE_COLOR BackColor = 0xFFFFFF;
    int32_t BackStyle = Normal;
    OLE_COLOR BorderColor = 0x80000003;
    OLE_COLOR CaratColor = 0;
    bool CheckBoxes = false;
    int32_t ColumnBackStyle = LVColumnTransparent;
    OLE_COLOR CornerBackColor = 0xFFFFFF;
    bool DefaultBorderColor = true;
    FontPtr DefaultColumnHeaderFont;
    FontPtr DefaultItemFont;
    OLE_COLOR DefaultItemForeColor = 0;
    OLE_COLOR DefaultItemBackColor = 0xFFFFFF;
    FontPtr DefaultSubItemFont;
    OLE_COLOR DisabledBackColor = 0x80000011;
    OLE_COLOR DisabledForeColor = 0x80000011;
    bool Enabled = true;
    bool ExpandingRow = false;
    bool FullRowSelect = true;
    bool GridLines = true;
    bool GridColumnLines = true;
    OLE_COLOR GridLineColor = 0x8000000F;
    int32_t HeaderStyle = LVNormal;
    bool HideColumnHeaders = false;
    bool HideSelection = false;
    bool HoverEffect = true;
    bool HeaderHoverEffect = false;
    bool HoverSelection = false;
    int32_t IconSpaceX = 0;
    int32_t IconSpaceY = 0;
    OLE_COLOR ItemDisabledForeColor = 0x80000011;
    OLE_COLOR ItemEditBackColor = 0x8000000D;
    OLE_COLOR ItemEditForeColor = 0xFFFFFF;
    bool ItemToolTips = true;
    OLE_COLOR LedgerColorEven = 0x80000013;
    OLE_COLOR LedgerColorOdd = 0xFFFFFF;
    bool MaintainSelection = false;
    int32_t MaintainSelectionMode = 0;
    bool MultiSelect = false;
    int32_t OLEDragMode = 0;
    int32_t OLEDropMode = 0;
    int32_t OleDropDataMode = 0;
    bool RightToLeft = false;
    int16_t RowVerticalMargin = 1;
    bool RowShrinkOnNoText = true;
    int16_t RowMinHeight = 3;
    int32_t ScrollBars = Both;
    OLE_COLOR ToolTipBackColor = 0x80000018;
    OLE_COLOR ToolTipForeColor = 0;
    OLE_COLOR ToolTipBorderColor = 0;
    int32_t ToolTipPreTime = 1000;
    int32_t ToolTipPostTime = 3000;
    FontPtr ToolTipFont;
    OLE_COLOR SelectBackColor = 0x8000000D;
    OLE_COLOR SelectForeColor = 0xFFFFFF;
    OLE_COLOR SelectNoFocusBackColor = 0x8000000F;
    OLE_COLOR SelectNoFocusForeColor = 0;
    int32_t SortOrder = 0;
    int32_t SortedColumn = 1;
    int32_t Theme = XPBlue;
    int32_t View = 0;  // a new control starts at 0 until View is set; loading gives 3

    // Values persisted without a public property.
    bool AllowDragDrop = false;
    OLE_COLOR DefaultColumnHeaderForeColor = 0;
    bool DynamicColumnResize = false;
    OLE_COLOR HighLightBorderColor = 0xC00000;
    int16_t CurrentColumn = 0;
    PicturePtr MouseIcon;     // read and kept, never used
    int16_t BorderWidth = 1;  // saved as 1, never read
};

}  // namespace glv
