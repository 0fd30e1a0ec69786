// glv: the command-line host of GlideListView.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string_view>

#include "apps/Demo.h"
#include "apps/scenario/Reference.h"
#include "apps/scenario/Scenario.h"
#include "platform/Version.h"
#ifdef GLV_HAVE_VIEWER
#include "apps/viewer/ViewCommand.h"
#endif

namespace {

void PrintHelp() {
    std::puts("usage: glv [--version] [--help]\n"
              "       glv run FILE.json [--out DIR]\n"
              "       glv demo [--out DIR]\n"
              "       glv view [SOURCE] [--events] [--timing] [--frames N]\n"
              "       glv doc\n"
              "\n"
              "  --version    print the library version\n"
              "  --help       print this help\n"
              "  run          run a scenario: event lines on standard output, diagnostics on\n"
              "               standard error; exit 0 passed, 1 an expectation failed, 2 not a\n"
              "               valid scenario. Snapshots go to DIR (default ./glv-out)\n"
              "  view         the control in a window: SOURCE is a scenario (.json), a folder or\n"
              "               a CSV/TSV file; none opens the showcase's file list. --events\n"
              "               prints event lines as they are raised, --timing the load and\n"
              "               frame times, --frames N closes after N frames\n"
              "  doc          print the Markdown reference of every property, member and event");
}

// glv run FILE.json [--out DIR]
int Run(int argc, char** argv) {
    glv::scenario::RunOptions options;
    const char* file = nullptr;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            options.outDir = argv[++i];
        } else if (file == nullptr && !arg.starts_with("--")) {
            file = argv[i];
        } else {
            std::cerr << "glv run: unexpected argument \"" << arg << "\"\n";
            return glv::scenario::kExitInvalid;
        }
    }
    if (file == nullptr) {
        std::cerr << "usage: glv run FILE.json [--out DIR]\n";
        return glv::scenario::kExitInvalid;
    }
    const int status = glv::scenario::RunScenarioFile(file, options, std::cout, std::cerr);
    std::cout.flush();
    return status;
}

// glv demo [--out DIR]
int Demo(int argc, char** argv) {
    std::filesystem::path outDir = "glv-out";
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            outDir = argv[++i];
        } else {
            std::cerr << "glv demo: unexpected argument \"" << arg << "\"\n";
            return glv::scenario::kExitInvalid;
        }
    }
    const int status = glv::demo::RunDemo(GLV_SHOWCASE_DIR, outDir, std::cout, std::cerr);
    std::cout.flush();
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == "--version") {
        std::printf("glv %s\n", glv::LibraryVersion());
        return 0;
    }
    if (argc >= 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        PrintHelp();
        return 0;
    }
    if (argc >= 2 && std::string_view(argv[1]) == "run") return Run(argc, argv);
    if (argc >= 2 && std::string_view(argv[1]) == "demo") return Demo(argc, argv);
    if (argc >= 2 && std::string_view(argv[1]) == "view") {
#ifdef GLV_HAVE_VIEWER
        return glv::viewer::RunViewCommand(argc, argv);
#else
        std::cerr << "glv view: this glv was built without SDL2 or libcsv; install them "
                     "(scripts/setup-deps.sh) and build again\n";
        return 2;
#endif
    }
    if (argc == 2 && std::string_view(argv[1]) == "doc") {
        glv::reference::WriteReference(std::cout);
        return 0;
    }
    PrintHelp();
    return argc < 2 ? 0 : 2;
}
