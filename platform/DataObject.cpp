#include "platform/DataObject.h"

#include <utility>

namespace glv {

DataObject DataObject::FromText(std::string_view text) {
    DataObject data;
    data.SetData(Variant(text), kTextFormat);
    return data;
}

Variant DataObject::GetData(int16_t format) const {
    const auto it = formats_.find(format);
    return it == formats_.end() ? Variant() : it->second;
}

Variant DataObject::GetData(int16_t format) {
    const auto it = formats_.find(format);
    if (it != formats_.end() && it->second.IsEmpty() && supplier_) {
        // The supplier may replace the map's contents: copy it first and look the format up again.
        const Supplier supplier = supplier_;
        supplier(*this, format);
    }
    return std::as_const(*this).GetData(format);
}

}  // namespace glv
