#include "platform/DrawnWindow.h"

#include <algorithm>

#include "platform/Form.h"
#include "platform/GeometryLimits.h"

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
    // Sizes come from host-set geometry (an edit box as wide as a column of 2^30 pixels): the
    // window is never larger than a surface can be, so its picture always exists.
    placement.width = ClampSurfaceSide(placement.width);
    placement.height = ClampSurfaceSide(placement.height);
    if (placement.width != picture_.Width() || placement.height != picture_.Height())
        picture_ = Surface(placement.width, placement.height);
    windows_.SetPlacement(hwnd_, placement);
}

}  // namespace glv
