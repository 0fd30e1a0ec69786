#pragma once
// A window that shows a picture of its own: the window, the surface it is drawn into
// (registered under the surface property, so the form composes it) and the window procedure,
// created and destroyed together. The widgets (edit box, pop-up menu, tooltip, drag window)
// are built on it.

#include <string>

#include "platform/Surface.h"
#include "platform/WindowSystem.h"

namespace glv {

class DrawnWindow {
public:
    // parent 0 makes a top-level window, placed in screen pixels.
    DrawnWindow(WindowSystem& windows, HWND parent, std::string className, WindowProcedure procedure);
    ~DrawnWindow();
    DrawnWindow(const DrawnWindow&) = delete;
    DrawnWindow& operator=(const DrawnWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    Surface& Picture() { return picture_; }
    const Surface& Picture() const { return picture_; }
    int32_t Width() const { return picture_.Width(); }
    int32_t Height() const { return picture_.Height(); }

    // Moves and sizes the window; a new size gives a new, blank picture. Negative sizes count as 0.
    void Place(WindowPlacement placement);
    WindowPlacement Placement() const { return windows_.Placement(hwnd_); }
    RECT ScreenRect() const { return windows_.WindowRect(hwnd_); }

private:
    WindowSystem& windows_;
    HWND hwnd_ = 0;
    Surface picture_;
};

}  // namespace glv
