// The control's answers to focus changes and to the system's theme-change message.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scrollbar/ScrollBar.h"
#include "tests/support/control_fixture.h"
#include "tests/support/control_access.h"

using namespace glv;

namespace {

struct Control : test::ControlFixture {
    Control() : ControlFixture({.width = 400, .height = 300, .recordEvents = false}) {}

    // The background cache every pass starts from; none once the control has terminated.
    std::vector<uint32_t> Background() const {
        const Surface* b = ControlTestAccess::Background(*list);
        if (!b) return {};
        return {b->Pixels(), b->Pixels() + static_cast<std::size_t>(b->Width()) * b->Height()};
    }

    // Switches the system's colour scheme and sends the message; returns "scheme background
    // paints": the scheme drawn, 1 when the background cache changed, and the paints made.
    std::string ThemeChangedTo(const std::string& scheme) {
        const std::vector<uint32_t> background = Background();
        const uint64_t paints = list->surface().PaintSerial();
        platform.system.colorScheme = scheme;
        platform.windows.SendMessage(list->hwnd(), wm::kThemeChanged);
        return std::to_string(list->EffectiveTheme()) + " " + (Background() != background ? "1" : "0") +
               " " + std::to_string(list->surface().PaintSerial() - paints);
    }
};

}  // namespace

TEST(ThemeEvents, ThemeChangeMessageFollowsTheSystemOnlyWithAutoSelectTheme) {
    Control c;
    // Not following the system: the message changes nothing.
    EXPECT_EQ(c.ThemeChangedTo("Metallic"), "0 0 0");

    c->SetAutoSelectTheme(true);
    EXPECT_EQ(c->EffectiveTheme(), XPSilver);
    // The normal band keeps its colours until the next rebuild; the control repaints.
    EXPECT_EQ(c.ThemeChangedTo("HomeStead"), "2 0 1");
    EXPECT_EQ(c->VScrollBar().Theme(), XPOlive);
    EXPECT_EQ(c->HScrollBar().Theme(), XPOlive);
    // The same scheme again: nothing to do.
    EXPECT_EQ(c.ThemeChangedTo("HomeStead"), "2 0 0");
    // With the Office 2003 band the cache is rebuilt at once.
    c->SetHeaderStyle(LVOffice2003);
    EXPECT_EQ(c.ThemeChangedTo("NormalColor"), "0 1 1");
    // A scheme that says nothing leaves the current one.
    EXPECT_EQ(c.ThemeChangedTo("Royale"), "0 0 0");
    // Visual styles switched off: nothing is learnt.
    c.platform.system.visualStyles = false;
    EXPECT_EQ(c.ThemeChangedTo("Metallic"), "0 0 0");

    // A terminated control no longer hears the message.
    c.platform.system.visualStyles = true;
    c->Terminate();
    EXPECT_EQ(c.platform.windows.HookCount(c->hwnd()), 0u);
    EXPECT_EQ(c.ThemeChangedTo("Metallic"), "0 0 0");
}

TEST(ThemeEvents, VisualStylesAvailableIsLearntOnceWhenTheControlIsCreated) {
    // Created on a system without visual styles: a later theme change, even on a system that
    // now reports a newer version, never switches the scheme.
    Platform platform;
    Container container;
    platform.system.os = {5, 0, 2};
    platform.system.colorScheme = "Metallic";
    GlideListView list(platform, container);
    list.InitProperties();
    list.SetAutoSelectTheme(true);
    EXPECT_EQ(list.EffectiveTheme(), XPBlue);
    platform.system.os = {6, 0, 2};
    platform.windows.SendMessage(list.hwnd(), wm::kThemeChanged);
    list.SetAutoSelectTheme(true);
    EXPECT_EQ(list.EffectiveTheme(), XPBlue);

    // Created with them: an older version reported later does not take them away.
    Control c;
    c.platform.system.os = {5, 0, 2};
    c.platform.system.colorScheme = "Metallic";
    c->SetAutoSelectTheme(true);
    EXPECT_EQ(c->EffectiveTheme(), XPSilver);
}

TEST(ThemeEvents, FocusSetsHasFocusAndRepaints) {
    Control c;
    const uint64_t before = c->surface().PaintSerial();
    EXPECT_FALSE(ControlTestAccess::View(*c).hasFocus);
    c->GotFocus();
    EXPECT_TRUE(ControlTestAccess::View(*c).hasFocus);
    c->GotFocus();
    c->LostFocus();
    EXPECT_FALSE(ControlTestAccess::View(*c).hasFocus);
    EXPECT_EQ(c->surface().PaintSerial() - before, 3u);
    EXPECT_EQ(c->DispatchObject()->Invoke("HasFocus", CallKind::Get, {}).ToString(), "False");
}
