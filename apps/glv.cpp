// glv: the command-line host of GlideListView.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/Version.h"

namespace {

void PrintHelp() {
    std::puts("usage: glv [--version] [--help]\n"
              "\n"
              "  --version    print the library version\n"
              "  --help       print this help");
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
    PrintHelp();
    return argc < 2 ? 0 : 2;
}
