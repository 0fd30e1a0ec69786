#pragma once
// The control's own member table (control/ControlDispatch.cpp), for tools that describe the
// interface from the code, such as `glv doc`. The collection and element classes hand out
// theirs as their static Members().

#include <span>

#include "core/Dispatch.h"

namespace glv {

class GlideListView;

// One row per member reached by name that is not a stored property; the stored properties are
// the property table's (core/PropertyTable.h).
std::span<const Member<GlideListView>> ControlMembers();

}  // namespace glv
