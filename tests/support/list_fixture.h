#pragma once
// A control on its own platform for layout and paint tests, with compact views of its state.
#include <memory>
#include <string>

#include "control/GlideListView.h"

namespace glv::test {

struct ListFixture {
    Platform platform;
    Container container;
    std::unique_ptr<GlideListView> list;

    explicit ListFixture(int32_t width = 200, int32_t height = 120) {
        list = std::make_unique<GlideListView>(platform, container, width, height);
        list->InitProperties();
    }
    GlideListView& operator*() { return *list; }
    GlideListView* operator->() { return list.get(); }

    // Items "text" added in a row, each with no icon.
    void AddItems(int32_t count, const std::string& prefix = "item") {
        for (int32_t i = 1; i <= count; ++i) list->AddItem(prefix + std::to_string(i), -1, 0, Variant());
    }

    // The stored geometry of items first..last as "top+height", hidden items as "-":
    // "21+16 38+16 - 55+16".
    std::string Rows(int32_t first, int32_t last) const {
        std::string out;
        for (int32_t i = first; i <= last; ++i) {
            if (!out.empty()) out += ' ';
            const tListItemInfo& item = list->ItemRecord(i);
            out += list->GroupRecord(i).Visible
                       ? std::to_string(item.cLIItemY) + "+" + std::to_string(item.cLIItemHeight)
                       : "-";
        }
        return out;
    }
};

}  // namespace glv::test
