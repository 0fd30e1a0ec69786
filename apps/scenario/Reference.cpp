#include "apps/scenario/Reference.h"

#include <cstdio>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "control/Collections.h"
#include "control/ControlMembers.h"
#include "control/GlideListView.h"
#include "core/Events.h"
#include "core/PropertyTable.h"
#include "platform/Container.h"
#include "platform/Platform.h"
#include "platform/Version.h"

namespace glv::reference {

namespace {

std::string_view TypeName(PropType type) {
    switch (type) {
        case PropType::Boolean: return "Boolean";
        case PropType::Integer: return "Integer";
        case PropType::Long: return "Long";
        case PropType::Enum: return "Long (enumeration)";
        case PropType::Color: return "OLE_COLOR";
        case PropType::Font: return "StdFont";
        case PropType::Picture: return "StdPicture";
        case PropType::Object: return "Object";
    }
    return "?";
}

// What a property checks or does beyond storing its value. A new Rule fails to compile here
// (every enumerator is a case), so the reference learns about it.
std::string_view RuleText(Rule rule) {
    switch (rule) {
        case Rule::None: return "";
        case Rule::ClampNonNegative: return "negative values become 0";
        case Rule::ClampScrollBars: return "clamped to 0 to 3";
        case Rule::ToolTipTime: return "0 to 30000, else error 11; the tooltip timer's interval follows";
        case Rule::SortedColumn: return "1 to the column count, else error 8 (not checked while loading)";
        case Rule::TopIndex: return "1 to the item count, else error 6; the vertical scroll bar follows";
        case Rule::Theme: return "0 to 2, else run-time error 380; the drawn scheme may follow";
        case Rule::ReportViewOnly: return "any value stores 3 (report view)";
        case Rule::AutoSelectTheme: return "detects the scheme, lays out, ends an update";
        case Rule::AutoSelectSize: return "takes the system's metric size, lays out, ends an update";
        case Rule::MetricsSize: return "ignored while AutoSelectSize; else lays out, ends an update";
        case Rule::BackColor: return "also the drawing surface's back colour";
        case Rule::BackStyle: return "Ledger clears the background picture; Normal rebuilds it";
        case Rule::CheckBoxes: return "ignored while ExpandingRow";
        case Rule::ExpandingRow: return "shows or hides the expanding row; turning it on clears CheckBoxes";
        case Rule::Enabled: return "also the surface, both scroll bars and the window";
        case Rule::EditBoxColor: return "also the edit box's colours";
        case Rule::Ignore: return "reading gives Nothing, setting does nothing";
    }
    return "";
}

std::string EffectsText(uint8_t effects) {
    std::string out;
    const auto add = [&out](std::string_view text) {
        if (!out.empty()) out += ", ";
        out += text;
    };
    if (effects & effect::kRebuildBackground) add("rebuilds the background");
    if (effects & effect::kRelayout) add("lays out");
    if (effects & effect::kRepaint) add("repaints");
    if (effects & effect::kRepaintWhenLoaded) add("repaints once loaded");
    return out;
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "&H%08X&", value);
    return text;
}

// A stored value as the reference shows it.
std::string ValueText(const StoredValue& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return "Nothing"; }
        std::string operator()(bool v) const { return v ? "True" : "False"; }
        std::string operator()(int16_t v) const { return std::to_string(v); }
        std::string operator()(int32_t v) const { return std::to_string(v); }
        std::string operator()(OLE_COLOR v) const { return Hex(v); }
        std::string operator()(const FontPtr& font) const {
            if (!font) return "Nothing";
            char size[16];
            std::snprintf(size, sizeof size, "%g", static_cast<double>(font->Size));
            return font->Name + ", " + size + " pt" + (font->Bold ? ", bold" : "");
        }
        std::string operator()(const PicturePtr& picture) const { return picture ? "a picture" : "Nothing"; }
    };
    return std::visit(Visitor{}, value);
}

std::string Cell(std::string_view text) { return text.empty() ? "–" : std::string(text); }

// The defaults are read from a new control on the default site, as a host's control starts.
void WriteProperties(std::ostream& out, const GlideListView& list) {
    const std::span<const PropertyDescriptor> table = PropertyTable();
    std::size_t publicCount = 0;
    for (const PropertyDescriptor& d : table) publicCount += d.name.empty() ? 0 : 1;

    out << "## Properties\n\n"
        << publicCount << " properties, read and written by name (`GetProperty`, `SetProperty`, "
        << "the dispatch layer) or through the typed accessors. Defaults are those of a new control "
        << "(`InitProperties`) on a default site. A property whose persisted name is – is not saved.\n\n"
        << "| Property | Type | Default | Persisted as | Change notified as | A change | Range, errors, rules |\n"
        << "|---|---|---|---|---|---|---|\n";
    for (const PropertyDescriptor& d : table) {
        if (d.name.empty()) continue;
        const std::string value = d.id == PropId::TopIndex ? std::to_string(list.TopIndex())
                                                           : ValueText(list.StoredProperty(d));
        out << "| `" << d.name << "` | " << TypeName(d.type) << " | " << value << " | "
            << Cell(d.persistedName) << " | " << Cell(d.notifyName) << " | " << Cell(EffectsText(d.effects))
            << " | " << Cell(RuleText(d.rule)) << " |\n";
    }
    out << "\n### Saved without a property\n\n"
        << table.size() - publicCount << " values the property bag holds that no property reaches.\n\n"
        << "| Persisted as | Type | Default | Always written |\n|---|---|---|---|\n";
    for (const PropertyDescriptor& d : table) {
        if (!d.name.empty()) continue;
        out << "| `" << d.persistedName << "` | " << TypeName(d.type) << " | "
            << ValueText(list.StoredProperty(d)) << " | " << (d.alwaysWritten ? "yes" : "no") << " |\n";
    }
    out << "\n";
}

std::string ArgCount(int minArgs, int maxArgs) {
    if (maxArgs == 0) return "none";
    if (minArgs == maxArgs) return std::to_string(minArgs);
    return std::to_string(minArgs) + " to " + std::to_string(maxArgs) +
           (minArgs == 0 ? " (all optional)" : " (" + std::to_string(maxArgs - minArgs) + " optional)");
}

template <class Self>
void WriteMembers(std::ostream& out, std::string_view title, std::string_view note,
                  std::span<const Member<Self>> table) {
    out << "### " << title << "\n\n" << note << (note.empty() ? "" : "\n\n")
        << "| Member | Kind | Arguments | Writable |\n|---|---|---|---|\n";
    for (const Member<Self>& row : table) {
        out << "| `" << row.name << "` | " << (row.kind == MemberKind::Method ? "method" : "property")
            << " | " << ArgCount(row.minArgs, row.maxArgs) << " | " << (row.let ? "yes" : "no") << " |\n";
    }
    out << "\n";
}

void WriteMethods(std::ostream& out) {
    out << "## Members by name\n\n"
        << "What the dispatch layer reaches on the control and on its collection and element "
        << "objects, besides the stored properties. Names match without regard to case; an "
        << "unknown name is error 438, too many arguments 450, a missing required one 449. A "
        << "property given arguments it does not take passes them to the default member of the "
        << "object it returns (`ListItems(3)` is `ListItems.Item(3)`).\n\n";
    WriteMembers<GlideListView>(out, "GlideListView", "The stored properties above are members too.",
                                ControlMembers());
    WriteMembers<cListItems>(out, "cListItems", "Default member: `Item`.", cListItems::Members());
    WriteMembers<cListItem>(out, "cListItem", "", cListItem::Members());
    WriteMembers<cSubItems>(out, "cSubItems", "Default member: `Item`.", cSubItems::Members());
    WriteMembers<cSubItem>(out, "cSubItem", "", cSubItem::Members());
    WriteMembers<cColumns>(out, "cColumns", "Default member: `Item`.", cColumns::Members());
    WriteMembers<cColumn>(out, "cColumn", "", cColumn::Members());
}

void WriteEvents(std::ostream& out) {
    out << "## Events\n\n"
        << kEventCount << " events, raised synchronously on the sink the host sets "
        << "(`SetEventSink`, a `GlideListViewEvents`). **ByRef** marks an argument the host answers "
        << "through; record and object arguments refer to the control's own record. An event whose "
        << "name ends in Alt is raised right after its twin.\n\n"
        << "| Event | Arguments |\n|---|---|\n";
    for (const EventInfo& event : kEventTable) {
        out << "| `" << event.name << "` | ";
        std::string args;
        for (const EventArg& arg : event.Args()) {
            if (!args.empty()) args += ", ";
            args += (arg.byRef ? "**ByRef** " : "") + std::string(arg.name) + " As " + std::string(ArgTypeName(arg.type));
        }
        out << Cell(args) << " |\n";
    }
    out << "\n";
}

}  // namespace

void WriteReference(std::ostream& out) {
    Platform platform;
    Container container;
    GlideListView list(platform, container);
    list.InitProperties();

    out << "# GlideListView reference\n\n"
        << "Generated from the code by `glv doc` (library " << LibraryVersion()
        << "): the property table, the dispatch tables and the event table. Do not edit; run "
        << "`scripts/gen-reference.sh` after changing them.\n\n";
    WriteProperties(out, list);
    WriteMethods(out);
    WriteEvents(out);
    list.Terminate();
}

}  // namespace glv::reference
