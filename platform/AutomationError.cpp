#include "platform/AutomationError.h"

namespace glv {

const char* RuntimeErrorDescription(int32_t number) {
    switch (number) {
        case 5: return "Invalid procedure call or argument";
        case 6: return "Overflow";
        case 7: return "Out of memory";
        case 9: return "Subscript out of range";
        case 11: return "Division by zero";
        case 13: return "Type mismatch";
        case 91: return "Object variable or With block variable not set";
        case 94: return "Invalid use of Null";
        case 380: return "Invalid property value";
        case 424: return "Object required";
        case 481: return "Invalid picture";
        case 438: return "Object doesn't support this property or method";
        case 449: return "Argument not optional";
        case 450: return "Wrong number of arguments or invalid property assignment";
        default: return "Application-defined or object-defined error";
    }
}

void RaiseRuntimeError(int32_t number) {
    throw AutomationError(number, kLibraryName, RuntimeErrorDescription(number));
}

}  // namespace glv
