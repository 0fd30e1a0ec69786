#pragma once
// Moving property values between their automation form (Variant), their stored C++ form
// (StoredValue) and their slot in PropertyValues.

#include "core/PropertyTable.h"
#include "platform/Variant.h"

namespace glv {

struct Locale;

// Converts a value to the property's type with the runtime's rules: error 13 for a value of the
// wrong kind, 6 for one out of the type's range. Fonts must be StdFont objects (Nothing is
// refused with 380, since every later add reads the font); pictures StdPicture objects or
// Nothing; a non-object raises 424, an object of another class 13.
StoredValue ConvertForProperty(const PropertyDescriptor& d, const Variant& value, const Locale& locale);

// An OLE_COLOR from a number. A Long is taken as its bit pattern (system colours are negative
// Longs, as the runtime shows them); any other number must lie in -2^31 .. 2^32-1.
OLE_COLOR ToColor(const Variant& value, const Locale& locale);

// The automation form: colours as Longs with the colour's bit pattern, Nothing for no object.
Variant ToVariant(const StoredValue& value);

StoredValue LoadStored(const PropertyValues& values, const PropertyMember& member);
void StoreValue(PropertyValues& values, const PropertyMember& member, StoredValue value);

}  // namespace glv
