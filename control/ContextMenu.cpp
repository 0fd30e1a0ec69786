// The built-in context menu: opened by a right press on the items (AllowSubMenu), its
// availability refreshed from the selection each time, and what each entry does when chosen.

#include "control/GlideListView.h"
#include "input/ContextMenuEntries.h"
#include "platform/Form.h"
#include "platform/PopupMenu.h"

namespace glv {

class GlideListView::ContextMenuLink final : public PopupMenuEvents {
public:
    ContextMenuLink(GlideListView& list, Form& form) : list_(list), menu_(list.platform_, form) {
        menu_.SetEvents(this);
    }
    ContextMenuLink(const ContextMenuLink&) = delete;
    ContextMenuLink& operator=(const ContextMenuLink&) = delete;

    PopupMenu& Menu() { return menu_; }
    void MenuClosed(int32_t chosen) override {
        if (chosen >= 0) list_.ContextMenuChosen(chosen);
    }

private:
    GlideListView& list_;
    PopupMenu menu_;
};

void GlideListView::ContextMenuLinkDeleter::operator()(ContextMenuLink* link) const { delete link; }

PopupMenu* GlideListView::OpenContextMenu() {
    return contextMenu_ && contextMenu_->Menu().IsOpen() ? &contextMenu_->Menu() : nullptr;
}

void GlideListView::ShowContextMenu() {
    Form* form = HostForm();
    if (!form) return;
    // The menu takes the pointer from here on, so this press gets no release of its own.
    pointer_.pressInProgress = false;
    if (!contextMenu_) contextMenu_.reset(new ContextMenuLink(*this, *form));
    PopupMenu& menu = contextMenu_->Menu();
    menu.SetFont(container_.AmbientFont.ToFontSpec());
    menu.SetEntries(ContextMenuEntries(SelectedCount()));
    const POINT origin = form->ClientToScreen({0, 0});
    menu.Open({platform_.system.cursorX - origin.x, platform_.system.cursorY - origin.y});
}

void GlideListView::ContextMenuChosen(int32_t index) {
    PaintBatch batch(*this);
    switch (index) {
        case menucmd::kDelete: DeleteSelection(); break;  // whatever AllowDelete says
        case menucmd::kDisableAll: ItemsDisableAll(); break;
        case menucmd::kEnableAll: ItemsEnableAll(); break;
        case menucmd::kDeselectAll: ItemsDeselectAll(); break;
        case menucmd::kSelectAll: ItemsSelectAll(); break;
        default: SyncScrollBars(); break;  // Undo, Cut, Copy, Paste
    }
}

}  // namespace glv
