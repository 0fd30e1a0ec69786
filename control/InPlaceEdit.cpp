// In-place editing of an item's text: where editing begins (a second click, cListItem.Edit),
// the box over the row, the keys typed into it, the commit with the host's veto or rewrite,
// and every way an edit ends (Enter, Escape, focus loss, a press elsewhere, CancelEdit).
//
// The box takes the keyboard focus while it is open. When it closes while holding the focus,
// the focus goes back to the control, whose focus handler repaints the row with its new text;
// the box's report of that focus loss then finds nothing open and does nothing.

#include "control/InPlaceEdit.h"

#include "core/ColumnWidths.h"
#include "core/Events.h"
#include "input/InPlaceEdit.h"
#include "platform/GeometryLimits.h"

namespace glv {

void GlideListView::InitEditing() {
    editor_ = std::make_unique<InPlaceEditor>(*this, platform_, hwnd_);
    editor_->box.SetColors(applied_.editBackColor, applied_.editForeColor);
}

EditBox& GlideListView::ItemEditBox() { return editor_->box; }

int32_t GlideListView::ItemInEdit() const { return editor_ ? editor_->itemInEdit : -1; }

void GlideListView::EditItem(int32_t index) {
    if (!props_.AllowEdit || !items_.Contains(index) || !items_.Group(index).Visible) return;
    // No repaint batching here: the box is placed from the row's top as the last paint wrote
    // it, so the scroll into view must have painted first.
    Selection(items_, view_).DeselectAll();
    Repaint();
    EnsureVisible(index);
    BeginEdit(index);
    if (!items_.Contains(index)) return;  // the host removed it meanwhile
    Selection(items_, view_).Select(index);
    view_.currentItem = index;
    Repaint();
}

void GlideListView::BeginEdit(int32_t row) {
    if (!props_.AllowEdit || !items_.Contains(row)) return;
    bool cancel = false;
    FlushPaint();
    if (events_) events_->BeforeItemEdit(cancel, items_.Item(row), row);
    if (cancel || !items_.Contains(row)) return;
    tListItemInfo& item = items_.Item(row);
    const StdFont font(item.cLIFontName.str(), item.cLIFontSize, item.cLIFontBold, item.cLIFontItalic,
                       item.cLIFontUnderline, item.cLIFontStrikeThrough);
    EditBox& box = editor_->box;
    box.SetFont(font.ToFontSpec());
    box.SetText(item.cLIText);
    // Kept within reach of the row's left edge, so the box's width is a plain difference.
    const int32_t column1Right = columns_.Count() >= 1 ? ClampToFar(RightEdge(columns_.Column(1))) : item.cLIItemX;
    box.Place(EditBoxPlacement(item.cLIItemX, item.cLIItemY, item.cLIItemHeight, TextHeight(font), column1Right));
    box.SetVisible(true);
    box.SelectAll();
    editor_->editing = true;
    editor_->itemInEdit = row;
    item.cLIInEdit = true;
    box.Focus();
    Repaint();
}

void GlideListView::RequestCommit() {
    InPlaceEditor& ed = *editor_;
    if (!ed.cancelPending) {
        CommitEdit();
        return;
    }
    ed.cancelPending = false;
    FlushPaint();
    if (events_) events_->CancelItemEdit(view_.currentItem);
}

void GlideListView::CommitEdit() {
    InPlaceEditor& ed = *editor_;
    ed.committing = true;
    std::string newString = ed.box.Text();
    bool cancel = false;
    const int32_t index = view_.currentItem;
    FlushPaint();
    if (events_) {
        events_->AfterItemEdit(cancel, ItemOrEmpty(index), index, newString);
        AfterItemEvent(index);
    }
    if (!cancel) {
        if (items_.Contains(index)) items_.Item(index).cLIText = std::move(newString);
        CloseEditBox();
    } else {
        // Vetoed: the box stays open for another try, its text selected.
        ed.box.SelectAll();
        if (events_) events_->CancelItemEdit(index);
    }
    ed.committing = false;
    ed.cancelPending = false;
}

void GlideListView::CloseEditBox() {
    InPlaceEditor& ed = *editor_;
    ed.box.SetVisible(false);
    ed.editing = false;
    if (items_.Contains(ed.itemInEdit)) items_.Item(ed.itemInEdit).cLIInEdit = false;
    ed.itemInEdit = -1;
    if (platform_.windows.GetFocus() == ed.box.hwnd()) platform_.windows.SetFocus(hwnd_);
}

// Everything that ends an edit from outside (a press on another row, scrolling, clearing or
// hiding items) commits as Enter would and closes the box. Once the item in edit is gone there
// is nothing to store it into, and the box just closes.
void GlideListView::EndEdit() {
    if (!editor_ || !editor_->editing) return;
    if (items_.Contains(editor_->itemInEdit) && items_.Contains(view_.currentItem)) RequestCommit();
    CloseEditBox();
}

void GlideListView::CancelEdit() {
    InPlaceEditor& ed = *editor_;
    if (!ed.editing) return;
    ed.cancelPending = true;
    // The box's focus loss turns the pending cancel into CancelItemEdit. A box that did not
    // hold the focus loses none, so the cancellation is reported here instead of waiting for
    // a key that belongs to some later edit.
    CloseEditBox();
    if (ed.cancelPending) {
        ed.cancelPending = false;
        FlushPaint();
        if (events_) events_->CancelItemEdit(view_.currentItem);
    }
    Repaint();
}

void GlideListView::OnGotFocus() {
    GotFocus();
    // The control hands the focus on to an open edit box.
    if (editor_ && editor_->editing) editor_->box.Focus();
}

// --- the box's reports ---------------------------------------------------------------------------

void GlideListView::OnEditKeyDown(int32_t& keyCode, int32_t shift) {
    auto key = static_cast<int16_t>(keyCode);
    FlushPaint();
    if (events_) events_->ItemKeyDown(key, static_cast<int16_t>(shift), ItemOrEmpty(view_.currentItem), view_.currentItem);
    keyCode = static_cast<uint16_t>(key);
}

void GlideListView::OnEditKeyUp(int32_t& keyCode, int32_t shift) {
    auto key = static_cast<int16_t>(keyCode);
    FlushPaint();
    if (events_) events_->ItemKeyUp(key, static_cast<int16_t>(shift), ItemOrEmpty(view_.currentItem), view_.currentItem);
    keyCode = static_cast<uint16_t>(key);
}

void GlideListView::OnEditKeyPress(int32_t& keyAscii) {
    InPlaceEditor& ed = *editor_;
    const int32_t index = view_.currentItem;
    switch (EditKeyPressRule(keyAscii, ed.cancelPending)) {
        case EditKeyRule::EndPendingCancel:
            keyAscii = 0;
            ed.cancelPending = false;
            if (events_) events_->CancelItemEdit(index);
            break;
        case EditKeyRule::Commit:
            keyAscii = 0;
            CommitEdit();
            break;
        case EditKeyRule::Cancel:
            keyAscii = 0;
            CloseEditBox();
            if (events_) events_->CancelItemEdit(index);
            break;
        case EditKeyRule::Type: {
            const int16_t sent = KeyAsciiOf(keyAscii);
            int16_t answered = sent;
            if (events_) events_->ItemKeyPress(answered, ItemOrEmpty(index), index);
            keyAscii = CharacterAfterKeyPress(keyAscii, sent, answered);
            break;
        }
    }
}

// Losing the focus while open stands for Enter; then the box closes and the rows repaint.
void GlideListView::OnEditLostFocus() {
    InPlaceEditor& ed = *editor_;
    if (ed.committing || (!ed.editing && !ed.cancelPending)) return;
    RequestCommit();
    CloseEditBox();
    Repaint();
}

}  // namespace glv
