#include "input/ContextMenuEntries.h"

namespace glv {

namespace {

enum class Available : uint8_t { Never, WithSelection, Always };

struct EntryRule {
    const char* caption;
    Available available;
};

constexpr EntryRule kEntries[menucmd::kCount] = {
    {"Undo", Available::Never},         {"-", Available::Always},
    {"Cut", Available::WithSelection},  {"Copy", Available::Always},
    {"Paste", Available::Never},        {"Delete", Available::WithSelection},
    {"-", Available::Always},           {"Disable All", Available::Always},
    {"Enable All", Available::Always},  {"-", Available::Always},
    {"DeSelect All", Available::Always}, {"Select All", Available::Always},
};

}  // namespace

std::vector<MenuEntry> ContextMenuEntries(int32_t selectedCount) {
    std::vector<MenuEntry> entries;
    entries.reserve(menucmd::kCount);
    for (const EntryRule& rule : kEntries) {
        const bool enabled = rule.available == Available::Always ||
                             (rule.available == Available::WithSelection && selectedCount >= 1);
        entries.push_back({rule.caption, enabled});
    }
    return entries;
}

}  // namespace glv
