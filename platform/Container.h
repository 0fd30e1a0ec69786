#pragma once
// The hosting runtime's site for one control: ambient font, user mode, the screen's twips per
// pixel, and the property-changed notifications, which a test can read back.

#include <string>
#include <vector>

#include "platform/StdFont.h"

namespace glv {

class Container {
public:
    StdFont AmbientFont{"DejaVu Sans", 8.0f};
    bool UserMode = true;
    int TwipsPerPixelX = 15;
    int TwipsPerPixelY = 15;

    void PropertyChanged(std::string name) { changed_.push_back(std::move(name)); }
    const std::vector<std::string>& ChangedProperties() const { return changed_; }
    void ClearChangedProperties() { changed_.clear(); }

private:
    std::vector<std::string> changed_;
};

}  // namespace glv
