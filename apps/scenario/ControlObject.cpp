#include "apps/scenario/ControlObject.h"

#include <string>

#include "control/GlideListView.h"
#include "platform/AutomationError.h"
#include "platform/PropertyBag.h"

namespace glv::scenario {

ObjectPtr ControlObject(GlideListView& control) { return control.DispatchObject(); }

void LoadProperties(GlideListView& control, const Json& bag) {
    try {
        control.ReadProperties(PropertyBag::FromJson(bag));
    } catch (const AutomationError& e) {
        throw InvalidScenario("properties: the bag does not load: error " + std::to_string(e.Number) +
                              " " + e.Description);
    }
}

}  // namespace glv::scenario
