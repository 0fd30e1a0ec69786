// Drag and drop between two windows of one form, driven by the form's pointer: the exact
// sequence of notifications each side sees, the effects, and the data passed along.
#include <gtest/gtest.h>

#include <string>

#include "platform/DragSession.h"
#include "platform/VirtualKeys.h"

using namespace glv;

namespace {

std::string Log;

struct Side : DragSource, DropTarget {
    std::string name;
    std::string text = "a,-1|b,-1";  // what a drag from here carries
    int32_t allow = dropeffect::kCopy | dropeffect::kMove;
    bool promise = false;       // announce the text and give it only when asked
    int32_t overEffect = -1;    // an effect this side forces while dragged over
    std::string dropped;

    explicit Side(std::string n) : name(std::move(n)) {}
    void DragStart(DataObject& data, int32_t& allowed) override {
        Log += name + " start; ";
        data.SetData(promise ? Variant() : Variant(text), DataObject::kTextFormat);
        allowed = allow;
    }
    void DragFeedback(int32_t effect, bool& defaultCursors) override {
        Log += name + " feedback " + std::to_string(effect) + (defaultCursors ? "" : "!") + "; ";
    }
    void DragSetData(DataObject& data, int16_t format) override {
        Log += name + " set data " + std::to_string(format) + "; ";
        data.SetData(Variant(text), format);
    }
    void DragComplete(int32_t effect) override { Log += name + " complete " + std::to_string(effect) + "; "; }
    void DragOver(DataObject&, int32_t& effect, int32_t button, int32_t shift, float x, float y,
                  DragOverState state) override {
        static const char* const kStates[] = {"enter", "leave", "over"};
        Log += name + " " + kStates[static_cast<int>(state)] + " " + std::to_string(effect);
        if (state != DragOverState::Leave)
            Log += " b" + std::to_string(button) + " s" + std::to_string(shift) + " @" +
                   std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y));
        Log += "; ";
        if (overEffect >= 0 && state != DragOverState::Leave) effect = overEffect;
    }
    void Drop(DataObject& data, int32_t& effect, int32_t, int32_t, float x, float y) override {
        dropped = data.GetData(DataObject::kTextFormat).AsString();
        Log += name + " drop " + std::to_string(effect) + " @" + std::to_string(static_cast<int>(x)) + "," +
               std::to_string(static_cast<int>(y)) + " '" + dropped + "'; ";
    }
};

// Two lists side by side on one form; the right one holds a child window (a scroll bar) that
// is no target of its own.
struct Fixture {
    Platform platform;
    Form form{platform, 400, 200, {100, 50}};
    HWND left = platform.windows.CreateWindow(form.hwnd(), "Left", {0, 0, 200, 200});
    HWND right = platform.windows.CreateWindow(form.hwnd(), "Right", {200, 0, 200, 200});
    HWND bar = platform.windows.CreateWindow(right, "Bar", {183, 0, 17, 200});
    Side a{"A"};
    Side b{"B"};
    DragSession session{platform, form};

    Fixture() {
        Log.clear();
        RegisterDragSource(platform.windows, left, &a);
        RegisterDropTarget(platform.windows, left, &a);
        RegisterDragSource(platform.windows, right, &b);
        RegisterDropTarget(platform.windows, right, &b);
    }
    // A press in the left list that starts a drag, as the list does on a press and move.
    void PressAndStart(int32_t button = 1) {
        form.Pointer(Form::PointerAction::Down, 20, 30, button);
        ASSERT_TRUE(session.Start(left, button));
    }
    void Move(int32_t x, int32_t y, int32_t shift = 0) { form.Pointer(Form::PointerAction::Move, x, y, 1, shift); }
    void Release(int32_t x, int32_t y, int32_t shift = 0, int32_t button = 1) {
        form.Pointer(Form::PointerAction::Up, x, y, button, shift);
    }
    static std::string Take() { return std::exchange(Log, {}); }
};

}  // namespace

TEST(DragSession, CarriesTheNotificationsBetweenSourceAndTarget) {
    Fixture f;
    f.PressAndStart();
    EXPECT_EQ(f.Take(), "A start; ");
    EXPECT_TRUE(f.session.Active());
    EXPECT_EQ(f.form.PopupCapture(), f.session.hwnd());
    f.Move(25, 30);
    EXPECT_EQ(f.Take(), "A enter 2 b1 s0 @25,30; A feedback 2; ");
    f.Move(250, 40, 2);  // over the right list with Ctrl: copy
    EXPECT_EQ(f.Take(), "A leave 0; B enter 1 b1 s2 @50,40; A feedback 1; ");
    EXPECT_EQ(f.session.Target(), f.right);
    f.Move(390, 45, 2);  // over its scroll bar: still the right list
    EXPECT_EQ(f.Take(), "B over 1 b1 s2 @190,45; A feedback 1; ");
    f.Release(390, 45, 2);
    EXPECT_EQ(f.Take(), "B drop 1 @190,45 'a,-1|b,-1'; A complete 1; ");
    EXPECT_FALSE(f.session.Active());
    EXPECT_EQ(f.session.Effect(), dropeffect::kCopy);
    EXPECT_EQ(f.form.PopupCapture(), 0);
    // After the drag the pointer reaches the windows again, and a new drag can start.
    f.Move(250, 40);
    EXPECT_EQ(f.Take(), "");
    f.PressAndStart();
    f.Release(260, 60);  // released over a target no move reached: entered, then dropped on
    EXPECT_EQ(f.Take(), "A start; B enter 2 b1 s0 @60,60; A feedback 2; B drop 2 @60,60 'a,-1|b,-1'; A complete 2; ");
}

TEST(DragSession, EffectsFollowWhatTheSourceAllowsAndTheTargetChooses) {
    struct Row {
        int32_t allow;
        int32_t shift;
        int32_t targetForces;  // -1: the target keeps the default
        const char* log;
    };
    const Row rows[] = {
        {3, 0, -1, "B enter 2 b1 s0 @50,40; A feedback 2; B drop 2 @50,40 'a,-1|b,-1'; A complete 2; "},
        {1, 0, -1, "B enter 1 b1 s0 @50,40; A feedback 1; B drop 1 @50,40 'a,-1|b,-1'; A complete 1; "},
        {2, 2, -1, "B enter 2 b1 s2 @50,40; A feedback 2; B drop 2 @50,40 'a,-1|b,-1'; A complete 2; "},
        // A target refusing, or choosing what the source does not allow, gets no drop.
        {3, 0, 0, "B enter 2 b1 s0 @50,40; A feedback 0; B leave 0; A complete 0; "},
        {1, 0, 2, "B enter 1 b1 s0 @50,40; A feedback 0; B leave 0; A complete 0; "},
        {3, 0, 1, "B enter 2 b1 s0 @50,40; A feedback 1; B drop 1 @50,40 'a,-1|b,-1'; A complete 1; "},
    };
    for (const Row& row : rows) {
        Fixture f;
        f.a.allow = row.allow;
        f.b.overEffect = row.targetForces;
        f.PressAndStart();
        f.Take();
        f.Move(250, 40, row.shift);
        f.Release(250, 40, row.shift);
        EXPECT_EQ(f.Take(), row.log) << row.allow << " " << row.shift << " " << row.targetForces;
    }
}

TEST(DragSession, EndsWithoutADropOutsideTargetsOnEscapeOrWhenNothingIsAllowed) {
    Fixture f;
    RegisterDropTarget(f.platform.windows, f.left, nullptr);
    f.PressAndStart();
    f.Move(30, 30);  // the left list is no target any more
    EXPECT_EQ(f.Take(), "A start; A feedback 0; ");
    f.Release(30, 30);
    EXPECT_EQ(f.Take(), "A complete 0; ");

    f.PressAndStart();
    f.Move(250, 40);
    f.platform.system.keysDown[vk::kEscape] = true;
    f.Move(260, 40);
    EXPECT_EQ(f.Take(), "A start; B enter 2 b1 s0 @50,40; A feedback 2; B leave 0; A complete 0; ");
    EXPECT_FALSE(f.session.Active());
    f.platform.system.keysDown[vk::kEscape] = false;
    f.Release(260, 40);
    EXPECT_EQ(f.Take(), "");

    f.a.allow = dropeffect::kNone;
    f.PressAndStart();
    EXPECT_EQ(f.Take(), "A start; A complete 0; ");
    EXPECT_FALSE(f.session.Active());
    EXPECT_EQ(f.form.PopupCapture(), 0);
}

TEST(DragSession, PromisedDataIsAskedOfTheSourceWhenTheTargetReadsIt) {
    Fixture f;
    f.a.promise = true;
    f.a.text = "Hello";
    f.PressAndStart();
    f.Move(250, 40);
    f.Release(250, 40);
    EXPECT_EQ(f.Take(), "A start; B enter 2 b1 s0 @50,40; A feedback 2; A set data 1; B drop 2 @50,40 'Hello'; A complete 2; ");
    // A format nobody announced asks nobody.
    EXPECT_TRUE(f.session.Data().GetData(7).IsEmpty());
    EXPECT_EQ(f.Take(), "");
}

TEST(DragSession, RefusesBadStartsAndSurvivesWindowsThatGoAway) {
    Fixture f;
    EXPECT_FALSE(f.session.Start(f.bar));      // not a source
    EXPECT_FALSE(f.session.Start(0x7777));     // no window
    f.PressAndStart();
    EXPECT_FALSE(f.session.Start(f.right));    // a drag is running
    f.Move(250, 40);
    f.Take();
    f.platform.windows.DestroyWindow(f.right);  // the target goes away under the pointer
    f.Move(260, 40);
    EXPECT_EQ(f.Take(), "A feedback 0; ");
    f.platform.windows.DestroyWindow(f.left);   // and the source too
    f.Release(260, 40);
    EXPECT_EQ(f.Take(), "");
    EXPECT_FALSE(f.session.Active());
}
