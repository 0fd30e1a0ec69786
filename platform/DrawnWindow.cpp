#include "platform/DrawnWindow.h"

#include <algorithm>

#include "platform/Form.h"

namespace glv {

DrawnWindow::DrawnWindow(WindowSystem& windows, HWND parent, std::string className,
                         WindowProcedure procedure)
    : windows_(windows) {
    hwnd_ = windows_.CreateWindow(parent, std::move(className));
    windows_.SetWindowProcedure(hwnd_, std::move(procedure));
    RegisterSurface(windows_, hwnd_, &picture_);
}

DrawnWindow::~DrawnWindow() { windows_.DestroyWindow(hwnd_); }

void DrawnWindow::Place(WindowPlacement placement) {
    placement.width = std::max(placement.width, 0);
    placement.height = std::max(placement.height, 0);
    if (placement.width != picture_.Width() || placement.height != picture_.Height())
        picture_ = Surface(placement.width, placement.height);
    windows_.SetPlacement(hwnd_, placement);
}

}  // namespace glv
