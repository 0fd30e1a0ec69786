#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

#include "platform/AutomationError.h"
#include "platform/PropertyBag.h"
#include "platform/StdFont.h"
#include "platform/StdPicture.h"

using namespace glv;

namespace {

template <class F>
std::string Outcome(F&& f) {
    try {
        f();
        return "ok";
    } catch (const AutomationError& e) {
        return "error " + std::to_string(e.Number);
    }
}

// The type and text of a variant: "Long 5", "Double 2147483648", "String x".
std::string Describe(const Variant& v) { return std::string(VarTypeName(v.Type())) + " " + v.ToString(); }

uint32_t Crc32(const uint8_t* data, std::size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

}  // namespace

TEST(PropertyBag, DefaultsAreLeftOutAndNamesIgnoreCase) {
    PropertyBag bag;
    bag.WriteProperty("GridLines", true, true);
    bag.WriteProperty("Theme", int32_t{2}, int32_t{0});
    bag.WriteProperty("Enabled", int32_t{-1}, true);  // True and -1 are the same value
    bag.WriteProperty("CurrentColumn", int16_t{0}, Variant::Missing());
    EXPECT_EQ(bag.ToJson().dump(), R"({"CurrentColumn":0,"Theme":2})");
    EXPECT_EQ(Describe(bag.ReadProperty("theme", int32_t{0})), "Long 2");
    EXPECT_EQ(Describe(bag.ReadProperty("GridLines", true)), "Boolean True");
    // Writing the default again removes the entry.
    bag.WriteProperty("THEME", int32_t{0}, int32_t{0});
    EXPECT_FALSE(bag.Contains("Theme"));
    bag.WriteProperty("Caption", "a", "");
    bag.WriteProperty("caption", "b", "");
    EXPECT_EQ(bag.ToJson().dump(), R"({"Caption":"b","CurrentColumn":0})");

    // Things with no stored form are refused and leave the bag as it was.
    EXPECT_EQ(Outcome([&] { bag.WriteProperty("X", Variant::Array({1, 2}), int32_t{0}); }), "error 13");
    EXPECT_EQ(Outcome([&] { bag.WriteProperty("X", Variant(), int32_t{0}); }), "error 13");
    EXPECT_EQ(Outcome([&] { bag.WriteProperty("X", std::numeric_limits<double>::infinity(), int32_t{0}); }), "error 13");
    EXPECT_FALSE(bag.Contains("X"));
}

TEST(PropertyBag, JsonValuesReadBackAsAutomationValues) {
    const PropertyBag bag = PropertyBag::FromJsonText(R"({
        "Long": 5, "Big": 2147483648, "Negative": -2147483648, "Huge": 18446744073709551615,
        "Half": 1.5, "Text": "x", "Flag": false, "None": null, "List": [1]})");
    EXPECT_EQ(Describe(bag.ReadProperty("Long", 0)), "Long 5");
    EXPECT_EQ(Describe(bag.ReadProperty("Big", 0)), "Double 2147483648");
    EXPECT_EQ(Describe(bag.ReadProperty("Negative", 0)), "Long -2147483648");
    EXPECT_EQ(bag.ReadProperty("Huge", 0).Type(), VarType::Double);
    EXPECT_EQ(Describe(bag.ReadProperty("Half", 0)), "Double 1.5");
    EXPECT_EQ(Describe(bag.ReadProperty("Text", 0)), "String x");
    EXPECT_EQ(Describe(bag.ReadProperty("Flag", true)), "Boolean False");
    const Variant none = bag.ReadProperty("None", 0);
    EXPECT_TRUE(none.IsObject() && !none.AsObject());
    EXPECT_EQ(Outcome([&] { bag.ReadProperty("List", 0); }), "error 13");
    EXPECT_EQ(Describe(bag.ReadProperty("Absent", "def")), "String def");

    EXPECT_EQ(Outcome([] { PropertyBag::FromJsonText("[1, 2]"); }), "error 13");
    EXPECT_EQ(Outcome([] { PropertyBag::FromJsonText("{\"a\": "); }), "error 13");
    EXPECT_EQ(Outcome([] { PropertyBag::FromJsonText(""); }), "error 13");
    try {
        PropertyBag::FromJson(nlohmann::json(3));
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Description, "Type mismatch: a property bag is a JSON object of names and values, not number");
    }
}

TEST(PropertyBag, FontsFillAbsentFieldsFromTheDefault) {
    PropertyBag bag = PropertyBag::FromJsonText(
        R"({"F": {"bold": true, "Size": "9.5", "Shade": 3}, "G": {"Size": "big"}, "H": {"Name": [1]},
            "I": {"Size": 0}})");
    const auto ambient = std::make_shared<StdFont>("Mono", 10.0f, false, true);
    const Variant read = bag.ReadProperty("F", ObjectPtr(ambient));
    auto font = std::dynamic_pointer_cast<StdFont>(read.AsObject());
    ASSERT_TRUE(font);
    EXPECT_NE(font, ambient);  // a new object; the default is not changed
    EXPECT_EQ(font->Name + " " + std::to_string(font->Size) + (font->Bold ? " bold" : "") +
                  (font->Italic ? " italic" : ""),
              "Mono 9.500000 bold italic");
    EXPECT_FALSE(ambient->Bold);
    EXPECT_EQ(Outcome([&] { bag.ReadProperty("G", ObjectPtr(ambient)); }), "error 13");
    EXPECT_EQ(Outcome([&] { bag.ReadProperty("H", ObjectPtr(ambient)); }), "error 13");
    EXPECT_EQ(Outcome([&] { bag.ReadProperty("I", ObjectPtr(ambient)); }), "error 380");

    // Written fonts carry every field and compare by value with the default.
    bag.WriteProperty("F", read, ObjectPtr(ambient));
    EXPECT_EQ(bag.ToJson()["F"].dump(),
              R"({"Bold":true,"Italic":true,"Name":"Mono","Size":9.5,"Strikethrough":false,"Underline":false})");
    bag.WriteProperty("F", ObjectPtr(std::make_shared<StdFont>(*ambient)), ObjectPtr(ambient));
    EXPECT_FALSE(bag.Contains("F"));
}

TEST(PropertyBag, PicturesTravelAsBase64Png) {
    Image image(2, 2);
    image.Pixels = {0xFFFF0000u, 0x8000FF00u, 0x000000FFu, 0xFF010203u};
    auto picture = std::make_shared<StdPicture>(image);
    PropertyBag bag;
    bag.WriteProperty("P", ObjectPtr(picture), Variant(ObjectPtr{}));
    bag.WriteProperty("Q", Variant(ObjectPtr{}), Variant(ObjectPtr{}));
    EXPECT_FALSE(bag.Contains("Q"));
    const PropertyBag copy = PropertyBag::FromJsonText(bag.ToJson().dump());
    auto back = std::dynamic_pointer_cast<StdPicture>(copy.ReadProperty("P", Variant()).AsObject());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->image(), image);  // exact, alpha included
    EXPECT_TRUE(PropertyBag::SameValue(ObjectPtr(back), ObjectPtr(picture)));
    // The same pixels as the default are not stored.
    bag.WriteProperty("P", ObjectPtr(back), ObjectPtr(picture));
    EXPECT_FALSE(bag.Contains("P"));

    const PropertyBag bad = PropertyBag::FromJsonText(
        R"({"A": {"png": "not base64!"}, "B": {"png": "aGVsbG8="}, "C": {"png": 5}, "D": {"png": ""}})");
    for (const char* name : {"A", "B", "C", "D"})
        EXPECT_EQ(Outcome([&] { bad.ReadProperty(name, Variant()); }), "error 481") << name;
}

TEST(StdPicture, PngDecodingRefusesDamageAndHugeSizes) {
    const std::vector<uint8_t> png = EncodePng(Image(1, 1, 0xFF090807u));
    EXPECT_EQ(StdPicture::FromPng(png)->image().Pixels, (std::vector<uint32_t>{0xFF090807u}));
    auto load = [](std::span<const uint8_t> bytes) { return Outcome([&] { StdPicture::FromPng(bytes); }); };
    // Cut short, or empty.
    EXPECT_EQ(load(std::span(png).first(png.size() / 2)), "error 481");
    EXPECT_EQ(load({}), "error 481");
    // A well-formed header that claims 20000 x 20000 pixels is refused before any allocation.
    std::vector<uint8_t> huge = png;
    PutBigEndian(huge, 16, 20000);
    PutBigEndian(huge, 20, 20000);
    PutBigEndian(huge, 29, Crc32(huge.data() + 12, 17));
    EXPECT_EQ(load(huge), "error 481");
    std::vector<uint8_t> wide = png;  // same, 2 x 1: a valid header, then too little data
    PutBigEndian(wide, 16, 2);
    PutBigEndian(wide, 29, Crc32(wide.data() + 12, 17));
    EXPECT_EQ(load(wide), "error 481");
}

TEST(StdPicture, Base64SizesAndMembers) {
    auto text = [](std::string_view s) {
        return Base64Encode(std::span(reinterpret_cast<const uint8_t*>(s.data()), s.size()));
    };
    EXPECT_EQ(text("") + "|" + text("f") + "|" + text("fo") + "|" + text("foo") + "|" + text("foobar"),
              "|Zg==|Zm8=|Zm9v|Zm9vYmFy");
    const std::vector<uint8_t> decoded = Base64Decode(" Zm9v\nYmE= ");
    EXPECT_EQ(std::string(decoded.begin(), decoded.end()), "fooba");
    for (const char* bad : {"Zg=", "Z===", "Zg==Zg==", "Zm9v!", "Z=g="})
        EXPECT_EQ(Outcome([&] { Base64Decode(bad); }), "error 481") << bad;

    auto picture = StdPicture::Solid(40, 3, 1, 2, 3);
    // HIMETRIC at 96 pixels per inch: 40 px = 1058.33, 3 px = 79.375, rounded.
    EXPECT_EQ(picture->Invoke("width", CallKind::Get, {}).ToString() + " " +
                  picture->Invoke("Height", CallKind::Get, {}).ToString() + " " +
                  picture->Invoke("Type", CallKind::Get, {}).ToString(),
              "1058 79 1");
    EXPECT_EQ(PixelsToHimetric(96), 2540);
    EXPECT_NE(picture->Handle(), 0);
    EXPECT_NE(picture->Handle(), StdPicture::Solid(1, 1, 0, 0, 0)->Handle());
    const Variant one[] = {int32_t{5}};
    EXPECT_EQ(Outcome([&] { picture->Invoke("Width", CallKind::Let, one); }), "error 438");
    EXPECT_EQ(Outcome([&] { picture->Invoke("Width", CallKind::Get, one); }), "error 450");
    EXPECT_EQ(Outcome([] { StdPicture::Solid(0, 5, 0, 0, 0); }), "error 481");
}
