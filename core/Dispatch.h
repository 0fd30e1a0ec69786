#pragma once
// Reaching the control and its collection, element and record objects by member name.
//
// Every scriptable class keeps ONE table with one row per public member: its name, whether it is
// a property or a method, how many arguments it takes and the functions that read, call or write
// it. Invoke looks the name up (case-insensitively), checks the argument count and calls the row.
// A later subsystem adds a member by adding a row; nothing else changes.
//
// Argument rules shared by all tables:
//   - An unknown member, or a write to a member that has no write function, is error 438.
//   - More arguments than the row allows is error 450; fewer than its required ones, or an
//     omitted (Missing) required one, is error 449.
//   - A property write passes its index arguments followed by the value (args.back()).
//   - Reading a method calls it, so a scenario path may name a method in the middle.
//   - Arguments given to a property that takes none are passed to the default member of the
//     object the property returns (ListItems(3), SubItems(1)).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/AutomationError.h"
#include "platform/SharedString.h"
#include "platform/SystemInfo.h"
#include "platform/Variant.h"
#include "platform/WindowSystem.h"

namespace glv {

struct Locale;

using Args = std::span<const Variant>;

enum class MemberKind : uint8_t { Property, Method };

template <class Self>
struct Member {
    std::string_view name;
    MemberKind kind = MemberKind::Property;
    int8_t minArgs = 0;  // required arguments (index arguments of a property)
    int8_t maxArgs = 0;
    Variant (*get)(Self&, Args) = nullptr;                // read a property, call a method
    void (*let)(Self&, Args, const Variant&) = nullptr;   // write a property; nullptr: read only
};

// ASCII case-insensitive comparison of member names.
bool NameEquals(std::string_view a, std::string_view b);

// Raises 450 for too many arguments, 449 for a required one that is absent or Missing.
void CheckArgCount(Args args, int minArgs, int maxArgs);

// Argument i, or the Missing marker when the caller passed fewer.
const Variant& Arg(Args args, std::size_t i);

template <class Self>
const Member<Self>* FindMember(std::span<const Member<Self>> table, std::string_view name) {
    for (const Member<Self>& row : table)
        if (NameEquals(row.name, name)) return &row;
    return nullptr;
}

template <class Self>
Variant CallMember(const Member<Self>& row, Self& self, CallKind kind, Args args) {
    if (kind == CallKind::Let) {
        if (!row.let || args.empty()) RaiseRuntimeError(runtime_error::kNotSupported);
        const Args index = args.first(args.size() - 1);
        CheckArgCount(index, row.minArgs, row.maxArgs);
        row.let(self, index, args.back());
        return {};
    }
    if (row.kind == MemberKind::Property && row.maxArgs == 0 && !args.empty()) {
        // Arguments after a property that takes none go to the default member of the object it
        // returns: ListItems(3) is ListItems.Item(3).
        const Variant value = row.get(self, {});
        if (!value.IsObject() || !value.AsObject()) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
        return value.AsObject()->Invoke("", CallKind::Get, args);
    }
    CheckArgCount(args, row.minArgs, row.maxArgs);
    return row.get(self, args);
}

// Looks a member up and calls it; an unknown name is error 438. defaultMember, when given, is
// what an empty name (the object used with arguments directly, "ListItems(3)") stands for.
template <class Self>
Variant InvokeFromTable(std::span<const Member<Self>> table, Self& self, std::string_view name,
                        CallKind kind, Args args, std::string_view defaultMember = {}) {
    if (name.empty() && !defaultMember.empty()) name = defaultMember;
    const Member<Self>* row = FindMember(table, name);
    if (!row) RaiseRuntimeError(runtime_error::kNotSupported);
    return CallMember(*row, self, kind, args);
}

// --- record fields ------------------------------------------------------------------------------
// The record type and field type of a pointer to a record field, for tables built from them.
template <class M>
struct MemberPointer;
template <class C, class T>
struct MemberPointer<T C::*> {
    using Record = C;
    using Field = T;
};
template <auto Ptr>
using RecordOf = typename MemberPointer<decltype(Ptr)>::Record;
template <auto Ptr>
using FieldOf = typename MemberPointer<decltype(Ptr)>::Field;

// --- record field values <-> variants -----------------------------------------------------------
// Record fields use natural C++ types; across dispatch they travel as the automation types of the
// published records: Boolean, Integer, Long, Single, String, Variant. OLE_COLOR travels as a Long
// (system colours are negative), and also accepts the unsigned value as a Double.

inline Variant ToVariant(bool v) { return Variant(v); }
inline Variant ToVariant(int16_t v) { return Variant(v); }
inline Variant ToVariant(int32_t v) { return Variant(v); }
inline Variant ToVariant(uint32_t v) { return Variant(static_cast<int32_t>(v)); }
inline Variant ToVariant(float v) { return Variant(v); }
inline Variant ToVariant(const std::string& v) { return Variant(v); }
inline Variant ToVariant(const SharedString& v) { return Variant(v); }
inline Variant ToVariant(const Variant& v) { return v; }

template <class T>
T FromVariant(const Variant& value, const Locale& locale);

// A Single in pixels of the drawing surface to a stored whole pixel count (half to even;
// overflow is error 6).
int32_t SingleToPixels(const Variant& value, const Locale& locale);

}  // namespace glv
