#include "core/Events.h"

namespace glv {

const EventInfo* FindEvent(std::string_view name) {
    for (const EventInfo& info : kEventTable)
        if (info.name == name) return &info;
    return nullptr;
}

std::string_view ArgTypeName(EventArgType type) {
    switch (type) {
        case EventArgType::Integer: return "Integer";
        case EventArgType::Long: return "Long";
        case EventArgType::Single: return "Single";
        case EventArgType::Boolean: return "Boolean";
        case EventArgType::String: return "String";
        case EventArgType::Item: return "tListItemInfo";
        case EventArgType::Column: return "tColHeaderInfo";
        case EventArgType::Data: return "DataObject";
    }
    return "?";
}

}  // namespace glv
