// The control's answers to focus changes and to the system's theme-change message.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "control/GlideListView.h"

using namespace glv;

namespace {

struct Control {
    Platform platform;
    Container container;
    std::unique_ptr<GlideListView> list;
    Control() {
        platform.system.themeFile = "C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
        platform.system.colorScheme = "NormalColor";
        list = std::make_unique<GlideListView>(platform, container);
        list->InitProperties();
    }
    GlideListView* operator->() { return list.get(); }

    // Switches the system's colour scheme and sends the message; returns "scheme rebuilds repaints"
    // as they changed.
    std::string ThemeChangedTo(const std::string& scheme) {
        const int32_t rebuilds = list->propertyHookCounters().backgroundRebuilds;
        const int32_t repaints = list->hookCounters().repaints;
        platform.system.colorScheme = scheme;
        platform.windows.SendMessage(list->hwnd(), wm::kThemeChanged);
        return std::to_string(list->applied().effectiveTheme) + " " +
               std::to_string(list->propertyHookCounters().backgroundRebuilds - rebuilds) + " " +
               std::to_string(list->hookCounters().repaints - repaints);
    }
};

}  // namespace

TEST(ThemeEvents, ThemeChangeMessageFollowsTheSystemOnlyWithAutoSelectTheme) {
    Control c;
    // Not following the system: the message changes nothing.
    EXPECT_EQ(c.ThemeChangedTo("Metallic"), "0 0 0");

    c->SetAutoSelectTheme(true);
    EXPECT_EQ(c->applied().effectiveTheme, XPSilver);
    // The normal band keeps its colours until the next rebuild; the control repaints.
    EXPECT_EQ(c.ThemeChangedTo("HomeStead"), "2 0 1");
    EXPECT_EQ(c->applied().scrollBarTheme, XPOlive);
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

TEST(ThemeEvents, FocusSetsHasFocusAndRepaints) {
    Control c;
    const int32_t before = c->hookCounters().repaints;
    EXPECT_FALSE(c->view().hasFocus);
    c->GotFocus();
    EXPECT_TRUE(c->view().hasFocus);
    c->GotFocus();
    c->LostFocus();
    EXPECT_FALSE(c->view().hasFocus);
    EXPECT_EQ(c->hookCounters().repaints - before, 3);
    EXPECT_EQ(c->DispatchObject()->Invoke("HasFocus", CallKind::Get, {}).ToString(), "False");
}
