// The form's part in pop-ups: top-most windows composed over everything and left out of the
// hit test, and the pop-up capture that hands every pointer message to one window.
#include <gtest/gtest.h>

#include <string>

#include "platform/Form.h"

using namespace glv;

namespace {

struct Fixture {
    Platform platform;
    Form form{platform, 100, 80, {200, 100}};
    HWND list = platform.windows.CreateWindow(form.hwnd(), "List", {0, 0, 100, 80});
    HWND popA = platform.windows.CreateWindow(0, "PopA", {210, 110, 30, 20});
    HWND popB = platform.windows.CreateWindow(0, "PopB", {220, 115, 30, 20});
    Surface listPicture{100, 80, RGB(10, 10, 10)};
    Surface aPicture{30, 20, RGB(200, 0, 0)};
    Surface bPicture{30, 20, RGB(0, 0, 200)};
    std::string log;

    Fixture() {
        RegisterSurface(platform.windows, list, &listPicture);
        RegisterSurface(platform.windows, popA, &aPicture);
        RegisterSurface(platform.windows, popB, &bPicture);
        for (HWND hwnd : {list, popA, popB}) {
            platform.windows.SetWindowProcedure(hwnd, [this, hwnd](uint32_t msg, intptr_t, intptr_t lParam) {
                const POINT p = UnpackPoint(lParam);
                if (msg == wm::kLButtonDown)
                    log += platform.windows.ClassName(hwnd) + " " + std::to_string(p.x) + "," +
                           std::to_string(p.y) + "; ";
                return intptr_t{0};
            });
        }
    }
};

}  // namespace

TEST(FormPopups, TopMostWindowsShowOverEverythingInTheOrderAdded) {
    Fixture f;
    EXPECT_EQ(f.form.Compose().GetPixel(25, 17), RGB(10, 10, 10));  // not added: not shown
    f.form.AddTopMost(f.popA);
    f.form.AddTopMost(f.popB);
    EXPECT_EQ(f.form.Compose().GetPixel(25, 17), RGB(0, 0, 200));
    EXPECT_EQ(f.form.Compose().GetPixel(12, 12), RGB(200, 0, 0));
    f.form.AddTopMost(f.popA);  // again: to the top
    EXPECT_EQ(f.form.Compose().GetPixel(25, 17), RGB(200, 0, 0));
    f.platform.windows.SetVisible(f.popA, false);
    EXPECT_EQ(f.form.Compose().GetPixel(25, 17), RGB(0, 0, 200));
    f.form.RemoveTopMost(f.popB);
    f.form.AddTopMost(0x7777);  // no window: ignored
    EXPECT_EQ(f.form.Compose().GetPixel(25, 17), RGB(10, 10, 10));
    EXPECT_EQ(f.form.ClientToScreen({5, 6}), (POINT{205, 106}));

    // Shown or not, a top-most window takes no pointer input of its own.
    f.platform.windows.SetVisible(f.popA, true);
    f.form.Pointer(Form::PointerAction::Down, 15, 15);
    f.form.Pointer(Form::PointerAction::Up, 15, 15);
    EXPECT_EQ(f.log, "List 15,15; ");
}

TEST(FormPopups, PopupCaptureTakesEveryPointerMessageInItsOwnPixels) {
    Fixture f;
    f.form.SetPopupCapture(f.popA);
    f.form.Pointer(Form::PointerAction::Down, 15, 15);  // inside the pop-up
    f.form.Pointer(Form::PointerAction::Up, 15, 15);
    f.form.Pointer(Form::PointerAction::Down, 90, 5);   // outside it: still the pop-up's
    f.form.Pointer(Form::PointerAction::Up, 90, 5);
    f.form.Pointer(Form::PointerAction::Down, 2, 3);
    f.form.Pointer(Form::PointerAction::Up, 2, 3);
    EXPECT_EQ(f.log, "PopA 5,5; PopA 80,-5; PopA -8,-7; ");
    // A captured window that goes away releases the pointer.
    f.platform.windows.DestroyWindow(f.popA);
    f.form.Pointer(Form::PointerAction::Down, 50, 50);
    EXPECT_EQ(f.form.PopupCapture(), 0);
    EXPECT_EQ(f.log, "PopA 5,5; PopA 80,-5; PopA -8,-7; List 50,50; ");
}
