#include "apps/viewer/ViewCommand.h"

#include <charconv>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "apps/scenario/Scenario.h"
#include "apps/viewer/FolderListing.h"
#include "apps/viewer/SdlViewer.h"
#include "apps/viewer/TableLoader.h"

namespace glv::viewer {

namespace {

namespace fs = std::filesystem;

struct ViewArguments {
    std::optional<fs::path> source;
    bool events = false;  // event lines on standard output
    bool timing = false;  // load and frame times on standard error
    int64_t frames = -1;  // stop after this many frames; -1 runs until the window is closed
};

constexpr const char* kUsage = "usage: glv view [SOURCE] [--events] [--timing] [--frames N]";

std::optional<ViewArguments> ParseArguments(int argc, char** argv) {
    ViewArguments args;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--events") {
            args.events = true;
        } else if (arg == "--timing") {
            args.timing = true;
        } else if (arg == "--frames" && i + 1 < argc) {
            const std::string_view count = argv[++i];
            const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), args.frames);
            if (error != std::errc() || end != count.data() + count.size() || args.frames < 1) {
                std::cerr << "glv view: --frames takes a count of frames, not \"" << count << "\"\n";
                return std::nullopt;
            }
        } else if (!args.source && !arg.starts_with("--")) {
            args.source = fs::path(arg);
        } else {
            std::cerr << "glv view: unexpected argument \"" << arg << "\"\n" << kUsage << '\n';
            return std::nullopt;
        }
    }
    return args;
}

double MillisSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

enum class SourceKind { Scenario, Folder, Table };

SourceKind KindOfSource(const fs::path& source) {
    if (fs::is_directory(source)) return SourceKind::Folder;
    return source.extension() == ".json" ? SourceKind::Scenario : SourceKind::Table;
}

// The window's life once the control is set up by the scenario runner.
class Session {
public:
    Session(const ViewArguments& args, SourceKind kind, fs::path source)
        : args_(args), kind_(kind), source_(std::move(source)) {}

    int Run(scenario::Host& host) {
        ViewerEvents events(args_.events ? &std::cout : nullptr);
        Viewer viewer(host, events);
        SdlVideo video;
        if (!video.ok()) {
            std::cerr << "glv view: cannot start SDL video: " << video.error() << '\n';
            return 1;
        }
        const WindowPlacement size = host.platform.windows.Placement(host.form->hwnd());
        WindowOptions options;
        options.title = "glv view \xE2\x80\x94 " + (source_.empty() ? std::string("showcase") : source_.filename().string());
        options.width = size.width;
        options.height = size.height;
        std::string error;
        std::unique_ptr<SdlViewer> window = SdlViewer::Open(viewer, options, error);
        if (!window) {
            std::cerr << "glv view: " << error << '\n';
            return 1;
        }
        const auto start = std::chrono::steady_clock::now();
        if (!Load(viewer, *window, events)) return 2;
        const double loaded = MillisSince(start);

        int64_t frames = 0;
        int64_t slowest = 0, total = 0;
        while (window->Frame()) {
            if (++frames == 1 && args_.timing)
                std::cerr << "loaded " << viewer.Control().ItemCount() << " items in " << loaded
                          << " ms; first frame shown at " << MillisSince(start) << " ms\n";
            slowest = std::max(slowest, window->ControlMicros());
            total += window->ControlMicros();
            if (args_.frames > 0 && frames >= args_.frames) break;
            SDL_WaitEventTimeout(nullptr, 10);
        }
        if (args_.timing && frames > 0)
            std::cerr << frames << " frames; control part per frame: mean " << total / frames << " us, slowest "
                      << slowest << " us\n";
        return 0;
    }

private:
    bool Load(Viewer& viewer, SdlViewer& window, ViewerEvents& events) {
        GlideListView& list = viewer.Control();
        if (kind_ == SourceKind::Folder) {
            icons_ = LoadFileIcons(viewer.platform(), fs::path(GLV_SHOWCASE_DIR) / "file-icons.png");
            std::string error;
            if (!ShowFolder(list, source_, icons_, error)) {
                std::cerr << "glv view: " << error << '\n';
                return false;
            }
            folder_ = fs::absolute(source_).lexically_normal();
            // Host code on the control's event: a double click on a folder row opens it, once
            // the control has finished handling the click.
            events.onItemDblClick = [this](const tListItemInfo& item, int32_t) { pendingOpen_ = item.cLIText; };
            viewer.afterInput = [this, &viewer, &window] { OpenPending(viewer, window); };
            window.SetCaption("glv view \xE2\x80\x94 " + folder_.string());
            return true;
        }
        if (kind_ == SourceKind::Table) {
            const std::string name = source_.filename().string();
            const TableSummary summary = LoadTableFile(list, source_, [&](double fraction, int64_t rows) {
                window.SetTitle("glv view \xE2\x80\x94 loading " + name + ": " +
                                std::to_string(static_cast<int>(fraction * 100)) + "%, " + std::to_string(rows) +
                                " rows");
                SDL_PumpEvents();
            });
            for (const std::string& note : summary.Notes()) std::cerr << "glv view: " << name << ": " << note << '\n';
            return summary.error.empty();
        }
        return true;
    }

    void OpenPending(Viewer& viewer, SdlViewer& window) {
        if (pendingOpen_.empty()) return;
        const fs::path target = (folder_ / pendingOpen_).lexically_normal();
        pendingOpen_.clear();
        std::error_code code;
        if (!fs::is_directory(target, code)) return;
        std::string error;
        if (ShowFolder(viewer.Control(), target, icons_, error)) {
            folder_ = target;
            window.SetCaption("glv view \xE2\x80\x94 " + folder_.string());
        } else {
            std::cerr << "glv view: " << error << '\n';
        }
    }

    const ViewArguments& args_;
    SourceKind kind_;
    fs::path source_;
    fs::path folder_;
    uint32_t icons_ = 0;
    std::string pendingOpen_;
};

}  // namespace

int RunViewCommand(int argc, char** argv) {
    const std::optional<ViewArguments> args = ParseArguments(argc, argv);
    if (!args) return 2;
    fs::path scenarioFile = fs::path(GLV_SHOWCASE_DIR) / "file_manager.json";
    SourceKind kind = SourceKind::Scenario;
    if (args->source) {
        std::error_code code;
        if (!fs::exists(*args->source, code)) {
            std::cerr << "glv view: " << args->source->string() << ": no such file or folder\n";
            return 2;
        }
        kind = KindOfSource(*args->source);
        if (kind == SourceKind::Scenario) scenarioFile = *args->source;
    }
    if (args->events) std::cout << std::unitbuf;
    std::ostream quiet(nullptr);
    std::ostream& eventLines = args->events ? std::cout : quiet;

    Session session(*args, kind, args->source.value_or(fs::path()));
    scenario::RunOptions options;
    options.writeSnapshots = false;
    options.handOver = [&session](scenario::Host& host) { return session.Run(host); };
    if (kind == SourceKind::Scenario) return scenario::RunScenarioFile(scenarioFile, options, eventLines, std::cerr);
    // Data sources start from a new control of the window's size.
    return scenario::RunScenario(R"({"size": [960, 600]})", options, eventLines, std::cerr);
}

}  // namespace glv::viewer
