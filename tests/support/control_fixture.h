#pragma once
// The one fixture every control test starts from: a control on a form, on its own platform,
// with the system colour table and the ambient font pinned, so a change of the platform's
// defaults cannot move a picture or a row height under a test. It records the control's
// events and drives it as the host's user would: pointer input through the form, keys as
// messages to the control's window, time by the platform's clock.
#include <cstdint>
#include <memory>
#include <string>

#include "control/GlideListView.h"
#include "core/EventRecorder.h"
#include "platform/Form.h"

namespace glv::test {

struct ControlOptions {
    int32_t width = 200;
    int32_t height = 120;
    bool initProperties = true;  // false: a control still to be loaded (ReadProperties)
    bool recordEvents = true;
};

struct ControlFixture {
    Platform platform;
    Container container;
    std::unique_ptr<Form> form;
    EventRecorder events;
    std::unique_ptr<GlideListView> list;

    explicit ControlFixture(ControlOptions options = {}) {
        PinSystem(platform.system);
        container.AmbientFont = StdFont{"DejaVu Sans", 8.0f};
        form = std::make_unique<Form>(platform, options.width, options.height);
        list = std::make_unique<GlideListView>(platform, container, options.width, options.height,
                                               form->hwnd());
        if (options.recordEvents) list->SetEventSink(&events);
        if (options.initProperties) list->InitProperties();
    }
    ControlFixture(int32_t width, int32_t height) : ControlFixture(ControlOptions{width, height}) {}

    GlideListView& operator*() { return *list; }
    GlideListView* operator->() { return list.get(); }

    // The colours, version, visual style and scheme every test sees: the system's own defaults,
    // written out once here.
    static void PinSystem(SystemInfo& system) {
        const SystemInfo defaults;
        system.colors = defaults.colors;
        system.os = OsVersion{5, 1, 2};
        system.visualStyles = true;
        system.themeFile = "C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
        system.colorScheme = "NormalColor";
    }

    // --- content ---------------------------------------------------------------------------
    // Items "<prefix>1", "<prefix>2", ... appended, each with no icon.
    void AddItems(int32_t count, const std::string& prefix = "item") {
        for (int32_t i = 1; i <= count; ++i)
            list->AddItem(prefix + std::to_string(i), -1, 0, Variant());
    }

    // The stored geometry of items first..last as "top+height", hidden items as "-":
    // "21+16 38+16 - 55+16".
    std::string Rows(int32_t first, int32_t last) const {
        std::string out;
        for (int32_t i = first; i <= last; ++i) {
            if (!out.empty()) out += ' ';
            const tListItemInfo& item = list->ItemRecord(i);
            out += list->GroupRecord(i).Visible
                       ? std::to_string(item.cLIItemY) + "+" + std::to_string(item.cLIItemHeight)
                       : "-";
        }
        return out;
    }

    // --- events ----------------------------------------------------------------------------
    // The events raised since the last call, joined by separator.
    std::string Events(const std::string& separator = ", ") {
        std::string out;
        for (const std::string& line : events.TakeLines()) out += (out.empty() ? "" : separator) + line;
        return out;
    }

    // --- pointer, keys, time -----------------------------------------------------------------
    // Form client pixels; button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt.
    void Down(int32_t x, int32_t y, int32_t button = 1, int32_t shift = 0) {
        form->Pointer(Form::PointerAction::Down, x, y, button, shift);
    }
    void Move(int32_t x, int32_t y, int32_t button = 0, int32_t shift = 0) {
        form->Pointer(Form::PointerAction::Move, x, y, button, shift);
    }
    void Up(int32_t x, int32_t y, int32_t button = 1, int32_t shift = 0) {
        form->Pointer(Form::PointerAction::Up, x, y, button, shift);
    }
    void Click(int32_t x, int32_t y, int32_t button = 1, int32_t shift = 0) {
        Down(x, y, button, shift);
        Up(x, y, button, shift);
    }
    // One wheel message of delta (120 a notch, positive away from the user) to the control.
    void Wheel(int32_t delta) {
        const auto high = static_cast<uint32_t>(static_cast<uint16_t>(delta)) << 16;
        platform.windows.SendMessage(list->hwnd(), wm::kMouseWheel, static_cast<intptr_t>(high), 0);
    }
    // A key pressed and released on the control's window (a virtual-key code).
    void KeyDown(int32_t virtualKey) { platform.windows.SendMessage(list->hwnd(), wm::kKeyDown, virtualKey, 0); }
    void KeyUp(int32_t virtualKey) { platform.windows.SendMessage(list->hwnd(), wm::kKeyUp, virtualKey, 0); }
    void Key(int32_t virtualKey) {
        KeyDown(virtualKey);
        KeyUp(virtualKey);
    }
    // Lets time pass: due timers fire.
    void Wait(int64_t ms) { platform.clock.Advance(ms); }
};

}  // namespace glv::test
