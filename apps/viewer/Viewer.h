#pragma once
// The viewer's host logic, free of any window system: it takes input already converted to the
// form's pixels and the runtime's codes, delivers it as the hosting runtime would, moves the
// control's clock, and composes the frame a window shows. apps/viewer/SdlViewer.h feeds it from
// a real window; tests feed it directly or through SDL's event queue.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "apps/scenario/Scenario.h"
#include "core/EventRecorder.h"
#include "platform/Form.h"
#include "platform/Surface.h"

namespace glv::viewer {

// The viewer's event sink: every event becomes a line (printed with --events), the last line
// feeds the status, and host code can react to a double click on an item.
class ViewerEvents final : public EventRecorder {
public:
    explicit ViewerEvents(std::ostream* echo) : EventRecorder(echo) {}

    // Runs after the line is recorded. The control is inside its own handler then: a reaction
    // that changes the list should be deferred until the input has been delivered.
    std::function<void(const tListItemInfo& item, int32_t itemIndex)> onItemDblClick;

    void ItemDblClick(int16_t Button, tListItemInfo& Item, int32_t ItemIndex) override;

    // The most recent event line, kept across calls; the recorded lines are dropped so a long
    // session does not accumulate them.
    const std::string& LastLine();

private:
    std::string last_;
};

enum class KeyAction { Down, Press, Up };

// Key input to the window with the focus (the control when nothing has it), as the runtime
// delivers it: the system's key state follows Shift, Ctrl and Alt; with Alt held, key messages
// are the system variants with the context bit (bit 29) set; a press carries one UTF-16 code
// unit. This is the one place a later form-level key router replaces.
void DeliverKey(Platform& platform, HWND fallback, KeyAction action, int32_t code, int32_t shift);

// The pointer shape the control asks for, as the runtime's MousePointer value (0 the default
// arrow, 9 the horizontal sizing shape over a column divider). The form does not report one yet,
// so this is the default until it does; the window already follows whatever this answers.
int32_t PointerShapeOf(const Platform& platform);

// SDL reports precise wheel motion in notches, possibly fractional; the control takes deltas of
// 120 a notch. Fractions are kept until they add up to a whole notch.
class WheelAccumulator {
public:
    // The delta to deliver now (a multiple of 120, possibly 0).
    int32_t Add(double notches);

private:
    double pending_ = 0;  // in 120ths of a notch
};

class Viewer {
public:
    Viewer(scenario::Host& host, ViewerEvents& events);
    ~Viewer();
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;

    GlideListView& Control() { return *host_.control; }
    Platform& platform() { return host_.platform; }

    void Pointer(Form::PointerAction action, int32_t x, int32_t y, int32_t button, int32_t shift);
    // Notches of the wheel, positive away from the user.
    void Wheel(double notches);
    void Key(KeyAction action, int32_t code, int32_t shift);
    // A press for each character of UTF-8 text.
    void Text(std::string_view utf8, int32_t shift);
    void Focus(bool gained);
    void Resize(int32_t width, int32_t height);
    // Moves the control's clock to a real time in milliseconds, firing once each timer due by
    // then (Clock::AdvanceCoalescing). The first call only sets the origin.
    void AdvanceTo(int64_t nowMs);

    // Host work deferred out of the control's handlers (opening a folder on a double click):
    // runs after each delivered input.
    std::function<void()> afterInput;

    // Composes the frame; true when it differs from the last one composed.
    bool Compose();
    const Surface& Frame() const { return frame_; }

    // "N items, M selected" and the last event line.
    std::string Status();

private:
    void AfterInput();

    scenario::Host& host_;
    ViewerEvents& events_;
    WheelAccumulator wheel_;
    std::optional<int64_t> clockOrigin_;
    Surface frame_;
};

}  // namespace glv::viewer
