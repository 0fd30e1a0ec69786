#include "render/RowPainters.h"

#include <optional>

#include "core/PropertyValues.h"
#include "render/CellPlacement.h"

namespace glv {

namespace {

// The state-drawing flags of disabled text: DST_TEXT | DSS_DISABLED and the word-ellipsis bit.
constexpr uint32_t kDisabledTextState = 0x40021;
// The check box's image box is 12 pixels wide, its bitmap one more.
constexpr int32_t kCheckBoxImageWidth = 12;

bool Disabled(const RowStyle& style, const tListItemInfo& item) {
    return !item.cLIEnabled || !style.controlEnabled;
}

// Selected rows show the selection colours unless an edit is open, or the control has no focus
// and hides its selection.
bool ShowsSelection(const RowStyle& style, const tListItemInfo& item) {
    return item.cLISelected && !style.editing && (style.hasFocus || !style.hideSelection);
}

// selectionSpans: whether this cell takes the selection colours of a selected row.
CellLook LookOf(const RowStyle& style, const tListItemInfo& item, bool selectionSpans) {
    if (Disabled(style, item)) return CellLook::Disabled;
    const bool selected = ShowsSelection(style, item);
    if (selected && selectionSpans)
        return style.hasFocus ? CellLook::Selected : CellLook::SelectedNoFocus;
    if (style.ledger && !selected) return CellLook::Ledger;
    return CellLook::Normal;
}

COLORREF Resolve(const RowStyle& style, OLE_COLOR c) {
    return style.system != nullptr ? style.system->Resolve(c) : (c & 0x00FFFFFFu);
}

COLORREF ForeColor(const RowStyle& style, CellLook look, OLE_COLOR own) {
    switch (look) {
        case CellLook::Disabled: return style.colors.disabledFore;
        case CellLook::Selected: return style.colors.selectFore;
        case CellLook::SelectedNoFocus: return style.colors.noFocusFore;
        case CellLook::Ledger:
        case CellLook::Normal: break;
    }
    return Resolve(style, own);
}

void Fill(Surface& s, int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF c) {
    s.DrawBox(x1, y1, x2, y2, c, true);
}

// The colour a cell is filled with from its left edge, if any: the selection colours, or its own
// back colour unless columns are transparent. Disabled and ledger cells get none here.
std::optional<COLORREF> CellFill(const RowStyle& style, CellLook look, OLE_COLOR own) {
    switch (look) {
        case CellLook::Selected: return style.colors.selectBack;
        case CellLook::SelectedNoFocus: return style.colors.noFocusBack;
        case CellLook::Normal:
            if (!style.columnTransparent) return Resolve(style, own);
            return std::nullopt;
        case CellLook::Disabled:
        case CellLook::Ledger: break;
    }
    return std::nullopt;
}

const IconPainter* BoundIcons(const RowStyle& style) {
    return style.smallIcons != nullptr && style.smallIcons->Bound() ? style.smallIcons : nullptr;
}

RECT TextBox(const CellPlacement& place, RowMetrics row) {
    const int32_t top = TextTop(row.top, row.height, row.textHeight);
    return {place.textLeft, top, place.textRight, top + row.textHeight};
}

void DrawCellText(Surface& s, TextEngine& text, const FontSpec& font, std::string_view caption,
                  RECT rc, COLORREF color) {
    text.DrawText(s, font, caption, rc, DT_WORD_ELLIPSIS, color);
}

void DrawEmbossedText(Surface& s, TextEngine& text, const RowStyle& style, const FontSpec& font,
                      std::string_view caption, const RECT& rc) {
    // The box is as wide as the rectangle's right edge value, so the text is never cut short.
    text.DrawState(s, font, caption, rc.Left, rc.Top, rc.Right, 0, kDisabledTextState,
                   style.colors.embossed);
}

int32_t MeasureWithCalcRect(TextEngine& text, Surface& s, const FontSpec& font,
                            std::string_view caption, bool height) {
    RECT rc{};
    text.DrawText(s, font, caption, rc, DT_CALCRECT, 0);
    return height ? rc.Bottom - rc.Top : rc.Right - rc.Left;
}

void StoreGeometry(tListItemInfo& item, int32_t textLeft, RowMetrics row) {
    item.cLIItemX = textLeft;
    item.cLIItemY = row.top;
    item.cLITextHeight = row.textHeight;
    item.cLIItemHeight = row.height;
}

}  // namespace

RowStyle MakeRowStyle(const PropertyValues& props, const SystemInfo& system, bool hasFocus,
                      bool editing, int32_t surfaceWidth) {
    RowStyle style;
    style.controlEnabled = props.Enabled;
    style.hasFocus = hasFocus;
    style.ledger = props.BackStyle == Ledger;
    style.hideSelection = props.HideSelection;
    style.fullRowSelect = props.FullRowSelect;
    style.columnTransparent = props.ColumnBackStyle == LVColumnTransparent;
    style.checkBoxes = props.CheckBoxes;
    style.editing = editing;
    style.surfaceWidth = surfaceWidth;
    style.system = &system;
    RowColors& c = style.colors;
    c.ledgerEven = system.Resolve(props.LedgerColorEven);
    c.ledgerOdd = system.Resolve(props.LedgerColorOdd);
    c.selectBack = system.Resolve(props.SelectBackColor);
    c.selectFore = system.Resolve(props.SelectForeColor);
    c.noFocusBack = system.Resolve(props.SelectNoFocusBackColor);
    c.noFocusFore = system.Resolve(props.SelectNoFocusForeColor);
    c.disabledFore = system.Resolve(props.ItemDisabledForeColor);
    c.embossed.text = c.disabledFore;
    c.embossed.highlight = system.Resolve(kSystemColorFlag | syscolor::kBtnHighlight);
    c.embossed.shadow = system.Resolve(kSystemColorFlag | syscolor::kBtnShadow);
    return style;
}

std::optional<CellBackground> ItemCellBackground(const RowStyle& style, const tListItemInfo& item,
                                                 int32_t index, CellSpan cell, RowMetrics row) {
    const int32_t L = cell.left, R = cell.right, y = row.top, h = row.height;
    const CellLook look = LookOf(style, item, true);
    if (look == CellLook::Ledger) {
        // Bands follow item indexes, so hidden rows do not shift them.
        return CellBackground{Surface::BoxRect(L, y, style.surfaceWidth - 1, y + h),
                              index % 2 == 0 ? style.colors.ledgerEven : style.colors.ledgerOdd};
    }
    if (const auto fill = CellFill(style, look, item.cLIBackColor)) {
        const bool wide = look == CellLook::Normal && item.cLIOverLap;
        return CellBackground{Surface::BoxRect(L, y, wide ? style.surfaceWidth - 1 : R - 1, y + h),
                              *fill};
    }
    return std::nullopt;
}

std::optional<CellBackground> SubItemCellBackground(const RowStyle& style, const tListItemInfo& item,
                                                    int32_t k, CellSpan cell, RowMetrics row) {
    if (k < 1 || static_cast<size_t>(k) > item.cLISubListItemInfo.size()) return std::nullopt;
    const tSubListItemInfo& sub = item.cLISubListItemInfo[static_cast<size_t>(k) - 1];
    // Ledger rows are not filled here: the item cell's band already covers the row.
    const auto fill = CellFill(style, LookOf(style, item, style.fullRowSelect), sub.cSIBackColor);
    if (!fill) return std::nullopt;
    return CellBackground{Surface::BoxRect(cell.left, row.top, cell.right - 1, row.top + row.height),
                          *fill};
}

void PaintItemCell(Surface& surface, TextEngine& text, const RowStyle& style, tListItemInfo& item,
                   int32_t index, CellSpan cell, RowMetrics row, const FontSpec& font) {
    const int32_t L = cell.left, R = cell.right, y = row.top, h = row.height;
    const int32_t tw = text.GetTextExtentPoint32(font, item.cLIText).cx;
    const IconPainter* icons = style.checkBoxes ? nullptr : BoundIcons(style);
    const bool hasIcon = icons != nullptr && item.cLIIconIndex > 0;
    const int32_t iw = style.checkBoxes ? kCheckBoxImageWidth : hasIcon ? icons->ImageWidth() : 0;

    // With check boxes the image is the check box and the text always follows it on the left.
    CellInput in{L, R, tw, iw, item.cLIIndent, ToCellAlign(item.cLIItemHAlign),
                 item.cLIPictureOnRight};
    if (style.checkBoxes) {
        in.align = CellAlign::Left;
        in.pictureOnRight = false;
    }
    const CellPlacement place = PlaceItemCell(in);
    RECT rc = TextBox(place, row);
    // Overlapping text may run on across the sub-item columns, which such rows leave undrawn.
    if (item.cLIOverLap && in.align == CellAlign::Left && !(in.pictureOnRight && iw != 0))
        rc.Right = style.surfaceWidth - 1;

    const CellLook look = LookOf(style, item, true);
    if (const auto fill = ItemCellBackground(style, item, index, cell, row))
        surface.FillRect(fill->box, fill->color);

    const bool enabled = look != CellLook::Disabled;
    if (style.checkBoxes) {
        if (style.strips != nullptr) {
            const int32_t top = h < 13 ? y : y + RoundToInt((h - 12) / 2.0);
            const CheckBoxImage image =
                enabled ? (item.cLIItemChecked ? CheckBoxImage::Checked : CheckBoxImage::Unchecked)
                        : (item.cLIItemChecked ? CheckBoxImage::DisabledChecked
                                               : CheckBoxImage::DisabledUnchecked);
            DrawCheckBox(surface, *style.strips, image, L + 4, top);
        }
    } else if (hasIcon) {
        const int32_t top = CentredTop(y, h, icons->ImageHeight());
        // The icon keeps its selected form even where the selection colours are hidden.
        if (enabled)
            icons->Draw(surface, item.cLIIconIndex, place.imageX, top,
                        item.cLISelected && !style.editing);
        else
            icons->DrawDisabled(surface, item.cLIIconIndex, place.imageX, top);
    }

    if (place.imageX + iw <= R) {
        if (enabled)
            DrawCellText(surface, text, font, item.cLIText, rc,
                         ForeColor(style, look, item.cLIForeColor));
        else
            DrawEmbossedText(surface, text, style, font, item.cLIText, rc);
    }
    StoreGeometry(item, rc.Left, row);
}

void PaintSubItemCell(Surface& surface, TextEngine& text, const RowStyle& style,
                      const tListItemInfo& item, int32_t k, CellSpan cell, RowMetrics row,
                      const FontSpec& font) {
    if (k < 1 || static_cast<size_t>(k) > item.cLISubListItemInfo.size()) return;
    const tSubListItemInfo& sub = item.cLISubListItemInfo[static_cast<size_t>(k) - 1];
    const int32_t L = cell.left, R = cell.right, y = row.top, h = row.height;
    const int32_t tw = MeasureWithCalcRect(text, surface, font, sub.cSIText, false);

    const CellLook look = LookOf(style, item, style.fullRowSelect);
    if (const auto fill = SubItemCellBackground(style, item, k, cell, row))
        surface.FillRect(fill->box, fill->color);

    const IconPainter* icons = BoundIcons(style);
    const bool hasIcon = icons != nullptr && sub.cSIIconIndex >= 1;
    const int32_t iw = hasIcon ? icons->ImageWidth() : 0;
    const CellPlacement place = PlaceSubItemCell(
        {L, R, tw, iw, sub.cSIIndent, ToCellAlign(sub.cSIItemHAlign), sub.cSIPictureOnRight});
    if (hasIcon && place.imageX + iw <= R) {
        const int32_t top = CentredTop(y, h, icons->ImageHeight());
        const bool selected = look == CellLook::Selected || look == CellLook::SelectedNoFocus;
        if (look != CellLook::Disabled)
            icons->Draw(surface, sub.cSIIconIndex, place.imageX, top, selected);
        else
            icons->DrawDisabled(surface, sub.cSIIconIndex, place.imageX, top);
    }
    // Disabled sub-items are plain grey text, not embossed.
    DrawCellText(surface, text, font, sub.cSIText, TextBox(place, row),
                 ForeColor(style, look, sub.cSIForeColor));
}

GroupHeaderLayout LayoutGroupHeader(const tItemGroupInfo& group, int32_t firstColumnLeft,
                                    int32_t surfaceWidth, RowMetrics row, int32_t captionHeight) {
    const int32_t y = row.top, h = row.height, ct = captionHeight;
    const int32_t m = group.GroupHeaderMargin;
    const int32_t s = group.GroupSeperator ? group.GroupSeperatorThick : 0;
    GroupHeaderLayout out;
    out.glyphLeft = firstColumnLeft + 4;
    out.caption.Left = out.glyphLeft + 13 + group.GroupHeaderCaptionSeperation;
    out.caption.Right = surfaceWidth - 1;
    switch (group.GroupHeaderAlignment) {
        case LVListItemAlignMiddle:
            out.glyphTop = y + (h - 11) / 2;
            out.caption.Top = y + (h - ct) / 2;
            break;
        case LVListItemAlignBottom:
            // The glyph is centred on the caption, which sits above the separator and margin.
            out.caption.Top = y + h - ct - s - m;
            out.glyphTop = out.caption.Top + ct / 2 - 5;
            break;
        default:
            out.caption.Top = y + m;
            out.glyphTop = y + m + ct / 2 - 5;
            break;
    }
    out.caption.Bottom = out.caption.Top + ct;
    return out;
}

void PaintGroupHeaderRow(Surface& surface, TextEngine& text, const RowStyle& style,
                         tListItemInfo& item, const tItemGroupInfo& group, int32_t firstColumnLeft,
                         RowMetrics row, const FontSpec& font) {
    const int32_t ct = MeasureWithCalcRect(text, surface, font, item.cLIText, true);
    const GroupHeaderLayout layout =
        LayoutGroupHeader(group, firstColumnLeft, style.surfaceWidth, row, ct);

    if (style.strips != nullptr)
        DrawGroupGlyph(surface, *style.strips,
                       group.GroupState == LVCollapsed ? GroupGlyph::Plus : GroupGlyph::Minus,
                       layout.glyphLeft, layout.glyphTop);

    if (!Disabled(style, item))
        DrawCellText(surface, text, font, item.cLIText, layout.caption,
                     Resolve(style, item.cLIForeColor));
    else
        DrawEmbossedText(surface, text, style, font, item.cLIText, layout.caption);

    if (group.GroupSeperator) {
        const COLORREF color = Resolve(style, group.GroupSeperatorColor);
        const int32_t thick = group.GroupSeperatorThick;
        const int32_t bottom = row.top + row.height;
        if (thick >= 2) {
            Fill(surface, layout.glyphLeft, bottom - thick, style.surfaceWidth - 3, bottom, color);
        } else {
            // Thickness 1 is the row's last line; 0 lies just below the row.
            surface.SetPen(color);
            surface.MoveTo(layout.glyphLeft, bottom - thick);
            surface.LineTo(style.surfaceWidth - 3, bottom - thick);
        }
    }
    StoreGeometry(item, layout.caption.Left, row);
}

}  // namespace glv
