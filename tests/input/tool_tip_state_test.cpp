// The tooltip rules: the texts AutoGenerateToolTips makes, and the state machine driven through
// a host that writes one line per timer and window call.
//
// Test ideas not yet written: a post tick that falls while the display timer is pending.
#include <gtest/gtest.h>

#include <array>

#include "core/PropertyValues.h"
#include "input/ToolTipState.h"

namespace glv {
namespace {

tListItemInfo Item(const char* text, const char* tag, const char* tip,
                   std::initializer_list<std::pair<const char*, const char*>> subs) {
    tListItemInfo item;
    item.cLIText = text;
    item.cLITag = tag;
    item.cLIToolTipText = tip;
    for (const auto& [subText, subTag] : subs) {
        tSubListItemInfo sub;
        sub.cSIText = subText;
        sub.cSITag = subTag;
        item.cLISubListItemInfo.push_back(sub);
    }
    return item;
}

TEST(ToolTipText, EachGenerationMode) {
    const tListItemInfo row = Item("Ann", "t1", "tip", {{"x", "tx"}, {"", "ty"}});
    const tListItemInfo bare = Item("Bob", "", "", {});
    struct Case {
        const tListItemInfo* item;
        int32_t columns;
        int32_t mode;
        const char* text;
    };
    const Case cases[] = {
        {&row, 3, LVGenNone, ""},
        {&row, 3, LVGenListItemText, "Ann"},
        {&row, 3, LVGenListItemTag, "t1"},
        {&row, 3, LVGenRowText, "Ann,x,"},     // an empty last sub-item still takes its place
        {&row, 3, LVGenRowTag, "t1,tx,ty"},
        {&row, 2, LVGenRowText, "Ann,x"},      // only the columns there are
        {&row, 1, LVGenRowText, "Ann,"},       // a single column leaves the trailing comma
        {&bare, 3, LVGenRowText, "Bob,"},      // no sub-items: the list stops
        {&row, 3, LVGenLocal, "tip"},
        {&row, 3, 6, ""},
        {&row, 3, -1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GeneratedToolTipText(*c.item, c.columns, c.mode), c.text) << c.mode << " " << c.columns;
}

// Timers as flags and a log of what the rules asked for.
struct LogHost final : ToolTipHost {
    std::array<bool, 3> running{};
    std::string log;
    std::string answer;  // what BeforeToolTip writes, "keep" leaves the text
    bool showWorks = true;

    static const char* Name(TipTimer t) { return t == TipTimer::Pre ? "pre" : t == TipTimer::Display ? "display" : "post"; }
    void Add(const std::string& line) { log += (log.empty() ? "" : ", ") + line; }
    bool TimerRunning(TipTimer t) const override { return running[static_cast<std::size_t>(t)]; }
    void StartTimer(TipTimer t) override {
        running[static_cast<std::size_t>(t)] = true;
        Add(std::string("start ") + Name(t));
    }
    void StopTimer(TipTimer t) override {
        if (running[static_cast<std::size_t>(t)]) Add(std::string("stop ") + Name(t));
        running[static_cast<std::size_t>(t)] = false;
    }
    void BeforeToolTip(int32_t row, std::string& text) override {
        Add("before " + std::to_string(row) + " \"" + text + "\"");
        if (answer != "keep") text = answer;
    }
    bool ShowWindow(const std::string& text) override {
        Add("show \"" + text + "\"");
        return showWorks;
    }
    void HideWindow() override {}
    std::string Take() { return std::exchange(log, {}); }
};

TEST(ToolTipRules, ArmShowRearmAndEnd) {
    LogHost host;
    host.answer = "keep";
    ToolTips tips(host);
    // The first row: the pre-delay starts; its own text waits for it.
    tips.HoverRowChanged(2, "own", "gen2", false);
    EXPECT_EQ(host.Take(), "start pre");
    // A second row before the pre-delay ends starts it again from there.
    tips.HoverRowChanged(3, "own3", "gen3", false);
    EXPECT_EQ(host.Take(), "stop pre, start pre");
    tips.PreTick();
    EXPECT_EQ(host.Take(), "start display, stop pre, start post");
    EXPECT_TRUE(tips.State().armed);
    tips.DisplayTick(3);
    EXPECT_EQ(host.Take(), "before 3 \"own3\", show \"own3\", stop post, start post");
    EXPECT_TRUE(tips.State().shown);
    EXPECT_EQ(tips.State().shownRow, 3);
    // Armed: the next row shows its generated text after the display delay alone.
    tips.HoverRowChanged(4, "own4", "gen4", false);
    EXPECT_EQ(host.Take(), "stop display, start display");
    EXPECT_FALSE(tips.State().shown);
    tips.DisplayTick(4);
    EXPECT_EQ(host.Take(), "before 4 \"gen4\", show \"gen4\", stop post, start post");
    // Back on the shown row: hidden, nothing re-armed.
    tips.HoverRowChanged(4, "own4", "gen4", false);
    EXPECT_EQ(host.Take(), "stop display");
    EXPECT_FALSE(tips.State().pending);
    tips.PostTick();
    EXPECT_EQ(host.Take(), "stop post");
    EXPECT_FALSE(tips.State().armed);
    EXPECT_EQ(tips.State().shownRow, -1);
}

TEST(ToolTipRules, EmptyTextsEditingAndCancel) {
    LogHost host;
    ToolTips tips(host);
    // No text of its own: the pre-delay arms but nothing waits for display.
    tips.HoverRowChanged(1, "", "gen", false);
    host.Take();
    tips.PreTick();
    EXPECT_EQ(host.Take(), "stop pre, start post");
    EXPECT_FALSE(tips.State().pending);
    // The host empties the text: no window, the post-delay stops.
    host.answer = "";
    tips.HoverRowChanged(2, "", "gen", false);
    host.Take();
    tips.DisplayTick(2);
    EXPECT_EQ(host.Take(), "before 2 \"gen\", stop post");
    EXPECT_FALSE(tips.State().shown);
    // An open edit box: nothing arms.
    tips.HoverRowChanged(3, "x", "gen", true);
    EXPECT_EQ(host.Take(), "stop display");
    // Cancel only when something is under way.
    tips.Cancel();
    host.Take();
    tips.CancelIfActive();
    EXPECT_EQ(host.Take(), "");
    tips.HoverRowChanged(5, "x", "gen", false);
    host.Take();
    tips.CancelIfActive();
    EXPECT_EQ(host.Take(), "stop pre");
    EXPECT_TRUE(tips.State().text.empty());
}

}  // namespace
}  // namespace glv
