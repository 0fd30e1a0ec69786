// The generated reference against the tables it is generated from: every property of the
// descriptor table, every member by name and every event has its row, and the ByRef marks are
// those of the event table. (The check that docs/reference.md is the current output is the
// reference_up_to_date test.)
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "apps/scenario/Reference.h"
#include "control/Collections.h"
#include "control/ControlMembers.h"
#include "core/Events.h"
#include "core/PropertyTable.h"

namespace glv {
namespace {

// The table rows ("| ...") of the section that starts with `heading`, up to the next heading
// of the same or a higher level.
std::vector<std::string> Rows(const std::string& text, const std::string& heading) {
    std::istringstream in(text);
    std::vector<std::string> rows;
    std::string line;
    bool inside = false;
    const std::size_t level = heading.find(' ');
    while (std::getline(in, line)) {
        if (line.starts_with('#')) {
            if (inside && line.find(' ') <= level) break;
            if (line == heading) inside = true;
            continue;
        }
        // Every data row starts with a name in backticks; header and rule rows do not.
        if (inside && line.starts_with("| `")) rows.push_back(line);
    }
    return rows;
}

std::string Reference() {
    std::ostringstream out;
    reference::WriteReference(out);
    return out.str();
}

TEST(Reference, ListsEveryPropertyOfTheDescriptorTable) {
    const std::string text = Reference();
    const auto properties = Rows(text, "## Properties");
    std::size_t publicCount = 0, savedOnly = 0;
    for (const PropertyDescriptor& d : PropertyTable()) {
        const std::string key = "| `" + std::string(d.name.empty() ? d.persistedName : d.name) + "` |";
        EXPECT_NE(text.find(key), std::string::npos) << key;
        (d.name.empty() ? savedOnly : publicCount) += 1;
    }
    // The properties section holds its sub-section, so its rows are both tables' rows.
    EXPECT_EQ(properties.size(), PropertyTable().size());
    EXPECT_EQ(Rows(text, "### Saved without a property").size(), savedOnly);
    EXPECT_EQ(properties.size() - savedOnly, publicCount);
    EXPECT_NE(text.find("| `SortedColumn` | Long | 1 | SortedColumn | – | repaints | 1 to the column count, "
                        "else error 8 (not checked while loading) |"),
              std::string::npos);
}

TEST(Reference, ListsEveryMemberAndEvent) {
    const std::string text = Reference();
    EXPECT_EQ(Rows(text, "### GlideListView").size(), ControlMembers().size());
    EXPECT_EQ(Rows(text, "### cListItems").size(), cListItems::Members().size());
    EXPECT_EQ(Rows(text, "### cListItem").size(), cListItem::Members().size());
    EXPECT_EQ(Rows(text, "### cSubItems").size(), cSubItems::Members().size());
    EXPECT_EQ(Rows(text, "### cSubItem").size(), cSubItem::Members().size());
    EXPECT_EQ(Rows(text, "### cColumns").size(), cColumns::Members().size());
    EXPECT_EQ(Rows(text, "### cColumn").size(), cColumn::Members().size());

    const auto events = Rows(text, "## Events");
    ASSERT_EQ(events.size(), kEventCount);
    std::size_t byRefInTable = 0, byRefInText = 0;
    for (const EventInfo& event : kEventTable)
        for (const EventArg& arg : event.Args()) byRefInTable += arg.byRef ? 1 : 0;
    for (const std::string& row : events)
        for (std::size_t at = row.find("**ByRef**"); at != std::string::npos; at = row.find("**ByRef**", at + 1))
            ++byRefInText;
    EXPECT_EQ(byRefInText, byRefInTable);
    EXPECT_NE(text.find("| `AfterItemEdit` | **ByRef** Cancel As Boolean, Item As tListItemInfo, ItemIndex As "
                        "Long, **ByRef** NewString As String |"),
              std::string::npos);
}

}  // namespace
}  // namespace glv
