#include "core/RecordObjects.h"

#include <array>

#include "core/Dispatch.h"

namespace glv {

namespace {

template <class R>
struct FieldRow {
    std::string_view name;
    Variant (*get)(const R&);
    void (*set)(R&, const Variant&);  // nullptr: the field cannot be written through a script
};

template <auto Ptr>
Variant GetField(const RecordOf<Ptr>& record) {
    return ToVariant(record.*Ptr);
}

template <auto Ptr>
void SetField(RecordOf<Ptr>& record, const Variant& value) {
    record.*Ptr = FromVariant<FieldOf<Ptr>>(value, DefaultLocale());
}

// The sub-items of an item copy, as an array (indexes 1..n) of sub-item record objects.
Variant GetSubItems(const tListItemInfo& item) {
    std::vector<Variant> elements;
    elements.reserve(item.cLISubListItemInfo.size());
    for (const tSubListItemInfo& sub : item.cLISubListItemInfo) elements.push_back(MakeRecordVariant(sub));
    return Variant::Array(std::move(elements), 1);
}

#define GLV_FIELD(R, f) FieldRow<R>{#f, &GetField<&R::f>, &SetField<&R::f>}

// Fields in their published order.
constexpr FieldRow<tListItemInfo> kItemFields[] = {
    GLV_FIELD(tListItemInfo, cLIBackColor),       GLV_FIELD(tListItemInfo, cLIEnabled),
    GLV_FIELD(tListItemInfo, cLIFontName),        GLV_FIELD(tListItemInfo, cLIFontBold),
    GLV_FIELD(tListItemInfo, cLIFontItalic),      GLV_FIELD(tListItemInfo, cLIFontSize),
    GLV_FIELD(tListItemInfo, cLIFontStrikeThrough), GLV_FIELD(tListItemInfo, cLIFontUnderline),
    GLV_FIELD(tListItemInfo, cLIForeColor),       GLV_FIELD(tListItemInfo, cLIIconIndex),
    GLV_FIELD(tListItemInfo, cLIInEdit),          GLV_FIELD(tListItemInfo, cLIIndent),
    GLV_FIELD(tListItemInfo, cLIItemData),        GLV_FIELD(tListItemInfo, cLIItemStringData),
    GLV_FIELD(tListItemInfo, cLIItemChecked),     GLV_FIELD(tListItemInfo, cLIItemHeight),
    GLV_FIELD(tListItemInfo, cLIItemHAlign),      GLV_FIELD(tListItemInfo, cLIItemVAlign),
    GLV_FIELD(tListItemInfo, cLIOverLap),         GLV_FIELD(tListItemInfo, cLIPictureOnRight),
    GLV_FIELD(tListItemInfo, cLISelectable),      GLV_FIELD(tListItemInfo, cLISelected),
    GLV_FIELD(tListItemInfo, cLISelectBackColor), GLV_FIELD(tListItemInfo, cLISelectForeColor),
    FieldRow<tListItemInfo>{"cLISubListItemInfo", &GetSubItems, nullptr},
    GLV_FIELD(tListItemInfo, cLITag),             GLV_FIELD(tListItemInfo, cLIText),
    GLV_FIELD(tListItemInfo, cLITextHeight),      GLV_FIELD(tListItemInfo, cLIToolTipText),
    GLV_FIELD(tListItemInfo, cLIItemX),           GLV_FIELD(tListItemInfo, cLIItemY),
};

constexpr FieldRow<tSubListItemInfo> kSubItemFields[] = {
    GLV_FIELD(tSubListItemInfo, cSIBackColor),     GLV_FIELD(tSubListItemInfo, cSIEnabled),
    GLV_FIELD(tSubListItemInfo, cSIFontBold),      GLV_FIELD(tSubListItemInfo, cSIFontItalic),
    GLV_FIELD(tSubListItemInfo, cSIFontName),      GLV_FIELD(tSubListItemInfo, cSIFontStrikeThrough),
    GLV_FIELD(tSubListItemInfo, cSIFontUnderline), GLV_FIELD(tSubListItemInfo, cSIForeColor),
    GLV_FIELD(tSubListItemInfo, cSIIconIndex),     GLV_FIELD(tSubListItemInfo, cSIIndent),
    GLV_FIELD(tSubListItemInfo, cSIItemData),      GLV_FIELD(tSubListItemInfo, cSIItemStringData),
    GLV_FIELD(tSubListItemInfo, cSIItemHAlign),    GLV_FIELD(tSubListItemInfo, cSIItemVAlign),
    GLV_FIELD(tSubListItemInfo, cSIPictureOnRight), GLV_FIELD(tSubListItemInfo, cSISelectBackColor),
    GLV_FIELD(tSubListItemInfo, cSISelectForeColor), GLV_FIELD(tSubListItemInfo, cSITag),
    GLV_FIELD(tSubListItemInfo, cSIText),
};

constexpr FieldRow<tColHeaderInfo> kColumnFields[] = {
    GLV_FIELD(tColHeaderInfo, cHHAlignment),     GLV_FIELD(tColHeaderInfo, cHVAlignment),
    GLV_FIELD(tColHeaderInfo, cHCaption),        GLV_FIELD(tColHeaderInfo, cHCollXSplit),
    GLV_FIELD(tColHeaderInfo, cHCollX),          GLV_FIELD(tColHeaderInfo, cHEnabled),
    GLV_FIELD(tColHeaderInfo, cHFontBold),       GLV_FIELD(tColHeaderInfo, cHFontItalic),
    GLV_FIELD(tColHeaderInfo, cHFontName),       GLV_FIELD(tColHeaderInfo, cHFontSize),
    GLV_FIELD(tColHeaderInfo, cHFontStrikeThrough), GLV_FIELD(tColHeaderInfo, cHFontUnderline),
    GLV_FIELD(tColHeaderInfo, cHForeColor),      GLV_FIELD(tColHeaderInfo, cHHoverForeColor),
    GLV_FIELD(tColHeaderInfo, cHIcon),           GLV_FIELD(tColHeaderInfo, cHIconHover),
    GLV_FIELD(tColHeaderInfo, cHIconPress),      GLV_FIELD(tColHeaderInfo, cHItemData),
    GLV_FIELD(tColHeaderInfo, cHPictureOnRight), GLV_FIELD(tColHeaderInfo, cHMinWidth),
    GLV_FIELD(tColHeaderInfo, cHSortType),       GLV_FIELD(tColHeaderInfo, cHTag),
    GLV_FIELD(tColHeaderInfo, cHWidth),
};

constexpr FieldRow<RECT> kRectFields[] = {
    GLV_FIELD(RECT, Left), GLV_FIELD(RECT, Top), GLV_FIELD(RECT, Right), GLV_FIELD(RECT, Bottom),
};

#undef GLV_FIELD

template <class R>
struct RecordTraits;
template <>
struct RecordTraits<tListItemInfo> {
    static constexpr const char* kName = "tListItemInfo";
    static constexpr std::span<const FieldRow<tListItemInfo>> kFields = kItemFields;
};
template <>
struct RecordTraits<tSubListItemInfo> {
    static constexpr const char* kName = "tSubListItemInfo";
    static constexpr std::span<const FieldRow<tSubListItemInfo>> kFields = kSubItemFields;
};
template <>
struct RecordTraits<tColHeaderInfo> {
    static constexpr const char* kName = "tColHeaderInfo";
    static constexpr std::span<const FieldRow<tColHeaderInfo>> kFields = kColumnFields;
};
template <>
struct RecordTraits<RECT> {
    static constexpr const char* kName = "RECT";
    static constexpr std::span<const FieldRow<RECT>> kFields = kRectFields;
};

}  // namespace

template <class R>
std::string RecordObject<R>::TypeName() const {
    return RecordTraits<R>::kName;
}

template <class R>
Variant RecordObject<R>::Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) {
    for (const FieldRow<R>& field : RecordTraits<R>::kFields) {
        if (!NameEquals(field.name, member)) continue;
        if (kind != CallKind::Let) {
            CheckArgCount(args, 0, 0);
            return field.get(value_);
        }
        if (!field.set) RaiseRuntimeError(runtime_error::kNotSupported);
        if (args.size() != 1) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
        field.set(value_, args[0]);
        return {};
    }
    RaiseRuntimeError(runtime_error::kNotSupported);
}

template class RecordObject<tListItemInfo>;
template class RecordObject<tSubListItemInfo>;
template class RecordObject<tColHeaderInfo>;
template class RecordObject<RECT>;

}  // namespace glv
