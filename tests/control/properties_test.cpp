// Test ideas not yet written: WM_THEMECHANGED re-detection once message hooks exist; Enabled
// applied to the real scroll bar controls; IconSpaceX repaint after a BeginUpdate.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "control/GlideListView.h"
#include "core/PropertyValueIO.h"
#include "platform/AutomationError.h"
#include "platform/PropertyBag.h"
#include "platform/StdPicture.h"
#include "render/BackgroundPicture.h"
#include "scrollbar/ScrollBar.h"
#include "tests/support/control_access.h"
#include "tests/support/control_fixture.h"

using namespace glv;

namespace {

struct Control : test::ControlFixture {
    explicit Control(bool init = true)
        : ControlFixture({.width = 400, .height = 300, .initProperties = init, .recordEvents = false}) {}
    // The container's notifications since the last call, space separated.
    std::string Notified() {
        std::string out;
        for (const std::string& name : container.ChangedProperties()) out += (out.empty() ? "" : " ") + name;
        container.ClearChangedProperties();
        return out;
    }
};

// A bag that records the names the control reads and writes, with a note of the control state
// at each read, so the steps between two reads can be placed.
struct RecordingBag : PropertyBag {
    mutable std::vector<std::string> reads;
    std::vector<std::string> writes;
    std::function<std::string()> probe;
    Variant ReadProperty(std::string_view name, const Variant& def) const override {
        reads.push_back(std::string(name) + (probe ? probe() : ""));
        return PropertyBag::ReadProperty(name, def);
    }
    void WriteProperty(std::string_view name, const Variant& value, const Variant& def) override {
        writes.push_back(std::string(name));
        PropertyBag::WriteProperty(name, value, def);
    }
};

std::string Join(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) out += (out.empty() ? "" : " ") + n;
    return out;
}

// Runs f and gives "error N [description] (source)", or "ok".
template <class F>
std::string Outcome(F&& f) {
    try {
        f();
        return "ok";
    } catch (const AutomationError& e) {
        return "error " + std::to_string(e.Number) + " [" + e.Description + "] (" + e.Source + ")";
    }
}

Variant Get(GlideListView& lv, std::string_view name) { return lv.GetProperty(name); }

// A value different from the property's default, valid for it, for the round trip.
Variant NonDefault(const PropertyDescriptor& d, const Variant& current) {
    switch (d.type) {
        case PropType::Boolean: return !current.ToBoolean();
        case PropType::Integer: return int16_t{5};
        case PropType::Color: return int32_t{0x123456};
        case PropType::Font: return ObjectPtr(std::make_shared<StdFont>("Serif", 11.5f, true, false, true, false));
        case PropType::Picture: return ObjectPtr(StdPicture::Solid(3, 2, 10, 20, 30));
        case PropType::Object: return current;
        case PropType::Long:
        case PropType::Enum: break;
    }
    if (d.name == "Theme") return int32_t{XPOlive};
    if (d.name == "ScrollBars") return int32_t{Vertical};
    if (d.name == "SortedColumn") return int32_t{2};
    if (d.name == "ToolTipPreTime") return int32_t{250};
    if (d.name == "ToolTipPostTime") return int32_t{30000};
    return current.ToLong() + 1;
}

constexpr const char* kLoadOrderText =
    "AutoGenerateToolTips Theme AutoSelectTheme MetricsSize AutoSelectSize AllowColumnResizing "
    "AllowColumnDrag AllowDelete AllowDragDrop AllowEdit AllowKeyNavigation AllowSorting "
    "AllowColumnSorting AllowSubMenu BackStyle BackGroundPicture BackGroundPictureAlignment "
    "BackGroundPictureMaskColor BackColor BorderColor CaratColor Checkboxes ColumnBackStyle "
    "CornerBackColor DisabledForeColor DisabledBackColor DefaultBorderColor DefaultColumnHeaderFont "
    "DefaultColumnHeaderForeColor DefaultItemFont DefaultSubItemFont DefaultItemForeColor "
    "DefaultItemBackColor Enabled ExpandingRow FullRowSelect DynamicColumnResize GridLines "
    "GridColumnLines GridLineColor HeaderStyle HideColumnHeaders HideSelection HighLightBorderColor "
    "HoverEffect HeaderHoverEffect HoverSelection ItemDisabledForeColor ItemEditBackColor "
    "ItemEditForeColor ItemToolTips LedgerColorEven LedgerColorOdd MaintainSelection "
    "MaintainSelectionMode MouseIcon MultiSelect OleDragMode OleDropMode OleDropDataMode RightToLeft "
    "RowVerticalMargin RowMinHeight RowShrinkOnNoText SelectForeColor SelectBackColor "
    "SelectNoFocusForeColor SelectNoFocusBackColor ScrollBars SortOrder SortedColumn ToolTipPreTime "
    "ToolTipPostTime ToolTipBackColor ToolTipForeColor ToolTipBorderColor ToolTipFont View";

constexpr const char* kSaveOrderText =
    "AutoGenerateToolTips AutoSelectTheme AutoSelectSize MetricsSize AllowColumnResizing AllowDelete "
    "AllowDragDrop AllowEdit AllowKeyNavigation AllowSorting AllowColumnSorting AllowSubMenu "
    "AllowColumnDrag BackColor BackGroundPicture BackGroundPictureAlignment BackGroundPictureMaskColor "
    "BackStyle BorderColor BorderWidth CaratColor Checkboxes ColumnBackStyle DefaultColumnHeaderFont "
    "DefaultColumnHeaderForeColor DefaultItemFont DefaultItemForeColor DefaultItemBackColor "
    "DefaultSubItemFont CornerBackColor CurrentColumn DisabledForeColor DisabledBackColor "
    "DefaultBorderColor DynamicColumnResize Enabled ExpandingRow FullRowSelect GridLines "
    "GridColumnLines GridLineColor HeaderStyle HideColumnHeaders HideSelection HighLightBorderColor "
    "HoverEffect HeaderHoverEffect HoverSelection ItemDisabledForeColor ItemEditBackColor "
    "ItemEditForeColor ItemToolTips LedgerColorEven LedgerColorOdd MaintainSelection "
    "MaintainSelectionMode MouseIcon MultiSelect OleDragMode OleDropMode OleDropDataMode RightToLeft "
    "RowVerticalMargin RowMinHeight RowShrinkOnNoText SelectForeColor SelectBackColor "
    "SelectNoFocusForeColor SelectNoFocusBackColor ScrollBars SortOrder SortedColumn Theme "
    "ToolTipPreTime ToolTipPostTime ToolTipBackColor ToolTipForeColor ToolTipBorderColor ToolTipFont "
    "View";

// Reads only the names, dropping the probe notes.
std::string NamesOnly(const std::vector<std::string>& reads) {
    std::vector<std::string> names;
    for (const std::string& r : reads) names.push_back(r.substr(0, r.find('|')));
    return Join(names);
}

// Loads a bag given as JSON text into a fresh control and reports the outcome.
std::string LoadOutcome(Control& c, const char* json) {
    return Outcome([&] { c->ReadProperties(PropertyBag::FromJsonText(json)); });
}

}  // namespace

TEST(PropertyPersistence, LoadAndSaveTouchTheBagInTheDocumentedOrder) {
    Control c(/*init=*/false);
    // Values the hooks hand on, so each note shows whether its hook has run: 1 once the parts
    // that use them hold the bag's values.
    RecordingBag bag;
    bag.PropertyBag::WriteProperty("Theme", int32_t{XPSilver}, Variant());
    bag.PropertyBag::WriteProperty("MetricsSize", int32_t{2}, Variant());
    bag.PropertyBag::WriteProperty("ItemEditBackColor", int32_t{0x010203}, Variant());
    bag.PropertyBag::WriteProperty("ItemEditForeColor", int32_t{0x040506}, Variant());
    bag.PropertyBag::WriteProperty("ToolTipPreTime", int32_t{250}, Variant());
    bag.PropertyBag::WriteProperty("ToolTipPostTime", int32_t{30000}, Variant());
    bag.probe = [&] {
        const auto& a = ControlTestAccess::Applied(*c);
        auto flag = [](bool ran) { return ran ? "1" : "0"; };
        return std::string("|scheme=") + flag(c->EffectiveTheme() == XPSilver &&
                                             c->VScrollBar().Theme() == XPSilver) +
               " metric=" + flag(c->VScrollBar().MetricsSize() == 2 && c->HScrollBar().MetricsSize() == 2) +
               " edit=" + flag(a.editBackColor == 0x010203u && a.editForeColor == 0x040506u) +
               " tips=" + flag(a.toolTipPreInterval == 250 && a.toolTipPostInterval == 30000);
    };
    c->ReadProperties(bag);
    EXPECT_EQ(NamesOnly(bag.reads), kLoadOrderText);

    // The steps between reads happen right after the value they depend on.
    auto noteAt = [&](const std::string& name) {
        for (const std::string& r : bag.reads)
            if (r.substr(0, r.find('|')) == name) return r.substr(r.find('|') + 1);
        return std::string("missing");
    };
    EXPECT_EQ(noteAt("AutoSelectTheme"), "scheme=0 metric=0 edit=0 tips=0");
    EXPECT_EQ(noteAt("MetricsSize"), "scheme=1 metric=0 edit=0 tips=0");
    EXPECT_EQ(noteAt("AllowColumnResizing"), "scheme=1 metric=1 edit=0 tips=0");
    EXPECT_EQ(noteAt("ItemToolTips"), "scheme=1 metric=1 edit=1 tips=0");
    EXPECT_EQ(noteAt("ItemEditForeColor"), "scheme=1 metric=1 edit=0 tips=0");
    EXPECT_EQ(noteAt("ToolTipPostTime"), "scheme=1 metric=1 edit=1 tips=0");
    EXPECT_EQ(noteAt("ToolTipBackColor"), "scheme=1 metric=1 edit=1 tips=1");
    EXPECT_TRUE(ControlTestAccess::View(*c).loaded);
    EXPECT_TRUE(ControlTestAccess::View(*c).paintingEnabled);
    EXPECT_GT(c->HeaderHeight(), 0);  // the layout values were computed
    EXPECT_EQ(GlideListView::FromWindow(c.platform.windows, c->hwnd()), c.list.get());

    RecordingBag out;
    c->WriteProperties(out);
    EXPECT_EQ(Join(out.writes), kSaveOrderText);
    // Every persisted descriptor is loaded and saved exactly once; BorderWidth and CurrentColumn
    // are saved only.
    for (const PropertyDescriptor& d : PropertyTable()) {
        if (d.persistedName.empty()) continue;
        const std::string name(d.persistedName);
        const std::string padded = " " + name + " ";
        EXPECT_NE((" " + std::string(kSaveOrderText) + " ").find(padded), std::string::npos) << name;
        const bool loaded = (" " + std::string(kLoadOrderText) + " ").find(padded) != std::string::npos;
        EXPECT_EQ(loaded, name != "BorderWidth" && name != "CurrentColumn") << name;
    }
}

TEST(PropertyPersistence, DefaultsAreNotStoredAndReadBack) {
    Control fresh;
    PropertyBag bag;
    fresh->WriteProperties(bag);
    // A new control still has View 0 until View is set; CurrentColumn is always written.
    EXPECT_EQ(bag.ToJson().dump(), R"({"CurrentColumn":0,"View":0})");

    Control loaded(/*init=*/false);
    loaded->ReadProperties(bag);
    EXPECT_EQ(loaded->View(), LVViewReport);
    EXPECT_EQ(ControlTestAccess::Props(*loaded).HighLightBorderColor, 0xC00000u);
    PropertyBag again;
    loaded->WriteProperties(again);
    EXPECT_EQ(again.ToJson().dump(), R"({"CurrentColumn":0})");

    // A value set back to its default leaves the bag again.
    ControlTestAccess::Props(*loaded).HighLightBorderColor = 0xC00001;
    loaded->WriteProperties(again);
    EXPECT_TRUE(again.Contains("HighLightBorderColor"));
    ControlTestAccess::Props(*loaded).HighLightBorderColor = 0xC00000;
    loaded->WriteProperties(again);
    EXPECT_FALSE(again.Contains("HighLightBorderColor"));
    // The ambient font is the fonts' default: a font with the same fields is not stored.
    loaded->SetDefaultItemFont(std::make_shared<StdFont>(loaded.container.AmbientFont));
    loaded->WriteProperties(again);
    EXPECT_FALSE(again.Contains("DefaultItemFont"));
}

TEST(PropertyPersistence, EveryPersistedValueSurvivesSaveAndLoadThroughJsonText) {
    Control source;
    source->AddColumn("a", -1, 50);
    source->AddColumn("b", -1, 50);
    source->AddColumn("c", -1, 50);
    for (const PropertyDescriptor& d : PropertyTable()) {
        if (d.name.empty() || d.persistedName.empty()) continue;
        source->SetProperty(d.name, NonDefault(d, source->GetProperty(d.name)));
    }
    ControlTestAccess::Props(*source).AllowDragDrop = true;
    ControlTestAccess::Props(*source).DefaultColumnHeaderForeColor = 0x0000FF;
    ControlTestAccess::Props(*source).DynamicColumnResize = true;
    ControlTestAccess::Props(*source).HighLightBorderColor = 0x80000011;
    ControlTestAccess::Props(*source).MouseIcon = StdPicture::Solid(1, 1, 1, 2, 3);

    PropertyBag bag;
    source->WriteProperties(bag);
    EXPECT_GE(bag.Size(), 70u);
    const std::string text = bag.ToJson().dump();

    Control target(/*init=*/false);
    target->ReadProperties(PropertyBag::FromJsonText(text));
    std::string differences;
    for (const PropertyDescriptor& d : PropertyTable()) {
        if (d.persistedName.empty() || d.persistedName == "BorderWidth" || d.persistedName == "CurrentColumn")
            continue;
        const Variant was = ToVariant(LoadStored(ControlTestAccess::Props(*source), d.member));
        const Variant now = ToVariant(LoadStored(ControlTestAccess::Props(*target), d.member));
        if (!PropertyBag::SameValue(was, now)) differences += std::string(d.persistedName) + " ";
    }
    EXPECT_EQ(differences, "");
    // Spot checks of values whose stored form is not a plain number.
    EXPECT_EQ(ControlTestAccess::Props(*target).HighLightBorderColor, 0x80000011u);
    ASSERT_TRUE(target->DefaultItemFont());
    EXPECT_EQ(target->DefaultItemFont()->Name, "Serif");
    EXPECT_FLOAT_EQ(target->DefaultItemFont()->Size, 11.5f);
    ASSERT_TRUE(target->BackGroundPicture());
    EXPECT_EQ(target->BackGroundPicture()->PixelWidth(), 3);
    EXPECT_EQ(target->SortedColumn(), 2);  // kept although the loaded control has no columns
    EXPECT_EQ(target->EffectiveTheme(), source->EffectiveTheme());
    EXPECT_EQ(ControlTestAccess::Applied(*target).toolTipPreInterval, 250);
    EXPECT_EQ(ControlTestAccess::Applied(*target).toolTipPostInterval, 30000);
    EXPECT_EQ(ControlTestAccess::Applied(*target).editBackColor, source->ItemEditBackColor());
    EXPECT_EQ(target.container.ChangedProperties().size(), 0u);  // loading notifies nothing
}

TEST(PropertySet, ClampedIgnoredAndRejectedValues) {
    Control c;
    auto set = [&](const char* name, Variant v) { return Outcome([&] { c->SetProperty(name, v); }); };
    auto get = [&](const char* name) { return Get(*c, name).ToString(); };

    EXPECT_EQ(set("View", int32_t{0}), "ok");
    EXPECT_EQ(get("View"), "3");
    EXPECT_EQ(set("ScrollBars", int32_t{7}), "ok");
    EXPECT_EQ(get("ScrollBars"), "3");
    EXPECT_EQ(set("ScrollBars", int32_t{-2}), "ok");
    EXPECT_EQ(get("ScrollBars"), "0");
    EXPECT_EQ(set("RowVerticalMargin", int32_t{-5}), "ok");
    EXPECT_EQ(get("RowVerticalMargin"), "0");
    EXPECT_EQ(set("RowMinHeight", int16_t{-1}), "ok");
    EXPECT_EQ(get("RowMinHeight"), "0");
    EXPECT_EQ(set("RowMinHeight", int32_t{40000}), "error 6 [Overflow] (glideListViewLib)");

    EXPECT_EQ(set("ToolTipPostTime", int32_t{30000}), "ok");
    EXPECT_EQ(set("ToolTipPostTime", int32_t{-1}), "error 11 [] (glideListViewLib.GlideListView)");
    EXPECT_EQ(set("ToolTipPreTime", int32_t{30001}), "error 11 [] (glideListViewLib.GlideListView)");
    EXPECT_EQ(set("ToolTipPreTime", int32_t{0}), "ok");
    EXPECT_EQ(get("ToolTipPostTime") + " " + get("ToolTipPreTime"), "30000 0");
    EXPECT_EQ(ControlTestAccess::Applied(*c).toolTipPostInterval, 30000);
    EXPECT_EQ(ControlTestAccess::Applied(*c).toolTipPreInterval, 0);

    EXPECT_EQ(set("Theme", int32_t{3}), "error 380 [Invalid property value] (glideListViewLib)");
    EXPECT_EQ(set("Theme", int32_t{-1}), "error 380 [Invalid property value] (glideListViewLib)");
    EXPECT_EQ(get("Theme"), "0");

    // SortedColumn and TopIndex are checked against the columns and items there are now.
    EXPECT_EQ(set("SortedColumn", int32_t{1}),
              "error -2147196501 [Header does not exist.] (glideListViewLib.GlideListView)");
    c->AddColumn("a", -1, 40);
    c->AddColumn("b", -1, 40);
    EXPECT_EQ(set("SortedColumn", int32_t{3}).substr(0, 17), "error -2147196501");
    EXPECT_EQ(set("SortedColumn", int32_t{2}), "ok");
    EXPECT_EQ(set("TopIndex", int32_t{1}),
              "error 9 [Subscript out of range.] (glideListViewLib.GlideListView)");
    for (const char* text : {"x", "y", "z"}) c->AddItem(text, -1, 0, Variant());
    EXPECT_EQ(set("TopIndex", int32_t{4}).substr(0, 7), "error 9");
    EXPECT_EQ(set("TopIndex", int32_t{0}).substr(0, 7), "error 9");
    EXPECT_EQ(set("TopIndex", int32_t{3}), "ok");
    EXPECT_EQ(c->TopIndex(), 3);
    EXPECT_EQ(ControlTestAccess::VerticalPosition(*c), 3);

    // Ignored while another property holds.
    c->SetExpandingRow(true);
    EXPECT_EQ(set("CheckBoxes", true), "ok");
    EXPECT_FALSE(c->CheckBoxes());
    c->SetAutoSelectSize(true);
    EXPECT_EQ(set("MetricsSize", int32_t{2}), "ok");
    EXPECT_EQ(get("MetricsSize"), "0");
    EXPECT_EQ(set("ImageList", int32_t{5}), "ok");
    EXPECT_TRUE(Get(*c, "ImageList").IsObject());

    // Wrong types change nothing.
    EXPECT_EQ(set("GridLines", "maybe"), "error 13 [Type mismatch] (glideListViewLib)");
    EXPECT_TRUE(c->GridLines());
    EXPECT_EQ(set("GridLines", "0"), "ok");
    EXPECT_FALSE(c->GridLines());

    // Names and arguments.
    EXPECT_TRUE(c->HasProperty("gridLINES"));
    EXPECT_FALSE(c->HasProperty("AllowDragDrop"));  // persisted, but no public property
    EXPECT_FALSE(c->HasProperty(""));
    EXPECT_EQ(Outcome([&] { c->GetProperty("NoSuchThing"); }).substr(0, 9), "error 438");
    EXPECT_EQ(Outcome([&] { c->SetProperty("AllowDragDrop", true); }).substr(0, 9), "error 438");
    const Variant index[] = {int32_t{1}};
    EXPECT_EQ(Outcome([&] { c->GetProperty("GridLines", index); }).substr(0, 9), "error 450");
    EXPECT_EQ(Get(*c, "hideselection").Type(), VarType::Boolean);
    EXPECT_EQ(Get(*c, "RowMinHeight").Type(), VarType::Integer);
}

TEST(PropertySet, ColoursFontsAndPictures) {
    Control c;
    // Colours read back as Longs with the colour's bits; large positive numbers are accepted.
    EXPECT_EQ(Get(*c, "BorderColor").AsLong(), static_cast<int32_t>(0x80000003u));
    c->SetProperty("BorderColor", 2147483665.0);
    EXPECT_EQ(c->BorderColor(), 0x80000011u);
    c->SetProperty("BorderColor", int32_t{-1});
    EXPECT_EQ(c->BorderColor(), 0xFFFFFFFFu);
    EXPECT_EQ(Outcome([&] { c->SetProperty("BorderColor", 4294967296.0); }).substr(0, 7), "error 6");
    c->SetProperty("BorderColor", int16_t{255});
    EXPECT_EQ(c->BorderColor(), 0xFFu);

    // Fonts are kept by reference: later changes to the object are the control's font.
    auto font = std::make_shared<StdFont>("Serif", 10.0f);
    c->SetProperty("DefaultItemFont", ObjectPtr(font));
    EXPECT_EQ(Get(*c, "DefaultItemFont").AsObject(), font);
    font->Bold = true;
    EXPECT_TRUE(c->DefaultItemFont()->Bold);
    c->AddItem("x", -1, 0, Variant());
    EXPECT_TRUE(c->ItemRecord(1).cLIFontBold);
    EXPECT_EQ(Outcome([&] { c->SetProperty("DefaultItemFont", Variant(ObjectPtr{})); }).substr(0, 9), "error 380");
    EXPECT_EQ(Outcome([&] { c->SetProperty("DefaultItemFont", int32_t{5}); }).substr(0, 9), "error 424");
    EXPECT_EQ(Outcome([&] { c->SetProperty("DefaultItemFont", ObjectPtr(StdPicture::Solid(1, 1, 0, 0, 0))); })
                  .substr(0, 8),
              "error 13");
    EXPECT_EQ(c->DefaultItemFont(), font);

    // Pictures: set, replaced by Nothing; each change rebuilds the background.
    auto redPixels = [&] {
        const Surface& b = *ControlTestAccess::Background(*c);
        return std::count(b.Pixels(), b.Pixels() + static_cast<std::size_t>(b.Width()) * b.Height(), 0xFF0000u);
    };
    const auto redBefore = redPixels();
    c->SetBackGroundPictureAlignment(lvwCenter);  // inside the list area the rebuild refills
    auto picture = StdPicture::Solid(4, 4, 255, 0, 0);
    c->SetProperty("BackGroundPicture", ObjectPtr(picture));
    EXPECT_EQ(Get(*c, "BackGroundPicture").AsObject(), picture);
    EXPECT_GT(redPixels(), redBefore);
    c->SetProperty("BackGroundPicture", Variant());  // Empty is Nothing
    EXPECT_EQ(c->BackGroundPicture(), nullptr);
    EXPECT_EQ(redPixels(), redBefore);
    EXPECT_EQ(Outcome([&] { c->SetProperty("BackGroundPicture", ObjectPtr(font)); }).substr(0, 8), "error 13");
}

TEST(PropertySet, NotificationsUseTheirOwnNamesAndSomeSendNone) {
    Control c;
    c->AddColumn("a", -1, 40);
    c->AddItem("x", -1, 0, Variant());
    c.Notified();
    c->SetCheckBoxes(true);
    c->SetHeaderHoverEffect(true);
    c->SetOLEDragMode(1);
    c->SetOLEDropMode(1);
    c->SetIconSpaceX(4);
    c->SetIconSpaceY(4);
    c->SetSortOrder(1);
    c->SetSortedColumn(1);
    c->SetTopIndex(1);
    c->SetProperty("ImageList", Variant());
    c->SetGridLines(false);
    c->SetView(0);
    EXPECT_EQ(c.Notified(), "CheckBoxes HotTracking OLEDragMode OLEDropMode IconSpaceX IconSpaceY GridLines View");

    // A rejected or ignored value is not reported.
    EXPECT_NE(Outcome([&] { c->SetTheme(9); }), "ok");
    c->SetExpandingRow(true);  // also turns check boxes off, silently
    EXPECT_FALSE(c->CheckBoxes());
    c->SetCheckBoxes(true);
    EXPECT_EQ(c.Notified(), "ExpandingRow");
}

TEST(PropertySet, EffectsFollowTheTableAndTheRules) {
    Control c;
    auto paints = [&] { return c->surface().PaintSerial(); };
    auto background = [&] {
        const Surface& b = *ControlTestAccess::Background(*c);
        return std::vector<uint32_t>(b.Pixels(), b.Pixels() + static_cast<std::size_t>(b.Width()) * b.Height());
    };

    uint64_t before = paints();
    c->SetLedgerColorOdd(0x00FF00);  // stored only: the next paint picks it up
    EXPECT_EQ(paints(), before);
    c->SetLedgerColorEven(0x00FF00);
    EXPECT_EQ(paints(), before + 1);
    c->BeginUpdate();
    c->SetGridLines(false);
    EXPECT_EQ(paints(), before + 1);
    c->EndUpdate();

    // Theme rebuilds the background only for the Office 2003 header band.
    std::vector<uint32_t> cache = background();
    c->SetTheme(XPSilver);
    EXPECT_EQ(background(), cache);
    EXPECT_EQ(c->EffectiveTheme(), XPSilver);
    EXPECT_EQ(c->VScrollBar().Theme(), XPSilver);
    c->SetHeaderStyle(LVOffice2003);
    cache = background();
    c->SetTheme(XPOlive);
    EXPECT_NE(background(), cache);

    // BackStyle Normal rebuilds only with a picture. The control keeps the picture object it
    // was given, so new pixels in that object show only once the background is rebuilt.
    c->SetBackGroundPictureAlignment(lvwCenter);  // clear of the header band
    c->SetBackStyle(Ledger);
    auto picture = StdPicture::Solid(2, 2, 1, 1, 1);
    c->SetBackGroundPicture(picture);
    cache = background();
    *picture = *StdPicture::Solid(2, 2, 200, 10, 10);
    c->SetBackStyle(Ledger);
    EXPECT_EQ(background(), cache);
    c->SetBackStyle(Normal);
    EXPECT_NE(background(), cache);
    c->SetBackColor(0x0000FF);
    EXPECT_EQ(ControlTestAccess::Applied(*c).surfaceBackColor, 0x0000FFu);

    // Enabled reaches the window and the scroll bars.
    c->SetEnabled(false);
    EXPECT_FALSE(c.platform.windows.IsEnabled(c->hwnd()));
    EXPECT_FALSE(c->VScrollBar().Enabled());
    EXPECT_FALSE(c->HScrollBar().Enabled());
    c->SetItemEditBackColor(0x010203);
    EXPECT_EQ(ControlTestAccess::Applied(*c).editBackColor, 0x010203u);

    // RightToLeft and the size properties lay out again; MetricsSize reaches the bars.
    const int32_t rightEdgeBar = c->VScrollBar().Placement().x;
    c->SetRightToLeft(true);
    EXPECT_LT(c->VScrollBar().Placement().x, rightEdgeBar);
    c->SetMetricsSize(2);
    EXPECT_EQ(c->VScrollBar().MetricsSize(), 2);
    EXPECT_EQ(c->HScrollBar().MetricsSize(), 2);
    c.platform.system.metrics[metric::kCxHScroll] = 24;
    c->SetAutoSelectSize(true);
    EXPECT_EQ(ControlTestAccess::Frame(*c).scrollBarSize, 24);

    // IconSpaceX repaints only once the control is loaded.
    Control raw(/*init=*/false);
    raw->EndUpdate();
    before = raw->surface().PaintSerial();
    raw->SetIconSpaceX(3);
    EXPECT_EQ(raw->surface().PaintSerial(), before);
    raw->SetGridLines(false);
    EXPECT_EQ(raw->surface().PaintSerial(), before + 1);
}

TEST(PropertySet, AutoSelectThemeFollowsTheSystemScheme) {
    Control c;
    SystemInfo& system = c.platform.system;
    system.themeFile = "C:\\WINDOWS\\Resources\\Themes\\LUNA\\Luna.msstyles";
    system.colorScheme = "Metallic";
    c->SetAutoSelectTheme(true);
    EXPECT_EQ(c->EffectiveTheme(), XPSilver);
    c->SetTheme(XPOlive);  // stored, but the system scheme stays in charge
    EXPECT_EQ(c->EffectiveTheme(), XPSilver);
    system.colorScheme = "HomeStead";
    c->SetAutoSelectTheme(true);
    EXPECT_EQ(c->EffectiveTheme(), XPOlive);
    system.colorScheme = "metallic";  // names compare exactly: nothing learnt
    c->SetAutoSelectTheme(true);
    EXPECT_EQ(c->EffectiveTheme(), XPOlive);
    c->SetTheme(XPBlue);
    c->SetAutoSelectTheme(false);
    EXPECT_EQ(c->EffectiveTheme(), XPBlue);

    // No visual style active or a theme that is not Luna: the scheme stays.
    system.colorScheme = "Metallic";
    system.visualStyles = false;
    c->SetAutoSelectTheme(true);
    EXPECT_EQ(c->EffectiveTheme(), XPBlue);
    system.visualStyles = true;
    system.themeFile = "Royale.msstyles";
    c->SetAutoSelectTheme(true);
    EXPECT_EQ(c->EffectiveTheme(), XPBlue);

    // Loading with AutoSelectTheme detects right after reading it.
    Control loaded(/*init=*/false);
    loaded.platform.system.colorScheme = "HomeStead";
    loaded->ReadProperties(PropertyBag::FromJsonText(R"({"AutoSelectTheme": true, "Theme": 1})"));
    EXPECT_EQ(loaded->EffectiveTheme(), XPOlive);
    EXPECT_EQ(loaded->Theme(), XPSilver);
}

TEST(PropertySet, ExpandingRowClearsCheckBoxesAndTheChecks) {
    Control c;
    c->AddColumn("a", -1, 40);
    for (const char* text : {"x", "y", "z"}) c->AddItem(text, -1, 0, Variant());
    ControlTestAccess::Items(*c).Group(2).GroupHeader = true;
    for (int32_t i = 1; i <= 3; ++i) ControlTestAccess::Items(*c).Item(i).cLIItemChecked = true;
    c->SetCheckBoxes(true);
    c->SetExpandingRow(true);
    EXPECT_FALSE(c->CheckBoxes());
    std::string checks;
    for (int32_t i = 1; i <= 3; ++i) checks += c->ItemRecord(i).cLIItemChecked ? "1" : "0";
    EXPECT_EQ(checks, "010");  // group header rows keep their flag
    // Turning it on again with check boxes already off touches no item.
    ControlTestAccess::Items(*c).Item(1).cLIItemChecked = true;
    c->SetExpandingRow(true);
    EXPECT_TRUE(c->ItemRecord(1).cLIItemChecked);
}

TEST(PropertyPersistence, BadStoredValuesFailTheLoadAndLeaveTheControlAsItWas) {
    struct Row {
        const char* json;
        const char* outcome;
    };
    const Row rows[] = {
        {R"({"GridLines": "maybe"})", "error 13 [Type mismatch (stored property \"GridLines\")] (glideListViewLib)"},
        {R"({"GridLines": null})", "error 13 [Type mismatch (stored property \"GridLines\")] (glideListViewLib)"},
        {R"({"GridLines": [1]})", "error 13 [Type mismatch (stored property \"GridLines\")] (glideListViewLib)"},
        {R"({"BackColor": {"Name": "x"}})", "error 13 [Type mismatch (stored property \"BackColor\")] (glideListViewLib)"},
        {R"({"Theme": 5})", "error 380 [Invalid property value (stored property \"Theme\")] (glideListViewLib)"},
        {R"({"ToolTipPreTime": 40000})", "error 11 [(stored property \"ToolTipPreTime\")] (glideListViewLib.GlideListView)"},
        {R"({"RowMinHeight": 70000})", "error 6 [Overflow (stored property \"RowMinHeight\")] (glideListViewLib)"},
        {R"({"BackGroundPicture": {"png": "!!!"}})",
         "error 481 [Invalid picture (stored property \"BackGroundPicture\")] (glideListViewLib)"},
        {R"({"BackGroundPicture": {"png": "AAAA"}})",
         "error 481 [Invalid picture (stored property \"BackGroundPicture\")] (glideListViewLib)"},
        {R"({"BackGroundPicture": 3})", "error 13 [Type mismatch (stored property \"BackGroundPicture\")] (glideListViewLib)"},
        {R"({"MouseIcon": true})", "error 13 [Type mismatch (stored property \"MouseIcon\")] (glideListViewLib)"},
        {R"({"DefaultItemFont": {"Size": "big"}})",
         "error 13 [Type mismatch (stored property \"DefaultItemFont\")] (glideListViewLib)"},
        {R"({"DefaultItemFont": {"Size": -3}})",
         "error 380 [Invalid property value (stored property \"DefaultItemFont\")] (glideListViewLib)"},
        {R"({"DefaultItemFont": null})",
         "error 13 [Type mismatch (stored property \"DefaultItemFont\")] (glideListViewLib)"},
        {R"({"DefaultItemFont": "Arial"})", "error 13 [Type mismatch (stored property \"DefaultItemFont\")] (glideListViewLib)"},
        // Values that convert are taken, as the runtime takes them; unknown names are ignored.
        {R"({"GridLines": 0, "ScrollBars": 9, "RowVerticalMargin": -4, "View": 1, "SortedColumn": 5, "Bogus": [1]})", "ok"},
        {R"({"DefaultItemFont": {"Bold": true, "Colour": 3}})", "ok"},
    };
    for (const Row& row : rows) {
        Control c;
        c->SetGridLines(false);
        c->SetTheme(XPSilver);
        PropertyBag saved;
        c->WriteProperties(saved);
        EXPECT_EQ(LoadOutcome(c, row.json), row.outcome) << row.json;
        if (std::string(row.outcome) != "ok") {
            PropertyBag after;
            c->WriteProperties(after);
            EXPECT_EQ(after.ToJson(), saved.ToJson()) << row.json;
            EXPECT_TRUE(ControlTestAccess::View(*c).paintingEnabled) << row.json;
        }
    }

    Control c(/*init=*/false);
    EXPECT_EQ(LoadOutcome(c, R"({"GridLines": 0, "ScrollBars": 9, "RowVerticalMargin": -4, "View": 1})"), "ok");
    EXPECT_EQ(std::to_string(c->GridLines()) + " " + std::to_string(c->ScrollBars()) + " " +
                  std::to_string(c->RowVerticalMargin()) + " " + std::to_string(c->View()),
              "0 3 0 3");
    Control font(/*init=*/false);
    font.container.AmbientFont = StdFont("Mono", 9.0f);
    EXPECT_EQ(LoadOutcome(font, R"({"DefaultItemFont": {"Bold": true}})"), "ok");
    EXPECT_EQ(font->DefaultItemFont()->Name + (font->DefaultItemFont()->Bold ? " bold" : ""), "Mono bold");
    EXPECT_FALSE(font->DefaultSubItemFont()->Bold);
    EXPECT_NE(font->DefaultSubItemFont(), font->ToolTipFont());  // each font its own object

    // A control whose first load failed is still usable: it loads or initialises afterwards.
    Control failed(/*init=*/false);
    EXPECT_NE(LoadOutcome(failed, R"({"Theme": 9})"), "ok");
    EXPECT_FALSE(ControlTestAccess::View(*failed).loaded);
    EXPECT_EQ(LoadOutcome(failed, R"({"Theme": 2})"), "ok");
    EXPECT_EQ(failed->EffectiveTheme(), XPOlive);
    EXPECT_EQ(failed->AddItem("x", -1, 0, Variant()), 1);
}

TEST(PropertyPersistence, CorruptBagsNeverCrashAndFailWithAClearError) {
    Control source;
    for (const PropertyDescriptor& d : PropertyTable()) {
        if (d.name.empty() || d.persistedName.empty() || d.name == "SortedColumn") continue;
        source->SetProperty(d.name, NonDefault(d, source->GetProperty(d.name)));
    }
    PropertyBag bag;
    source->WriteProperties(bag);
    const nlohmann::json good = bag.ToJson();
    const std::string text = good.dump();

    std::mt19937 random(20240611);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    const std::string alphabet = "{}[]\",:0123456789-+.eE truefalsnl\\xAZ=";
    const nlohmann::json odd[] = {nullptr, nlohmann::json::array({1, 2}), nlohmann::json::object(),
                                  "text", 1e300, -1, 4294967296LL, 2147483648LL, true, 0.5,
                                  nlohmann::json{{"png", "iVBORw0KGgo="}}, nlohmann::json{{"Size", 0}}};
    // One control takes every load: a failed load leaves it as it was, so it keeps loading.
    Control target(/*init=*/false);
    int loadedOk = 0, failedClearly = 0;
    for (int round = 0; round < 400; ++round) {
        bool ok = true;
        try {
            PropertyBag mutated;
            if (round % 2 == 0) {
                // Damage the text: flip, drop or insert a few characters.
                std::string damaged = text;
                for (int edits = 1 + static_cast<int>(pick(3)); edits > 0; --edits) {
                    const std::size_t at = pick(damaged.size());
                    switch (pick(3)) {
                        case 0: damaged[at] = alphabet[pick(alphabet.size())]; break;
                        case 1: damaged.erase(at, 1 + pick(4)); break;
                        default: damaged.insert(at, 1, alphabet[pick(alphabet.size())]); break;
                    }
                }
                mutated = PropertyBag::FromJsonText(damaged);
            } else {
                // Damage the values: give a few names a value of another shape.
                nlohmann::json damaged = good;
                std::vector<std::string> keys;
                for (const auto& item : good.items()) keys.push_back(item.key());
                for (int edits = 1 + static_cast<int>(pick(3)); edits > 0; --edits)
                    damaged[keys[pick(keys.size())]] = odd[pick(std::size(odd))];
                mutated = PropertyBag::FromJson(damaged);
            }
            target->ReadProperties(mutated);
            EXPECT_TRUE(ControlTestAccess::View(*target).loaded);
        } catch (const AutomationError& e) {
            ok = false;
            EXPECT_FALSE(e.Description.empty()) << e.Number;
        }
        (ok ? loadedOk : failedClearly)++;
    }
    // Both outcomes occur, so the mutations reach past the parser.
    EXPECT_GT(loadedOk, 20);
    EXPECT_GT(failedClearly, 20);
}
