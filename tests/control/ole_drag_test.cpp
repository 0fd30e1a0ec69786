// Drag and drop through real pointer input: a control as the source (automatic start, drag
// texts, Ctrl for copy, the source events), as the target in each OLEDropMode, two controls on
// one form, and dropped texts that are large, odd or not text at all.
//
// Test ideas not yet written: the host replacing the data object's text in OLEStartDrag;
// OLESetData from a target reading a promised format.
#include <gtest/gtest.h>

#include "input/DragText.h"
#include "platform/DragSession.h"
#include "tests/support/control_fixture.h"

namespace glv {
namespace {

// Offers a data object from a window of the form outside the controls.
struct TextSource final : DragSource {
    std::optional<Variant> text;
    int32_t effects = dropeffect::kCopy | dropeffect::kMove;
    std::vector<int32_t> completed;
    void DragStart(DataObject& data, int32_t& allowed) override {
        if (text) data.SetData(*text, DataObject::kTextFormat);
        allowed = effects;
    }
    void DragComplete(int32_t effect) override { completed.push_back(effect); }
};

struct DragFixture : test::ControlFixture {
    std::unique_ptr<GlideListView> second;  // right of the first, from x = 210
    EventRecorder secondEvents;
    TextSource source;
    HWND sourceWindow = 0;
    std::unique_ptr<DragSession> session;

    DragFixture() : ControlFixture(420, 160) {
        platform.windows.SetPlacement(list->hwnd(), {0, 0, 200, 160});
        list->Resize(200, 160);
        second = std::make_unique<GlideListView>(platform, container, 200, 160, form->hwnd());
        platform.windows.SetPlacement(second->hwnd(), {210, 0, 200, 160});
        second->SetEventSink(&secondEvents);
        second->InitProperties();
        for (GlideListView* l : {list.get(), second.get()}) {
            l->AddColumn("Name", -1, 100);
            l->AddColumn("Sub", -1, 80);
        }
        sourceWindow = platform.windows.CreateWindow(0, "Source", {0, 0, 0, 0});
        RegisterDragSource(platform.windows, sourceWindow, &source);
        session = std::make_unique<DragSession>(platform, *form);
    }
    ~DragFixture() {
        session.reset();
        platform.windows.DestroyWindow(sourceWindow);
        second.reset();
    }
    void Add(GlideListView& l, const char* text, int16_t icon, const char* sub, int16_t subIcon) {
        const int32_t i = l.AddItem(text, icon, 0, Variant());
        l.ItemForWrite(i).cLISubListItemInfo[0].cSIText = sub;
        l.ItemForWrite(i).cLISubListItemInfo[0].cSIIconIndex = subIcon;
    }
    int32_t RowY(const GlideListView& l, int32_t row) const {
        const tListItemInfo& item = l.ItemRecord(row);
        return item.cLIItemY + item.cLIItemHeight / 2;
    }
    // A drag from outside onto a point of the form, with the data object's text.
    void DropAt(int32_t x, int32_t y, std::optional<Variant> text, int32_t shift = 0) {
        source.text = std::move(text);
        ASSERT_TRUE(session->Start(sourceWindow));
        session->Over({x, y}, shift);
        session->Drop({x, y}, shift);
    }
    std::string SecondTexts() const {
        std::string out;
        for (int32_t i = 1; i <= second->ItemCount(); ++i) {
            const tListItemInfo& item = second->ItemRecord(i);
            out += (i > 1 ? " | " : "") + item.cLIText + "," + std::to_string(item.cLIIconIndex) + "," +
                   item.cLISubListItemInfo[0].cSIText + "," + std::to_string(item.cLISubListItemInfo[0].cSIIconIndex);
        }
        return out;
    }
    std::string SecondEvents() {
        std::string out;
        for (const std::string& line : secondEvents.TakeLines()) out += (out.empty() ? "" : ", ") + line;
        return out;
    }
};

TEST(OleDrag, RowsDraggedFromOneListIntoAnother) {
    DragFixture f;
    f->SetOLEDragMode(1);
    f->SetOleDropDataMode(oleDragRowData);
    f->SetMultiSelect(true);
    f.second->SetOLEDropMode(2);
    f.Add(*f.list, "A", 3, "x", 0);
    f.Add(*f.list, "C", 1, "z", 1);
    f.Add(*f.list, "B", -1, "y", 2);
    f->SetSelectState(1, true);
    f->SetSelectState(3, true);
    f.Events();
    const int32_t y = f.RowY(*f.list, 1);
    f.Move(30, y);
    f.Down(30, y, 1);  // a press on a selected row of a multi-selection keeps it
    f.Move(32, y + 2, 1);  // inside the +-2 square: no drag yet
    EXPECT_FALSE(f->OleDragInProgress());
    f.Events();
    f.Move(30, y + 3, 1);  // out of it: the drag starts with the rows' text
    EXPECT_TRUE(f->OleDragInProgress());
    EXPECT_EQ(f.Events(), "OLEStartDrag AllowedEffects=2");
    EXPECT_EQ(f.session->Active(), false);  // the control's own session carries it
    f.Move(100, 50, 1);  // over its own list: no drop there (OLEDropMode 0)
    EXPECT_EQ(f.Events(), "OLEGiveFeedback Effect=0 DefaultCursors=True");
    f.Move(260, 50, 1);
    EXPECT_EQ(f.Events(), "OLEGiveFeedback Effect=2 DefaultCursors=True");
    f.Up(260, 50, 1);
    EXPECT_EQ(f.Events(), "OLECompleteDrag Effect=2");
    EXPECT_FALSE(f->OleDragInProgress());
    EXPECT_EQ(f.SecondTexts(), "A,3,x,0 | B,-1,y,2");
    EXPECT_EQ(f.SecondEvents(), "");  // an automatic drop raises nothing
    // The source keeps its rows: a move only says what the target should do with them.
    EXPECT_EQ(f->ItemCount(), 3);
}

TEST(OleDrag, CtrlOffersCopyAndIndexTexts) {
    DragFixture f;
    f->SetOLEDragMode(1);
    f->SetOleDropDataMode(oleDragItemIndex);
    f->SetMultiSelect(true);
    f.second->SetOLEDropMode(1);
    for (const char* t : {"a", "b", "c", "d", "e", "f"}) f.Add(*f.list, t, -1, "", -1);
    f->SetSelectState(2, true);
    f->SetSelectState(5, true);
    const int32_t y = f.RowY(*f.list, 2);
    f.Move(30, y);
    f.Down(30, y, 1);
    f.form->Key(Form::KeyAction::Down, 17);  // Ctrl, recorded by the control's key hook
    f.Events();
    f.Move(30, y + 5, 1);
    EXPECT_EQ(f.Events(), "OLEStartDrag AllowedEffects=1");
    f.Move(250, 40, 1, 2);
    EXPECT_EQ(f.SecondEvents(), "OLEDragOver Effect=1 Button=1 Shift=2 X=40 Y=40 State=0");
    f.Up(250, 40, 1, 2);
    EXPECT_EQ(f.SecondEvents(), "OLEDragDrop Effect=1 Button=1 Shift=2 X=40 Y=40");
    EXPECT_EQ(f.Events(), "OLEGiveFeedback Effect=1 DefaultCursors=True, OLECompleteDrag Effect=1");
    EXPECT_EQ(f.second->ItemCount(), 0);  // a manual drop is the host's to handle
    f.form->Key(Form::KeyAction::Up, 17);
}

// What a host sees in OLEStartDrag: the data object's plain text as the control filled it.
struct StartTexts final : GlideListViewEvents {
    std::vector<std::string> texts;
    void OLEStartDrag(DataObject& data, int32_t& allowed) override {
        texts.push_back(data.GetFormat(DataObject::kTextFormat)
                            ? std::string(data.GetData(DataObject::kTextFormat).AsString()) + " allowed " + std::to_string(allowed)
                            : "no text");
        allowed = 0;  // nothing may be dropped: the drag ends at once
    }
};

TEST(OleDrag, TheDataObjectCarriesTheModesText) {
    struct Case {
        int32_t mode;
        const char* text;
    };
    const Case cases[] = {{oleDragRowData, "A,3,x,0|B,-1,y,2 allowed 2"},
                          {oleDragItemText, "A,-1|B,-1 allowed 2"},
                          {oleDragItemIndex, "1,-1|3,-1 allowed 2"},
                          {7, "no text"}};
    for (const Case& c : cases) {
        DragFixture f;
        StartTexts host;
        f->SetEventSink(&host);
        f->SetOLEDragMode(1);
        f->SetOleDropDataMode(c.mode);
        f->SetMultiSelect(true);
        f.Add(*f.list, "A", 3, "x", 0);
        f.Add(*f.list, "C", 1, "z", 1);
        f.Add(*f.list, "B", -1, "y", 2);
        f->SetSelectState(1, true);
        f->SetSelectState(3, true);
        const int32_t y = f.RowY(*f.list, 3);
        f.Move(30, y);
        f.Down(30, y, 1);
        f.Move(34, y, 1);
        EXPECT_EQ(host.texts, std::vector<std::string>{c.text}) << c.mode;
        EXPECT_FALSE(f->OleDragInProgress());  // completed at once: nothing allowed
        f.Up(34, y, 1);
    }
}

// A host that promises plain text at the start and fills it only when a target asks.
struct PromisingHost final : GlideListViewEvents {
    std::vector<std::string> log;
    void OLEStartDrag(DataObject& data, int32_t&) override {
        data.Clear();
        data.SetData(Variant(), DataObject::kTextFormat);  // announced, no data yet
        log.push_back("start");
    }
    void OLESetData(DataObject& data, int16_t& format) override {
        log.push_back("set data " + std::to_string(format));
        data.SetData(Variant("late,-1|later,-1"), format);
    }
    void OLECompleteDrag(int32_t& effect) override { log.push_back("complete " + std::to_string(effect)); }
};

TEST(OleDrag, APromisedFormatIsFilledWhenTheTargetReadsIt) {
    DragFixture f;
    PromisingHost host;
    f->SetEventSink(&host);
    f->SetOLEDragMode(1);
    f.second->SetOLEDropMode(2);
    f.Add(*f.list, "A", -1, "", -1);
    const int32_t y = f.RowY(*f.list, 1);
    f.Move(30, y);
    f.Down(30, y, 1);
    f.Move(30, y + 10, 1);
    f.Move(300, 40, 1);
    f.Up(300, 40, 1);
    EXPECT_EQ(host.log, (std::vector<std::string>{"start", "set data 1", "complete 2"}));
    EXPECT_EQ(f.SecondTexts(), "late,-1,,0 | later,-1,,0");
}

TEST(OleDrag, TheOLEDragMethodStartsAManualDrag) {
    DragFixture f;
    f.Add(*f.list, "A", -1, "", -1);
    f->SetSelectState(1, true);
    f.events.SetAnswer("OLEStartDrag", {{"AllowedEffects", Variant(int32_t{3})}});
    f->OLEDrag();  // OLEDragMode 0: the host fills the data itself
    EXPECT_EQ(f.Events(), "OLEStartDrag AllowedEffects=2");
    EXPECT_FALSE(f->OleDragInProgress());  // only the automatic start sets the flag
    f.Move(260, 40, 1);
    f.Up(260, 40, 1);
    // The second list takes no drops (OLEDropMode 0): nothing was dropped.
    EXPECT_EQ(f.Events(), "OLEGiveFeedback Effect=0 DefaultCursors=True, OLECompleteDrag Effect=0");
    EXPECT_EQ(f.second->ItemCount(), 0);
}

TEST(OleDrag, NoAutomaticStartWithoutItemsModeOrPress) {
    DragFixture f;
    f->SetOLEDragMode(0);
    f.Add(*f.list, "A", -1, "", -1);
    const int32_t y = f.RowY(*f.list, 1);
    f.Move(30, y);
    f.Down(30, y, 1);
    f.Move(30, y + 20, 1);
    EXPECT_FALSE(f->OleDragInProgress());
    f.Up(30, y + 20, 1);
    f->SetOLEDragMode(1);
    f.Move(30, y, 0);
    f.Move(30, y + 20, 0);  // no press in progress
    EXPECT_FALSE(f->OleDragInProgress());
    EXPECT_EQ(f.Events().find("OLEStartDrag"), std::string::npos);
}

TEST(OleDrag, AutomaticDropsOfTexts) {
    struct Case {
        const char* name;
        std::optional<Variant> data;
        const char* rows;
    };
    std::string megabyte;
    for (int i = 0; megabyte.size() < (1 << 20); ++i) megabyte += "r" + std::to_string(i) + "," + std::to_string(i % 7) + ",s,1|";
    const Case cases[] = {
        {"one plain text", Variant("Hello"), "Hello,-1,,0"},
        {"single fields are skipped", Variant("a|b"), ""},
        {"two rows", Variant("a,-1|b,-1"), "a,-1,,0 | b,-1,,0"},
        {"one row of fields", Variant("t,4,u,5"), "t,4,u,5"},
        {"empty fields", Variant(",|,,,"), ",0,,0 | ,0,,0"},
        {"non-numeric icons keep 0", Variant("t,x,u,9z"), "t,0,u,0"},
        {"invalid UTF-8 passes as it is", Variant("\xff\xfe,1"), "\xff\xfe,1,,0"},
        {"no plain text adds nothing", std::nullopt, ""},
        {"a number is a text", Variant(int32_t{42}), "42,-1,,0"},
    };
    for (const Case& c : cases) {
        DragFixture f;
        f.second->SetOLEDropMode(2);
        f.DropAt(300, 60, c.data);
        EXPECT_EQ(f.SecondTexts(), c.rows) << c.name;
        f.second->Refresh();  // whatever arrived paints
    }
    DragFixture big;
    big.second->SetOLEDropMode(2);
    big.DropAt(300, 60, Variant(megabyte));
    EXPECT_GT(big.second->ItemCount(), 60000);
    EXPECT_EQ(big.second->ItemRecord(7).cLIIconIndex, 6);
}

TEST(OleDrag, DropModes) {
    DragFixture f;
    // None: the pointer shows no drop is possible, and nothing is dropped.
    f.source.text = Variant("x,1");
    ASSERT_TRUE(f.session->Start(f.sourceWindow));
    f.session->Over({300, 60}, 0);
    EXPECT_EQ(f.session->Effect(), dropeffect::kNone);
    f.session->Drop({300, 60}, 0);
    EXPECT_EQ(f.source.completed, std::vector<int32_t>{0});
    EXPECT_EQ(f.second->ItemCount(), 0);
    EXPECT_EQ(f.SecondEvents(), "");
    // Manual: the host sees over and drop and may refuse with effect 0.
    f.second->SetOLEDropMode(1);
    f.secondEvents.SetAnswer("OLEDragOver", {{"Effect", Variant(int32_t{0})}});
    f.DropAt(300, 60, Variant("x,1"));
    EXPECT_EQ(f.SecondEvents(), "OLEDragOver Effect=2 Button=1 Shift=0 X=90 Y=60 State=0, "
                                "OLEDragOver Effect=0 Button=1 Shift=0 X=0 Y=0 State=1");
    EXPECT_EQ(f.source.completed.back(), 0);
}

}  // namespace
}  // namespace glv
