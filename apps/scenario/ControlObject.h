#pragma once
// The two pieces of the control the runner is built on: its dispatch object (where paths start)
// and loading a property bag. Both belong to the control; this file only connects them.

#include "apps/scenario/Values.h"
#include "platform/Variant.h"

namespace glv {
class GlideListView;
}

namespace glv::scenario {

// The control as an automation object. It holds the control's window, not the control, so it
// stays usable after the control is destroyed (every member then raises "Object has been
// unloaded.").
ObjectPtr ControlObject(GlideListView& control);

// Loads a property bag in its JSON form (persisted names → stored values) into a new control.
// Throws InvalidScenario when the bag cannot be loaded.
void LoadProperties(GlideListView& control, const Json& bag);

}  // namespace glv::scenario
