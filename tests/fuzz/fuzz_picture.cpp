// A picture from outside: PNG bytes as a file holds them, or the base64 text a property bag
// stores. Bad data raises error 481 and nothing else; a picture that decodes encodes back to a
// picture with the same pixels, and a small one paints as the control's background.
#include <span>

#include "platform/AutomationError.h"
#include "platform/StdPicture.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace glv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static fuzz::Host host(120, 90);
    if (size == 0) return 0;
    std::shared_ptr<StdPicture> picture;
    try {
        if (data[0] % 2 == 0)
            picture = StdPicture::FromPng(std::span<const uint8_t>(data + 1, size - 1));
        else
            picture = StdPicture::FromBase64Png(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    } catch (const AutomationError& e) {
        if (e.Number != runtime_error::kInvalidPicture) fuzz::Broken("bad picture data raised " + std::to_string(e.Number));
        return 0;
    }
    const auto back = StdPicture::FromBase64Png(picture->ToBase64Png());
    if (!back->SamePixels(*picture)) fuzz::Broken("a decoded picture does not encode back to its pixels");
    if (int64_t{picture->PixelWidth()} * picture->PixelHeight() <= 256 * 256) {
        const Variant value{ObjectPtr(picture)};
        host.control->DispatchObject()->Invoke("BackGroundPicture", CallKind::Let, std::span<const Variant>(&value, 1));
        host.control->Refresh();
    }
    return 0;
}
