#include "apps/viewer/Viewer.h"

#include <cmath>
#include <cstring>

#include "platform/Utf8.h"

namespace glv::viewer {

namespace {

// Messages the runtime sends for keys that are not in the library's own list.
constexpr uint32_t kCharMessage = 0x0102;
constexpr uint32_t kSysCharMessage = 0x0106;
// lParam bit of key messages sent while Alt is held.
constexpr intptr_t kAltContextBit = intptr_t{1} << 29;

constexpr int32_t kVkShift = 16, kVkControl = 17, kVkMenu = 18;

}  // namespace

void ViewerEvents::ItemDblClick(int16_t Button, tListItemInfo& Item, int32_t ItemIndex) {
    EventRecorder::ItemDblClick(Button, Item, ItemIndex);
    if (onItemDblClick) onItemDblClick(Item, ItemIndex);
}

const std::string& ViewerEvents::LastLine() {
    std::vector<std::string> lines = TakeLines();
    if (!lines.empty()) last_ = std::move(lines.back());
    return last_;
}

void DeliverKey(Platform& platform, HWND fallback, KeyAction action, int32_t code, int32_t shift) {
    SystemInfo& system = platform.system;
    if (action != KeyAction::Press && (code == kVkShift || code == kVkControl || code == kVkMenu))
        system.keysDown[code] = action == KeyAction::Down;
    // Alt's own down and up are system keys too.
    const bool alt = (shift & 4) != 0 || system.KeyDown(kVkMenu) || (action != KeyAction::Press && code == kVkMenu);
    const HWND target = platform.windows.GetFocus() ? platform.windows.GetFocus() : fallback;
    uint32_t message = 0;
    switch (action) {
        case KeyAction::Down: message = alt ? wm::kSysKeyDown : wm::kKeyDown; break;
        case KeyAction::Up: message = alt ? wm::kSysKeyUp : wm::kKeyUp; break;
        case KeyAction::Press: message = alt ? kSysCharMessage : kCharMessage; break;
    }
    platform.windows.SendMessage(target, message, code, 1 | (alt ? kAltContextBit : 0));
}

int32_t PointerShapeOf(const Platform&) { return 0; }

int32_t WheelAccumulator::Add(double notches) {
    pending_ += notches * 120.0;
    const double whole = std::trunc(pending_ / 120.0) * 120.0;
    pending_ -= whole;
    return static_cast<int32_t>(whole);
}

Viewer::Viewer(scenario::Host& host, ViewerEvents& events) : host_(host), events_(events) {
    host_.control->SetEventSink(&events_);
}

Viewer::~Viewer() {
    if (host_.control) host_.control->SetEventSink(&host_.recorder);
}

void Viewer::AfterInput() {
    if (afterInput) afterInput();
}

void Viewer::Pointer(Form::PointerAction action, int32_t x, int32_t y, int32_t button, int32_t shift) {
    host_.form->Pointer(action, x, y, button, shift);
    AfterInput();
}

// As the runtime delivers it: to the control's window, the delta in the high word of wParam and
// the cursor's screen position in lParam.
void Viewer::Wheel(double notches) {
    const int32_t delta = wheel_.Add(notches);
    if (delta == 0) return;
    const auto high = static_cast<uint32_t>(static_cast<uint16_t>(delta)) << 16;
    const SystemInfo& system = host_.platform.system;
    host_.platform.windows.SendMessage(Control().hwnd(), wm::kMouseWheel, static_cast<intptr_t>(high),
                                       PackPoint(system.cursorX, system.cursorY));
    AfterInput();
}

void Viewer::Key(KeyAction action, int32_t code, int32_t shift) {
    DeliverKey(host_.platform, Control().hwnd(), action, code, shift);
    AfterInput();
}

void Viewer::Text(std::string_view utf8, int32_t shift) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = DecodeUtf8(utf8, pos);
        // One press per UTF-16 code unit, as the runtime's character messages carry them.
        if (c >= 0x10000) {
            DeliverKey(host_.platform, Control().hwnd(), KeyAction::Press,
                       static_cast<int32_t>(0xD800 + ((c - 0x10000) >> 10)), shift);
            DeliverKey(host_.platform, Control().hwnd(), KeyAction::Press,
                       static_cast<int32_t>(0xDC00 + ((c - 0x10000) & 0x3FF)), shift);
        } else {
            DeliverKey(host_.platform, Control().hwnd(), KeyAction::Press, static_cast<int32_t>(c), shift);
        }
    }
    AfterInput();
}

void Viewer::Focus(bool gained) {
    if (gained)
        Control().GotFocus();
    else
        Control().LostFocus();
    AfterInput();
}

void Viewer::Resize(int32_t width, int32_t height) {
    host_.form->SetSize(width, height);
    Control().Resize(width, height);
    AfterInput();
}

void Viewer::AdvanceTo(int64_t nowMs) {
    if (!clockOrigin_) clockOrigin_ = nowMs - host_.platform.clock.Now();
    const int64_t due = nowMs - *clockOrigin_;
    // As a message loop checks its timers once a frame: a timer fires once however many of its
    // intervals the frame took, so a 2 ms repaint timer paints once a frame, not eight times.
    if (due > host_.platform.clock.Now()) host_.platform.clock.AdvanceCoalescing(due - host_.platform.clock.Now());
    AfterInput();
}

bool Viewer::Compose() {
    Surface next = host_.form->Compose();
    const std::size_t bytes =
        static_cast<std::size_t>(next.Width()) * static_cast<std::size_t>(next.Height()) * sizeof(uint32_t);
    const bool changed = next.Width() != frame_.Width() || next.Height() != frame_.Height() ||
                         (bytes != 0 && std::memcmp(next.Pixels(), frame_.Pixels(), bytes) != 0);
    if (changed) frame_ = std::move(next);
    return changed;
}

std::string Viewer::Status() {
    GlideListView& list = Control();
    std::string status = std::to_string(list.ItemCount()) + " items, " +
                         std::to_string(list.CachedSelectedCount()) + " selected";
    const std::string& last = events_.LastLine();
    if (!last.empty()) status += " \xE2\x80\x94 " + last;
    return status;
}

}  // namespace glv::viewer
