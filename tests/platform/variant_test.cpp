#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "platform/AutomationError.h"
#include "platform/StdFont.h"
#include "platform/Variant.h"

using namespace glv;

namespace {

int32_t ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        return e.Number;
    }
    return 0;
}

}  // namespace

TEST(Variant, WholeNumbersRoundHalfToEven) {
    // (input, Long result): ties go to the even neighbour, in both directions.
    const std::pair<double, int32_t> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {9.5, 10}, {2.4999, 2}, {2.5001, 3}, {-2147483648.0, std::numeric_limits<int32_t>::min()},
        {2147483647.4, std::numeric_limits<int32_t>::max()}};
    for (auto [input, expected] : cases) EXPECT_EQ(Variant(input).ToLong(), expected) << input;
    EXPECT_EQ(Variant(32766.5).ToInteger(), 32766);
    EXPECT_EQ(Variant(-32768.5).ToInteger(), -32768);
    EXPECT_EQ(Variant(std::string("12.5")).ToLong(), 12);
    EXPECT_EQ(Variant(std::string(" 13.5 ")).ToLong(), 14);
    EXPECT_EQ(Variant(1.5f).ToInteger(), 2);
}

TEST(Variant, OverflowAndTypeMismatchCarryTheRuntimeNumbers) {
    EXPECT_EQ(ErrorOf([] { Variant(2147483647.5).ToLong(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant(32767.5).ToInteger(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant(int32_t{40000}).ToInteger(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant(1e39).ToSingle(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant(std::nan("")).ToLong(); }), 6);
    EXPECT_EQ(ErrorOf([] { Variant("abc").ToLong(); }), 13);
    EXPECT_EQ(ErrorOf([] { Variant("").ToDouble(); }), 13);
    EXPECT_EQ(ErrorOf([] { Variant::Missing().ToString(); }), 13);
    EXPECT_EQ(ErrorOf([] { Variant::Array({Variant(1)}).ToLong(); }), 13);
    EXPECT_EQ(ErrorOf([] { Variant::Null().ToString(); }), 94);
    EXPECT_EQ(ErrorOf([] { Variant::Null().ToLong(); }), 94);
    EXPECT_EQ(ErrorOf([] { Variant(int32_t{5}).ToObject(); }), 424);

    try {
        Variant("x").ToInteger();
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Description, "Type mismatch");
        EXPECT_EQ(e.Source, "glideListViewLib");
    }
}

TEST(Variant, ConversionsBetweenKinds) {
    EXPECT_EQ(Variant(true).ToLong(), -1);
    EXPECT_EQ(Variant(false).ToString(), "False");
    EXPECT_EQ(Variant(true).ToString(), "True");
    EXPECT_EQ(Variant().ToString(), "");
    EXPECT_EQ(Variant().ToLong(), 0);
    EXPECT_FALSE(Variant().ToBoolean());
    EXPECT_TRUE(Variant("True").ToBoolean());
    EXPECT_FALSE(Variant(" false ").ToBoolean());
    EXPECT_TRUE(Variant("-3").ToBoolean());
    EXPECT_EQ(Variant(int16_t{-7}).ToString(), "-7");
    EXPECT_EQ(Variant(int32_t{123456}).ToString(), "123456");
    EXPECT_EQ(Variant(0.5).ToString(), "0.5");
    EXPECT_EQ(Variant(int16_t{5}).Type(), VarType::Integer);
    EXPECT_EQ(Variant(int32_t{5}).Type(), VarType::Long);

    // An object converts through its default member: a font's name.
    auto font = std::make_shared<StdFont>("DejaVu Serif", 10.0f);
    EXPECT_EQ(Variant(ObjectPtr(font)).ToString(), "DejaVu Serif");
    EXPECT_EQ(Variant().ToObject(), nullptr);
}

TEST(Variant, ArraysKeepTheirLowerBound) {
    Variant a = Variant::Array({Variant("a"), Variant(int32_t{1})}, 1);
    ASSERT_TRUE(a.IsArray());
    EXPECT_EQ(a.AsArray()->LBound, 1);
    EXPECT_EQ(a.AsArray()->UBound(), 2);
    EXPECT_EQ(Variant::Array({}, 1).AsArray()->UBound(), 0);
    EXPECT_EQ(a, Variant::Array({Variant("a"), Variant(int32_t{1})}, 1));
    EXPECT_FALSE(a == Variant::Array({Variant("a"), Variant(int32_t{1})}, 0));
    EXPECT_TRUE(Variant::Missing().IsMissing());
    EXPECT_FALSE(Variant::Missing() == Variant());
}

TEST(Variant, IsNumericFollowsTheRuntime) {
    const Locale& l = DefaultLocale();
    EXPECT_TRUE(Variant(int32_t{3}).IsNumeric(l));
    EXPECT_TRUE(Variant().IsNumeric(l));
    EXPECT_TRUE(Variant("12").IsNumeric(l));
    EXPECT_FALSE(Variant("12x").IsNumeric(l));
    EXPECT_FALSE(Variant::Null().IsNumeric(l));
    EXPECT_FALSE(Variant::Date(3.0).IsNumeric(l));
}

TEST(SharedString, SharesAndReleases) {
    SharedString a("DejaVu Sans");
    SharedString b = a;
    EXPECT_EQ(a.view().data(), b.view().data());
    b = SharedString("other");
    EXPECT_EQ(a, std::string_view("DejaVu Sans"));
    EXPECT_EQ(b, std::string_view("other"));
    SharedString empty("");
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(sizeof(SharedString), sizeof(void*));
    SharedString moved = std::move(a);
    EXPECT_EQ(moved.str(), "DejaVu Sans");
}
