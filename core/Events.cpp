#include "core/Events.h"

namespace glv {

const EventInfo* FindEvent(std::string_view name) {
    for (const EventInfo& info : kEventTable)
        if (info.name == name) return &info;
    return nullptr;
}

}  // namespace glv
