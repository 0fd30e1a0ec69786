#include "platform/BoundedInput.h"

#include <fstream>
#include <utility>
#include <vector>

namespace glv {

namespace {

std::string SizeText(std::size_t bytes) {
    return bytes % (std::size_t{1} << 20) == 0 ? std::to_string(bytes >> 20) + " MiB" : std::to_string(bytes) + " bytes";
}

}  // namespace

std::string ReadInputFile(const std::filesystem::path& path, std::size_t limit) {
    const std::string name = "\"" + path.string() + "\"";
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) throw InputError("cannot read " + name + ": it is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError("cannot open " + name);
    std::string text;
    char chunk[1 << 16];
    // Read in chunks with the exceptions of the stream left off, so a read error is a state to
    // test rather than a library exception with the system's wording.
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        const auto got = static_cast<std::size_t>(in.gcount());
        if (text.size() + got > limit)
            throw InputError("cannot read " + name + ": it is larger than " + SizeText(limit));
        text.append(chunk, got);
        if (in.eof()) break;
    }
    if (in.bad()) throw InputError("cannot read " + name);
    return text;
}

bool JsonNestsDeeperThan(std::string_view text, int limit) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;  // the escaped character cannot end the string
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit) return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

bool JsonNestsDeeperThan(const nlohmann::json& value, int limit) {
    std::vector<std::pair<const nlohmann::json*, int>> pending{{&value, 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        if (!node->is_structured()) continue;
        if (depth + 1 > limit) return true;
        for (const auto& child : *node) pending.emplace_back(&child, depth + 1);
    }
    return false;
}

void CheckInputJson(std::string_view text, std::string_view what) {
    if (text.size() > kMaxInputBytes)
        throw InputError(std::string(what) + " is larger than " + SizeText(kMaxInputBytes));
    if (JsonNestsDeeperThan(text, kMaxJsonDepth))
        throw InputError(std::string(what) + " nests arrays and objects deeper than " +
                         std::to_string(kMaxJsonDepth) + " levels");
}

}  // namespace glv
