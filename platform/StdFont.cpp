#include "platform/StdFont.h"

#include "platform/AutomationError.h"

namespace glv {

namespace {
bool NameIs(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return true;
}
}  // namespace

Variant StdFont::Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) {
    const bool write = kind == CallKind::Let;
    if (write && args.size() != 1) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
    if (!write && !args.empty()) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
    auto flag = [&](bool& field) -> Variant {
        if (write) field = args[0].ToBoolean();
        return field;
    };
    if (NameIs(member, "Name")) {
        if (write) Name = args[0].ToString();
        return Name;
    }
    if (NameIs(member, "Size")) {
        if (write) {
            const float size = args[0].ToSingle();
            if (size <= 0) RaiseRuntimeError(runtime_error::kInvalidPropertyValue);
            Size = size;
        }
        return Size;
    }
    if (NameIs(member, "Bold")) return flag(Bold);
    if (NameIs(member, "Italic")) return flag(Italic);
    if (NameIs(member, "Underline")) return flag(Underline);
    if (NameIs(member, "Strikethrough")) return flag(Strikethrough);
    if (NameIs(member, "Weight")) {
        if (write) Bold = args[0].ToInteger() >= 600;
        return static_cast<int16_t>(Bold ? 700 : 400);
    }
    return Object::Invoke(member, kind, args);
}

}  // namespace glv
