#pragma once
// The automation font object: a face name, a size in points and four style flags.

#include <memory>
#include <string>

#include "platform/Font.h"
#include "platform/Variant.h"

namespace glv {

class StdFont : public Object {
public:
    StdFont() = default;
    StdFont(std::string name, float size, bool bold = false, bool italic = false,
            bool underline = false, bool strikethrough = false)
        : Name(std::move(name)), Size(size), Bold(bold), Italic(italic), Underline(underline),
          Strikethrough(strikethrough) {}

    std::string Name = "DejaVu Sans";
    float Size = 8.0f;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;

    std::shared_ptr<StdFont> Clone() const { return std::make_shared<StdFont>(*this); }
    bool SameAs(const StdFont& other) const {
        return Size == other.Size && Bold == other.Bold && Italic == other.Italic &&
               Underline == other.Underline && Strikethrough == other.Strikethrough &&
               Name == other.Name;
    }
    FontSpec ToFontSpec() const { return {Name, Size, Bold, Italic, Underline, Strikethrough}; }

    std::string TypeName() const override { return "StdFont"; }
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;
    std::optional<Variant> DefaultValue() const override { return Variant(Name); }
};

using FontPtr = std::shared_ptr<StdFont>;

}  // namespace glv
