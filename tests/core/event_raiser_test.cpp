// The raisers every event goes through: nothing without a sink, and an event with a twin is
// always followed by the twin, which sees what the first handler answered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/EventRaiser.h"

using namespace glv;

namespace {

struct Log : GlideListViewEvents {
    std::vector<std::string> calls;
    void ColumnClick(tColHeaderInfo& Column, int32_t ColIndex) override {
        calls.push_back("ColumnClick " + Column.cHCaption + " " + std::to_string(ColIndex));
        Column.cHCaption = "changed";
    }
    void ColumnClickAlt(int32_t ColIndex) override { calls.push_back("ColumnClickAlt " + std::to_string(ColIndex)); }
    void SubItemMouseDown(int16_t Button, int16_t Shift, float X, float Y, tListItemInfo& Item,
                          int32_t ItemIndex, int32_t SubItemIndex) override {
        calls.push_back("SubItemMouseDown " + std::to_string(Button) + " " + std::to_string(Shift) + " " +
                        std::to_string(static_cast<int>(X)) + " " + std::to_string(static_cast<int>(Y)) + " " +
                        std::string(Item.cLIText) + " " + std::to_string(ItemIndex) + " " +
                        std::to_string(SubItemIndex));
    }
    void SubItemMouseDownAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex,
                             int32_t SubItemIndex) override {
        calls.push_back("SubItemMouseDownAlt " + std::to_string(Button) + " " + std::to_string(Shift) + " " +
                        std::to_string(static_cast<int>(X)) + " " + std::to_string(static_cast<int>(Y)) + " " +
                        std::to_string(ItemIndex) + " " + std::to_string(SubItemIndex));
    }
    void ItemDblClick(int16_t Button, tListItemInfo&, int32_t ItemIndex) override {
        calls.push_back("ItemDblClick " + std::to_string(Button) + " " + std::to_string(ItemIndex));
    }
    void ItemDblClickAlt(int16_t Button, int32_t ItemIndex) override {
        calls.push_back("ItemDblClickAlt " + std::to_string(Button) + " " + std::to_string(ItemIndex));
    }
    void SortColumnChanged(int16_t Column, int32_t SortOrder) override {
        calls.push_back("SortColumnChanged " + std::to_string(Column) + " " + std::to_string(SortOrder));
    }
    void GroupBeforeDelete(int32_t& LVPrompt, int32_t RowIndex) override {
        calls.push_back("GroupBeforeDelete " + std::to_string(RowIndex));
        LVPrompt = 7;
    }
};

}  // namespace

TEST(EventRaiser, RaisesTheEventAndThenItsTwinWithTheRecordLeftOut) {
    Log log;
    tColHeaderInfo column;
    column.cHCaption = "Name";
    RaiseWithTwin(&log, &GlideListViewEvents::ColumnClick, &GlideListViewEvents::ColumnClickAlt, column, 3);
    tListItemInfo item;
    item.cLIText = "row";
    RaiseWithTwin(&log, &GlideListViewEvents::SubItemMouseDown, &GlideListViewEvents::SubItemMouseDownAlt,
                  int16_t{1}, int16_t{2}, 10.0f, 20.0f, item, 4, 2);
    RaiseWithTwin(&log, &GlideListViewEvents::ItemDblClick, &GlideListViewEvents::ItemDblClickAlt, int16_t{2},
                  item, 9);
    const std::vector<std::string> expected = {
        "ColumnClick Name 3", "ColumnClickAlt 3",  // the record first, then the twin
        "SubItemMouseDown 1 2 10 20 row 4 2", "SubItemMouseDownAlt 1 2 10 20 4 2",
        "ItemDblClick 2 9", "ItemDblClickAlt 2 9",
    };
    EXPECT_EQ(log.calls, expected);
    EXPECT_EQ(column.cHCaption, "changed");  // the handler had the caller's record
}

TEST(EventRaiser, PassesAnswersBackAndIsSilentWithoutASink) {
    Log log;
    int32_t prompt = 0;
    Raise(&log, &GlideListViewEvents::GroupBeforeDelete, prompt, 5);
    Raise(&log, &GlideListViewEvents::SortColumnChanged, 2, 1);
    EXPECT_EQ(prompt, 7);
    const std::vector<std::string> expected = {"GroupBeforeDelete 5", "SortColumnChanged 2 1"};
    EXPECT_EQ(log.calls, expected);

    prompt = 0;
    Raise(nullptr, &GlideListViewEvents::GroupBeforeDelete, prompt, 5);
    tColHeaderInfo column;
    RaiseWithTwin(nullptr, &GlideListViewEvents::ColumnClick, &GlideListViewEvents::ColumnClickAlt, column, 1);
    EXPECT_EQ(prompt, 0);
}
