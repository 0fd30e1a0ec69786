#pragma once
// The one place that turns the control's internal error codes into automation errors.
// Every error a host sees from the control's own checks passes through RaiseError, so one
// breakpoint catches them all.

#include <cstdint>
#include <string>
#include <string_view>

namespace glv {

// Internal error codes and the numbers and descriptions the host sees for them.
enum ErrorCode : int32_t {
    kErrObjectUnloaded = 1,     // 364 "Object has been unloaded."
    kErrListBarMissing = 2,     // -2147196503 "ListBar does not exist."
    kErrListItemMissing = 3,    // -2147196502 "ListItem does not exist."
    kErrTypeMismatch = 4,       // 13 "Type Mismatch."
    kErrKeyExists = 5,          // 457
    kErrSubscript = 6,          // 9 "Subscript out of range."
    kErrOutOfMemory = 7,        // 7 "Out of Memory."
    kErrHeaderMissing = 8,      // -2147196501 "Header does not exist."
    kErrGroupEnable = 9,        // -2147196500 "Failed to set group enable state."
    kErrSubItemMissing = 10,    // -2147196499 "SubItem does not exist."
    // Codes outside the table are raised with the code as the number and no description
    // (the tooltip timing properties use 11).
    kErrToolTipTime = 11,
};

// Source names the raiser is called with.
inline constexpr std::string_view kSourceControl = "GlideListView";
inline constexpr std::string_view kSourceListItems = "cListItems";
inline constexpr std::string_view kSourceColumns = "cColumns";
inline constexpr std::string_view kSourceSubItems = "cSubItems";
inline constexpr std::string_view kSourceSubItem = "cSubItem";

struct ErrorTableEntry {
    int32_t number;
    const char* description;
};

// The number and description for a code; codes outside 1..10 give the code and "".
ErrorTableEntry LookupError(int32_t code);

// Raises the automation error for code with source "glideListViewLib.<sourceName>".
[[noreturn]] void RaiseError(int32_t code, std::string_view sourceName);

// Raises an error given whole: one outside the code table with its own number, source and
// description, or one the control passes on with more said (a stored value that failed to load).
[[noreturn]] void RaiseAutomationError(int32_t number, std::string source, std::string description);

}  // namespace glv
