#pragma once
// The error object of the automation runtime: a number, a source and a description.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace glv {

class AutomationError : public std::runtime_error {
public:
    AutomationError(int32_t number, std::string source, std::string description)
        : std::runtime_error(Format(number, source, description)),
          Number(number),
          Source(std::move(source)),
          Description(std::move(description)) {}

    int32_t Number;
    std::string Source;
    std::string Description;

private:
    static std::string Format(int32_t number, const std::string& source, const std::string& text) {
        return "error " + std::to_string(number) + " (" + source + "): " + text;
    }
};

// Numbers of the runtime's own errors that the control lets through to the host.
namespace runtime_error {
inline constexpr int32_t kInvalidProcedureCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kObjectVariableNotSet = 91;
inline constexpr int32_t kInvalidUseOfNull = 94;
inline constexpr int32_t kInvalidPropertyValue = 380;
inline constexpr int32_t kObjectRequired = 424;
inline constexpr int32_t kInvalidPicture = 481;
inline constexpr int32_t kNotSupported = 438;
inline constexpr int32_t kArgumentNotOptional = 449;
inline constexpr int32_t kWrongArgumentCount = 450;
}  // namespace runtime_error

// The runtime's standard description for one of its error numbers ("Overflow", "Type mismatch").
const char* RuntimeErrorDescription(int32_t number);

// Raises one of the runtime's own errors, as the runtime does inside the library: the source is
// the library's name.
[[noreturn]] void RaiseRuntimeError(int32_t number);

// The library's name as the host sees it in error sources.
inline constexpr const char* kLibraryName = "glideListViewLib";

}  // namespace glv
