#include "platform/DeviceContext.h"

namespace glv {

HDC DeviceContexts::Register(Surface& surface) {
    const HDC hdc = next_++;
    surfaces_[hdc] = &surface;
    return hdc;
}

Surface* DeviceContexts::Find(HDC hdc) const {
    const auto it = surfaces_.find(hdc);
    return it == surfaces_.end() ? nullptr : it->second;
}

}  // namespace glv
