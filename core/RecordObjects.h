#pragma once
// Record values as automation objects.
//
// Where the interface hands out a record by value (TopItem, the elements of SelectedItems and
// CheckedItems, ClientArea), a script receives a copy wrapped in an object that exposes each
// field by its published name ("cLIText", "Left", ...). The copy is detached from the control:
// writing a field changes only the copy, as assigning to a record variable would.

#include <memory>
#include <string>

#include "core/Records.h"
#include "platform/Geometry.h"
#include "platform/Variant.h"

namespace glv {

template <class R>
class RecordObject final : public Object {
public:
    explicit RecordObject(R value) : value_(std::move(value)) {}

    const R& value() const { return value_; }
    R& value() { return value_; }

    // "tListItemInfo", "tSubListItemInfo", "tColHeaderInfo" or "RECT".
    std::string TypeName() const override;
    // Get (or Method) reads a field, Let writes it in the copy. Fields take no arguments.
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;

private:
    R value_;
};

extern template class RecordObject<tListItemInfo>;
extern template class RecordObject<tSubListItemInfo>;
extern template class RecordObject<tColHeaderInfo>;
extern template class RecordObject<RECT>;

template <class R>
Variant MakeRecordVariant(const R& value) {
    return Variant(ObjectPtr(std::make_shared<RecordObject<R>>(value)));
}

}  // namespace glv
