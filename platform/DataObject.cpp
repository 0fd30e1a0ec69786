#include "platform/DataObject.h"

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

}  // namespace glv
