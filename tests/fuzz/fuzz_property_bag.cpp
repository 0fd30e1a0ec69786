// A property bag from another program: parsed and loaded into a control, then saved, loaded
// into a second control and saved again. A bag the control refuses must raise an automation
// error (nothing else); a bag it accepts must save to a bag that loads back without error and
// saves to exactly the same text.
#include "platform/AutomationError.h"
#include "platform/PropertyBag.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace glv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static fuzz::Host first(160, 120), second(160, 120);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        first.control->ReadProperties(PropertyBag::FromJsonText(text));
    } catch (const AutomationError&) {
        return 0;  // refused with the documented error; the control is as it was
    }
    first.control->Refresh();
    PropertyBag saved;
    first.control->WriteProperties(saved);
    const std::string once = saved.ToJson().dump();
    try {
        second.control->ReadProperties(PropertyBag::FromJsonText(once));
    } catch (const AutomationError& e) {
        fuzz::Broken("a saved bag does not load back: " + std::string(e.what()) + "\n" + once);
    }
    PropertyBag again;
    second.control->WriteProperties(again);
    const std::string twice = again.ToJson().dump();
    if (twice != once) fuzz::Broken("save, load, save differs:\n" + once + "\n" + twice);
    second.control->Refresh();
    return 0;
}
