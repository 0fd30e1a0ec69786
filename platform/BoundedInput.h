#pragma once
// Limits on what is read from outside the process: files (scenarios, pictures, image strips) and
// JSON text (property bags, scenarios, literals inside a scenario path). A file or a text past a
// limit is refused with a message saying which limit, before anything is built from it, so no
// input can exhaust memory or drive a recursion deep enough to overflow the stack.

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace glv {

// 64 MiB: far above any property bag, scenario or picture the control is given.
inline constexpr std::size_t kMaxInputBytes = std::size_t{64} << 20;
// Property bags nest two levels (a font or a picture inside the bag) and scenarios a handful;
// nesting is capped well above that and far below what recursion over it could not survive.
inline constexpr int kMaxJsonDepth = 64;

class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole file, of at most `limit` bytes. A missing file, a folder, a read error or a file
// that goes on past the limit (a device such as /dev/zero) throws InputError naming the file.
std::string ReadInputFile(const std::filesystem::path& path, std::size_t limit = kMaxInputBytes);

// Whether arrays and objects nest deeper than `limit` levels: the text is scanned and the value
// walked without recursion.
bool JsonNestsDeeperThan(std::string_view text, int limit);
bool JsonNestsDeeperThan(const nlohmann::json& value, int limit);

// Throws InputError when JSON text from outside is larger than kMaxInputBytes or nests deeper
// than kMaxJsonDepth ("WHAT nests arrays and objects deeper than 64 levels").
void CheckInputJson(std::string_view text, std::string_view what);

// JSON text from outside, parsed once CheckInputJson passed; text that is not JSON throws
// InputError too ("WHAT is not valid JSON: ..."). JsonType keeps or sorts the keys' order.
template <class JsonType = nlohmann::json>
JsonType ParseInputJson(std::string_view text, std::string_view what) {
    CheckInputJson(text, what);
    try {
        return JsonType::parse(text);
    } catch (const nlohmann::json::exception& bad) {
        throw InputError(std::string(what) + " is not valid JSON: " + bad.what());
    }
}

}  // namespace glv
