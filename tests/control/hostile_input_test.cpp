// Input from outside at the edges of what it can say: sizes past the largest surface, files
// that are folders or never end, JSON nested without end, bags of very many names, coordinates
// past a Long. Each is the documented error or the documented quiet handling, and the control
// keeps its state and keeps painting.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

#include "control/GlideListView.h"
#include "platform/AutomationError.h"
#include "platform/BoundedInput.h"
#include "platform/ImageListObject.h"
#include "platform/PropertyBag.h"
#include "tests/support/list_fixture.h"
#include "tests/support/control_access.h"

using namespace glv;
using glv::test::ListFixture;

namespace {

std::string ErrorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        return "error " + std::to_string(e.Number);
    }
    return "ok";
}

std::string Nested(int levels) { return std::string(static_cast<std::size_t>(levels), '[') + std::string(static_cast<std::size_t>(levels), ']'); }

}  // namespace

TEST(HostileInput, ResizeClampsEachSideToTheLargestSurface) {
    struct Row {
        int32_t width, height, expectWidth, expectHeight;
    };
    const Row rows[] = {{8193, 8193, 8192, 8192},
                        {INT32_MAX, 10, 8192, 10},
                        {10, INT32_MIN, 10, 0},
                        {8192, 8192, 8192, 8192},
                        {300, 200, 300, 200}};
    ListFixture f(100, 60);
    f.AddItems(3);
    for (const Row& row : rows) {
        f->Resize(row.width, row.height);
        EXPECT_EQ(f->Width(), row.expectWidth) << row.width;
        EXPECT_EQ(f->Height(), row.expectHeight) << row.height;
        EXPECT_EQ(f->surface().Width(), row.expectWidth);
        EXPECT_EQ(f->surface().Height(), row.expectHeight);
    }
    // A control made too large to begin with is clamped the same way.
    Platform platform;
    Container container;
    GlideListView big(platform, container, 9000, -5);
    EXPECT_EQ(big.Width(), 8192);
    EXPECT_EQ(big.Height(), 0);
}

TEST(HostileInput, ColumnWidthSumsAreExactOrTheOverflowError) {
    ListFixture f(400, 300);
    f->AddColumn("a", -1, int32_t{1} << 30);
    f->AddColumn("b", -1, int32_t{1} << 30);
    EXPECT_EQ(ErrorNumber([&] { f->ColumnsTotalWidth(); }), "error 6");
    f->EndUpdate();  // brings the bars up to date with the columns
    EXPECT_TRUE(f->IsHScrollVisible());
    EXPECT_EQ(f->ColumnsVisibleWidth(), 398);
    f->Refresh();
    // In range, the documented values are unchanged.
    f->ClearAll();
    f->AddColumn("a", -1, 150);
    EXPECT_EQ(f->ColumnsTotalWidth(), 150);
    EXPECT_EQ(f->ColumnsVisibleWidth(), 149);
    f->EndUpdate();
    EXPECT_FALSE(f->IsHScrollVisible());
}

TEST(HostileInput, PropertyBagsNestedTooDeepAreRefusedWithoutRecursion) {
    ListFixture f;
    ControlTestAccess::Props(*f).GridLines = false;
    for (const int levels : {kMaxJsonDepth, 10000}) {
        const std::string text = "{\"Unknown\": " + Nested(levels) + ", \"GridLines\": true}";
        const std::string outcome = ErrorNumber([&] { f->ReadProperties(PropertyBag::FromJsonText(text)); });
        EXPECT_EQ(outcome, levels >= kMaxJsonDepth ? "error 13" : "ok") << levels;
        EXPECT_FALSE(ControlTestAccess::Props(*f).GridLines) << "a refused bag changes nothing";
    }
    // Within the limit the unknown key is simply carried.
    EXPECT_EQ(ErrorNumber([&] { PropertyBag::FromJsonText("{\"Unknown\": " + Nested(kMaxJsonDepth - 1) + "}"); }), "ok");
    EXPECT_TRUE(JsonNestsDeeperThan(std::string_view(Nested(3)), 2));
    EXPECT_FALSE(JsonNestsDeeperThan(std::string_view("[\"[[[[\", {\"a\": \"\\\"[[[\"}]"), 2));
    nlohmann::json deep = nlohmann::json::array();
    for (int i = 0; i < 100; ++i) deep = nlohmann::json::array({std::move(deep)});
    EXPECT_TRUE(JsonNestsDeeperThan(deep, kMaxJsonDepth));
    EXPECT_EQ(ErrorNumber([&] { PropertyBag::FromJson({{"Unknown", deep}}); }), "error 13");
}

TEST(HostileInput, ABagOfManyNamesLoadsAndKeepsTheLastOfEachName) {
    nlohmann::json bag = nlohmann::json::object();
    for (int i = 0; i < 100000; ++i) bag["Unknown" + std::to_string(i)] = i;
    bag["gridlines"] = true;
    bag["GridLines"] = false;  // the same name in another case: one entry, the later key wins
    const PropertyBag loaded = PropertyBag::FromJson(bag);
    EXPECT_EQ(loaded.Size(), 100001u);
    ListFixture f;
    f->ReadProperties(loaded);
    EXPECT_TRUE(ControlTestAccess::Props(*f).GridLines);  // keys are visited in sorted order: "gridlines" follows "GridLines"
}

TEST(HostileInput, AStoredFontOfTheWrongTypeIsTheTypeMismatch) {
    for (const char* value : {"null", "5", "\"DejaVu Sans\"", "true"}) {
        ListFixture f;
        const std::string text = std::string("{\"DefaultItemFont\": ") + value + "}";
        EXPECT_EQ(ErrorNumber([&] { f->ReadProperties(PropertyBag::FromJsonText(text)); }), "error 13") << value;
    }
}

TEST(HostileInput, InputFilesAreRegularAndBounded) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "glv_hostile_input";
    std::filesystem::create_directories(dir);
    const auto message = [](const std::filesystem::path& path, std::size_t limit) -> std::string {
        try {
            return "read " + std::to_string(ReadInputFile(path, limit).size());
        } catch (const InputError& e) {
            return e.what();
        }
    };
    EXPECT_EQ(message(dir, kMaxInputBytes), "cannot read \"" + dir.string() + "\": it is a folder");
    EXPECT_EQ(message(dir / "absent", kMaxInputBytes), "cannot open \"" + (dir / "absent").string() + "\"");
    {
        std::ofstream(dir / "small") << std::string(100, 'x');
    }
    EXPECT_EQ(message(dir / "small", 100), "read 100");
    EXPECT_EQ(message(dir / "small", 99), "cannot read \"" + (dir / "small").string() + "\": it is larger than 99 bytes");
    if (std::filesystem::exists("/dev/zero")) {
        EXPECT_EQ(message("/dev/zero", 1 << 20), "cannot read \"/dev/zero\": it is larger than 1 MiB");
    }
    std::filesystem::remove_all(dir);
}

TEST(HostileInput, DrawCoordinatesPastALongAreTheOverflowError) {
    Platform platform;
    Surface target(20, 20);
    const HDC hdc = platform.deviceContexts.Register(target);
    ImageListObject images(platform, platform.imageLists.Register(MakeSyntheticImageList(4, 4, 2)), 15, 15);
    EXPECT_EQ(ErrorNumber([&] { images.Draw(1, hdc, 15.0, 15.0, 1); }), "ok");
    for (const double bad : {1e300, -1e300, std::nan(""), 15.0 * 2147483648.0})
        EXPECT_EQ(ErrorNumber([&] { images.Draw(1, hdc, bad, 0.0, 1); }), "error 6") << bad;
    EXPECT_EQ(ErrorNumber([&] { images.Draw(1, hdc, 15.0 * INT32_MAX, 0.0, 1); }), "ok");
    platform.deviceContexts.Unregister(hdc);
}
