#include "platform/DragSession.h"

#include <utility>

#include "platform/VirtualKeys.h"

namespace glv {
namespace {

constexpr const char* kSourceProperty = "glv:DragSource";
constexpr const char* kTargetProperty = "glv:DropTarget";

template <typename T>
void Register(WindowSystem& windows, HWND hwnd, const char* name, T* part) {
    if (part)
        windows.SetProp(hwnd, name, reinterpret_cast<intptr_t>(part));
    else
        windows.RemoveProp(hwnd, name);
}

}  // namespace

void RegisterDragSource(WindowSystem& windows, HWND hwnd, DragSource* source) {
    Register(windows, hwnd, kSourceProperty, source);
}

void RegisterDropTarget(WindowSystem& windows, HWND hwnd, DropTarget* target) {
    Register(windows, hwnd, kTargetProperty, target);
}

DragSession::DragSession(Platform& platform, Form& form)
    : platform_(platform),
      form_(form),
      window_(platform.windows, 0, "DragSession",
              [this](uint32_t msg, intptr_t wParam, intptr_t lParam) { return Procedure(msg, wParam, lParam); }) {
    platform_.windows.SetVisible(hwnd(), false);
    data_.SetSupplier([this](DataObject& data, int16_t format) {
        if (DragSource* source = Source()) source->DragSetData(data, format);
    });
}

DragSession::~DragSession() {
    if (form_.PopupCapture() == hwnd()) form_.SetPopupCapture(0);
}

DragSource* DragSession::Source() const {
    return reinterpret_cast<DragSource*>(platform_.windows.GetProp(source_, kSourceProperty));
}

bool DragSession::Start(HWND source, int32_t button) {
    if (active_ || !platform_.windows.GetProp(source, kSourceProperty)) return false;
    source_ = source;
    button_ = button;
    target_ = 0;
    effect_ = dropeffect::kNone;
    data_.Clear();
    active_ = true;
    int32_t allowed = dropeffect::kCopy | dropeffect::kMove;
    Source()->DragStart(data_, allowed);
    allowed_ = allowed & (dropeffect::kCopy | dropeffect::kMove);
    if (!active_) return true;  // the source cancelled from inside its start
    if (allowed_ == dropeffect::kNone) {
        Finish(dropeffect::kNone);
        return true;
    }
    // The messages of the session's window are client pixels of the form: put it where the
    // form's client area starts.
    const POINT origin = form_.ClientToScreen({0, 0});
    window_.Place({origin.x, origin.y, 0, 0});
    form_.SetPopupCapture(hwnd());
    return true;
}

HWND DragSession::TargetAt(POINT at, DropTarget*& target) const {
    const WindowSystem& windows = platform_.windows;
    for (HWND hwnd = form_.WindowAt(at.x, at.y); hwnd != 0; hwnd = windows.GetParent(hwnd)) {
        if (const intptr_t part = windows.GetProp(hwnd, kTargetProperty)) {
            target = reinterpret_cast<DropTarget*>(part);
            return hwnd;
        }
    }
    target = nullptr;
    return 0;
}

void DragSession::Leave() {
    const HWND left = std::exchange(target_, 0);
    auto* part = reinterpret_cast<DropTarget*>(platform_.windows.GetProp(left, kTargetProperty));
    if (!part) return;
    int32_t effect = dropeffect::kNone;
    part->DragOver(data_, effect, button_, 0, 0.0f, 0.0f, DragOverState::Leave);
}

void DragSession::Over(POINT at, int32_t shift) {
    if (!active_) return;
    DropTarget* target = nullptr;
    const HWND hwnd = TargetAt(at, target);
    if (hwnd != target_) Leave();
    int32_t effect = dropeffect::kNone;
    if (target) {
        const int32_t wanted = (shift & 2) ? dropeffect::kCopy : dropeffect::kMove;
        effect = (allowed_ & wanted) ? wanted : allowed_ & dropeffect::kCopy ? dropeffect::kCopy : allowed_;
        const DragOverState state = hwnd == target_ ? DragOverState::Over : DragOverState::Enter;
        target_ = hwnd;
        const RECT rect = platform_.windows.WindowRect(hwnd);
        const POINT screen = form_.ClientToScreen(at);
        target->DragOver(data_, effect, button_, shift, static_cast<float>(screen.x - rect.Left),
                         static_cast<float>(screen.y - rect.Top), state);
        effect &= allowed_;
    }
    if (!active_) return;  // a target cancelled the drag
    effect_ = effect;
    bool defaultCursors = true;
    if (DragSource* source = Source()) source->DragFeedback(effect_, defaultCursors);
}

void DragSession::Drop(POINT at, int32_t shift) {
    if (!active_) return;
    DropTarget* target = nullptr;
    const HWND hwnd = TargetAt(at, target);
    // Released over a window the last move did not reach: it is entered first.
    if (hwnd != target_) Over(at, shift);
    if (!active_) return;
    if (!target || effect_ == dropeffect::kNone) {
        Leave();
        Finish(dropeffect::kNone);
        return;
    }
    int32_t effect = effect_;
    const RECT rect = platform_.windows.WindowRect(hwnd);
    const POINT screen = form_.ClientToScreen(at);
    target_ = 0;
    target->Drop(data_, effect, button_, shift, static_cast<float>(screen.x - rect.Left),
                 static_cast<float>(screen.y - rect.Top));
    Finish(effect & allowed_);
}

void DragSession::Cancel() {
    if (!active_) return;
    Leave();
    Finish(dropeffect::kNone);
}

void DragSession::Finish(int32_t effect) {
    active_ = false;
    effect_ = effect;
    target_ = 0;
    if (form_.PopupCapture() == hwnd()) form_.SetPopupCapture(0);
    if (DragSource* source = Source()) source->DragComplete(effect);
}

intptr_t DragSession::Procedure(uint32_t msg, intptr_t wParam, intptr_t lParam) {
    if (!active_) return 0;
    const POINT at = UnpackPoint(lParam);
    const int32_t shift = ((wParam & mk::kShift) ? 1 : 0) | ((wParam & mk::kControl) ? 2 : 0) |
                          (platform_.system.KeyDown(vk::kMenu) ? 4 : 0);
    const intptr_t held = button_ == 2 ? mk::kRButton : button_ == 4 ? mk::kMButton : mk::kLButton;
    switch (msg) {
        case wm::kMouseMove:
            if (platform_.system.KeyDown(vk::kEscape))
                Cancel();
            else if (wParam & held)
                Over(at, shift);
            else
                Drop(at, shift);  // the button came up where no message said so
            return 0;
        case wm::kLButtonUp:
        case wm::kRButtonUp:
        case wm::kMButtonUp:
            if (!(wParam & held)) Drop(at, shift);
            return 0;
        default: return 0;
    }
}

}  // namespace glv
