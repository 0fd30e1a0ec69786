#pragma once
// The scenario runner: creates one GlideListView as a scenario file describes, drives it step
// by step through its dispatch interface and checks what happens.
//
// Event lines go to the events stream as the control raises them, and nothing else does;
// diagnostics go to the diagnostics stream. The result is the exit status of `glv run`:
//   0  every expectation held
//   1  an expectation failed ("step N: expected ... found ..."); the run stops there
//   2  the file is not a valid scenario (bad JSON, unknown verb or member, arguments of the
//      wrong shape), with a message naming the step

#include <cstddef>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/EventRecorder.h"
#include "control/GlideListView.h"
#include "platform/Container.h"
#include "platform/DataObject.h"
#include "platform/DragSession.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "platform/Variant.h"

namespace glv::scenario {

inline constexpr int kExitPassed = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitInvalid = 2;

// The far end of a drop step: a window of the form, outside the control, that drags a data
// object holding the step's text (or no text at all) with the effects the step offers.
class DropStepSource final : public DragSource {
public:
    std::optional<std::string> text;
    int32_t effects = dropeffect::kCopy | dropeffect::kMove;

    void DragStart(DataObject& data, int32_t& allowedEffects) override {
        if (text) data.SetData(Variant(*text), DataObject::kTextFormat);
        allowedEffects = effects;
    }
};

// The control and everything it runs on. Members are destroyed in reverse order, so the control
// goes before the form it sits on, the recorder it reports to and the platform it lives on.
struct Host {
    Platform platform;
    Container container;
    EventRecorder recorder;
    std::unique_ptr<Form> form;  // holds the control at its client origin
    std::unique_ptr<GlideListView> control;
    ObjectPtr root;
    // A second list on the same form (second_list), held as $second; its events are not listed.
    EventRecorder secondRecorder;
    std::unique_ptr<GlideListView> second;
    // What drop steps drag from, made by the first of them.
    DropStepSource dropSource;
    HWND dropSourceWindow = 0;
    std::unique_ptr<DragSession> drag;
    // Host windows that values made (an expanding row's children); they go first.
    std::vector<std::shared_ptr<void>> kept;

    explicit Host(std::ostream& events) : recorder(&events) {}
    ~Host() {
        kept.clear();
        drag.reset();
        if (dropSourceWindow) platform.windows.DestroyWindow(dropSourceWindow);
    }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;
};

struct RunOptions {
    std::filesystem::path outDir = "glv-out";  // where snapshots are written
    std::filesystem::path baseDir = ".";       // files named in the scenario are relative to it
    // The object paths start at. Empty: the control's own dispatch object. Tests put a double here.
    std::function<ObjectPtr(GlideListView&)> rootObject;
    // Whether snapshot steps write their pictures (a host that only wants the control set up
    // turns them off).
    bool writeSnapshots = true;
    // Called once every step has passed, with the control still alive: an interactive host
    // takes it over from here. Its result becomes the run's exit status.
    std::function<int(Host&)> handOver;
    // Runs only the first maxSteps steps (0: all of them), so a file from an untrusted source
    // (the fuzz target) runs in bounded time; the outcome is that of the steps run.
    std::size_t maxSteps = 0;
};

// Runs a scenario given as text.
int RunScenario(std::string_view text, const RunOptions& options, std::ostream& events,
                std::ostream& diagnostics);

// Runs a scenario file; its folder becomes the base folder.
int RunScenarioFile(const std::filesystem::path& file, RunOptions options, std::ostream& events,
                    std::ostream& diagnostics);

}  // namespace glv::scenario
