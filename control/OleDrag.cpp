// OLE drag and drop: the control as the source of a drag (OLEDrag, the automatic start from a
// press and move, the drag text) and as its target (OLEDropMode none, manual or automatic).
// The session between the windows is platform/DragSession's; the texts are input/DragText.h's.

#include <cmath>
#include <memory>

#include "control/GlideListView.h"
#include "core/Events.h"
#include "input/DragText.h"
#include "platform/AutomationError.h"
#include "platform/DragSession.h"
#include "platform/Form.h"

namespace glv {

namespace {

enum OleDragMode : int32_t { kDragManual = 0, kDragAutomatic = 1 };
enum OleDropMode : int32_t { kDropNone = 0, kDropManual = 1, kDropAutomatic = 2 };

// A move that leaves this many pixels around the press, in either axis, starts a drag.
constexpr float kDragSlop = 2.0f;

}  // namespace

class GlideListView::OleLink final : public DragSource, public DropTarget {
public:
    explicit OleLink(GlideListView& list) : list_(list) {
        RegisterDragSource(list_.platform_.windows, list_.hwnd_, this);
        RegisterDropTarget(list_.platform_.windows, list_.hwnd_, this);
    }
    ~OleLink() override {
        session_.reset();
        WindowSystem& windows = list_.platform_.windows;
        if (windows.IsWindow(list_.hwnd_)) {
            RegisterDragSource(windows, list_.hwnd_, nullptr);
            RegisterDropTarget(windows, list_.hwnd_, nullptr);
        }
    }
    OleLink(const OleLink&) = delete;
    OleLink& operator=(const OleLink&) = delete;

    bool inProgress = false;  // set by the automatic start, cleared when a drag completes

    void Start(int32_t button) {
        Form* form = list_.HostForm();
        if (!form) return;
        if (!session_) session_ = std::make_unique<DragSession>(list_.platform_, *form);
        session_->Start(list_.hwnd_, button);
    }

    // --- as the source ----------------------------------------------------------------------
    void DragStart(DataObject& data, int32_t& allowedEffects) override {
        GlideListView& list = list_;
        data.Clear();
        if (list.props_.OLEDragMode == kDragAutomatic) {
            if (const std::optional<std::string> text =
                    BuildDragText(list.items_, list.columns_.Count(), list.props_.OleDropDataMode))
                data.SetData(Variant(*text), DataObject::kTextFormat);
        }
        allowedEffects = list.input_.ctrlKeyStatus ? dropeffect::kCopy : dropeffect::kMove;
        list.FlushPaint();
        if (list.events_) list.events_->OLEStartDrag(data, allowedEffects);
        list.Repaint();
    }
    void DragFeedback(int32_t effect, bool& defaultCursors) override {
        if (list_.events_) list_.events_->OLEGiveFeedback(effect, defaultCursors);
    }
    void DragSetData(DataObject& data, int16_t format) override {
        if (list_.events_) list_.events_->OLESetData(data, format);
    }
    void DragComplete(int32_t effect) override {
        inProgress = false;
        if (list_.events_) list_.events_->OLECompleteDrag(effect);
    }

    // --- as the target ----------------------------------------------------------------------
    void DragOver(DataObject& data, int32_t& effect, int32_t button, int32_t shift, float x, float y,
                  DragOverState state) override {
        switch (list_.props_.OLEDropMode) {
            case kDropNone: effect = dropeffect::kNone; break;
            case kDropManual:
                if (list_.events_)
                    list_.events_->OLEDragOver(data, effect, static_cast<int16_t>(button), static_cast<int16_t>(shift),
                                               x, y, static_cast<int16_t>(state));
                break;
            default: break;  // automatic: the default effect stands
        }
    }
    void Drop(DataObject& data, int32_t& effect, int32_t button, int32_t shift, float x, float y) override {
        switch (list_.props_.OLEDropMode) {
            case kDropManual:
                if (list_.events_)
                    list_.events_->OLEDragDrop(data, effect, static_cast<int16_t>(button), static_cast<int16_t>(shift),
                                               x, y);
                break;
            case kDropAutomatic: list_.AutomaticDrop(data); break;
            default: break;
        }
    }

private:
    GlideListView& list_;
    std::unique_ptr<DragSession> session_;
};

void GlideListView::OleLinkDeleter::operator()(OleLink* link) const { delete link; }

void GlideListView::InitOleDrag() { ole_.reset(new OleLink(*this)); }

bool GlideListView::OleDragInProgress() const { return ole_ && ole_->inProgress; }

void GlideListView::OLEDrag() {
    if (ole_) ole_->Start(pointer_.pressInProgress && pointer_.pressButton != 0 ? pointer_.pressButton : 1);
}

bool GlideListView::AutomaticOleDrag(float x, float y) {
    if (props_.OLEDragMode != kDragAutomatic || !ole_ || ole_->inProgress || !pointer_.pressInProgress ||
        items_.Count() < 1)
        return false;
    if (std::abs(x - pointer_.pressX) <= kDragSlop && std::abs(y - pointer_.pressY) <= kDragSlop) return false;
    ole_->inProgress = true;
    const int32_t button = pointer_.pressButton != 0 ? pointer_.pressButton : 1;
    pointer_.pressInProgress = false;  // the drag holds the pointer until the button comes up
    FlushPaint();
    ole_->Start(button);
    return true;
}

// New items from a dropped text, always at the end; where it was dropped plays no part.
void GlideListView::AutomaticDrop(DataObject& data) {
    if (!data.GetFormat(DataObject::kTextFormat)) return;
    std::string text;
    try {
        text = data.GetData(DataObject::kTextFormat).ToString(locale());
    } catch (const AutomationError&) {
        return;  // a value without a text form adds nothing
    }
    // A many-line drop is one update: each row alone would lay out and paint the list.
    bool many = false;
    std::vector<Variant> fields;
    ForEachDroppedRow(text, [&](std::span<const std::string_view> row) {
        if (row.size() == 1) {
            AddItemQuick(Variant(row[0]));
            return;
        }
        if (!many) {
            many = true;
            BeginUpdate();
            items_.Reserve(static_cast<std::size_t>(items_.Count()) + DroppedRowCount(text));
        }
        fields.clear();
        for (std::size_t i = 0; i < row.size(); ++i) {
            // Icon fields (every second one) as numbers where they plainly are.
            const std::optional<int16_t> icon = i % 2 == 1 ? PlainInteger(row[i]) : std::nullopt;
            fields.push_back(icon ? Variant(static_cast<int32_t>(*icon)) : Variant(row[i]));
        }
        AddItemQuick(Variant::Array(std::move(fields)));
    });
    if (many) EndUpdate();
}

}  // namespace glv
