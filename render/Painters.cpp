// Painters, first cut: each cell's and each header caption's text in its colour, placed at the
// left edge and centred on its row or band. Check boxes, icons, alignment, fills, separators,
// the selected, hot, pressed and disabled looks and the sort caret come with the full painters.
#include "render/Fonts.h"
#include "render/Painters.h"

namespace glv {

namespace {

int32_t TextTop(const RowBox& row) {
    return row.textHeight < row.height ? row.top + (row.height - row.textHeight) / 2 : row.top;
}

// The cell's text from left to right, word-ellipsised; returns the text's left edge.
int32_t DrawCellText(const PaintTarget& target, const RowBox& row, std::string_view text,
                     int32_t left, int32_t right, OLE_COLOR color) {
    const int32_t top = TextTop(row);
    RECT rc{left, top, right, top + row.textHeight};
    target.surface.SetTextColor(target.system.Resolve(color));
    target.text.DrawText(target.surface, text, rc, DT_WORD_ELLIPSIS);
    return rc.Left;
}

bool OffSurface(const Surface& surface, int32_t left, int32_t right) {
    return right <= 0 || left >= surface.Width();
}

}  // namespace

void PaintItemCell(const PaintTarget& target, const RowBox& row, tListItemInfo& item,
                   const tColHeaderInfo& column) {
    const int32_t left = column.cHCollX;
    const int32_t right = left + column.cHWidth;
    item.cLIItemX = left + 2;
    if (OffSurface(target.surface, left, right)) return;
    DrawCellText(target, row, item.cLIText, left + 2, right - 1, item.cLIForeColor);
}

void PaintSubItemCells(const PaintTarget& target, const RowBox& row, const tListItemInfo& item,
                       const ColumnStore& columns) {
    const auto subItems = static_cast<int32_t>(item.cLISubListItemInfo.size());
    for (int32_t k = 1; k < columns.Count() && k <= subItems; ++k) {
        const tColHeaderInfo& column = columns.Column(k + 1);
        const int32_t left = column.cHCollX;
        const int32_t right = left + column.cHWidth;
        if (OffSurface(target.surface, left, right)) continue;
        const tSubListItemInfo& sub = item.cLISubListItemInfo[static_cast<std::size_t>(k - 1)];
        SubItemFont(sub, item.cLIFontSize, target.scratchFont);
        target.surface.SetFont(target.scratchFont);
        DrawCellText(target, row, sub.cSIText, left + 2, right - 1, sub.cSIForeColor);
    }
}

void PaintGroupHeaderRow(const PaintTarget& target, const RowBox& row, tListItemInfo& item,
                         const tItemGroupInfo& group, const tColHeaderInfo& firstColumn) {
    const int32_t left = firstColumn.cHCollX + 4 + 13 + group.GroupHeaderCaptionSeperation;
    item.cLIItemX = left;
    DrawCellText(target, row, item.cLIText, left, target.surface.Width() - 1, item.cLIForeColor);
}

void PaintColumnHeaders(const PaintTarget& target, const HeaderBox& header,
                        const ColumnStore& columns) {
    if (target.props.HideColumnHeaders) return;
    const RowBox band{0, 0, header.height, header.textHeight};
    for (int32_t i = 1; i <= columns.Count(); ++i) {
        const tColHeaderInfo& column = columns.Column(i);
        if (OffSurface(target.surface, column.cHCollX, column.cHCollXSplit)) continue;
        ColumnFont(column, target.scratchFont);
        target.surface.SetFont(target.scratchFont);
        DrawCellText(target, band, column.cHCaption, column.cHCollX + 2, column.cHCollXSplit - 1,
                     column.cHForeColor);
    }
}

}  // namespace glv
