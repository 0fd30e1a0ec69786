#include "core/Errors.h"

#include <string>
#include <utility>

#include "platform/AutomationError.h"

namespace glv {

namespace {

// Object-defined errors sit 25001.. above the object error base 0x80040000.
constexpr int32_t ObjectError(int32_t offset) {
    return static_cast<int32_t>(0x80040000u + 25000u + static_cast<uint32_t>(offset));
}

constexpr ErrorTableEntry kErrorTable[] = {
    {364, "Object has been unloaded."},
    {ObjectError(1), "ListBar does not exist."},
    {ObjectError(2), "ListItem does not exist."},
    {13, "Type Mismatch."},
    {457, "This key is already associated with an element of this collection."},
    {9, "Subscript out of range."},
    {7, "Out of Memory."},
    {ObjectError(3), "Header does not exist."},
    {ObjectError(4), "Failed to set group enable state."},
    {ObjectError(5), "SubItem does not exist."},
};

}  // namespace

ErrorTableEntry LookupError(int32_t code) {
    if (code >= 1 && code <= 10) return kErrorTable[code - 1];
    return {code, ""};
}

void RaiseError(int32_t code, std::string_view sourceName) {
    const ErrorTableEntry entry = LookupError(code);
    RaiseAutomationError(entry.number, std::string(kLibraryName) + "." + std::string(sourceName),
                         entry.description);
}

void RaiseAutomationError(int32_t number, std::string source, std::string description) {
    throw AutomationError(number, std::move(source), std::move(description));
}

}  // namespace glv
