#include <gtest/gtest.h>

#include <set>
#include <string>

#include "resources/Bitmaps.h"

using namespace glv;

TEST(Bitmaps, EveryResourceBuildsAndNamesAreUnique) {
    std::set<std::string> names;
    for (const BitmapSource& source : AllBitmapSources()) {
        EXPECT_TRUE(names.insert(std::string(source.name)).second) << source.name;
        const Image* image = FindBitmap(source.name);
        ASSERT_NE(image, nullptr) << source.name;
        EXPECT_EQ(image->Width, source.width);
        EXPECT_EQ(image->Height, source.height);
    }
    EXPECT_EQ(FindBitmap("NO SUCH BITMAP"), nullptr);
}

TEST(Bitmaps, MalformedSourcesAreRejectedWithTheirName) {
    constexpr PaletteEntry palette[] = {{'x', 0xFF0000}};
    const BitmapSource shortRow{"BAD", 2, 1, palette, "x"};
    const BitmapSource badKey{"BAD", 1, 1, palette, "y"};
    const BitmapSource tooMany{"BAD", 1, 1, palette, "x\nx"};
    for (const BitmapSource& source : {shortRow, badKey, tooMany}) {
        try {
            BuildBitmap(source);
            FAIL();
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find("bitmap BAD"), std::string::npos);
        }
    }
    const Image ok = BuildBitmap({"OK", 2, 1, palette, "\n   xx   \n"});
    EXPECT_EQ(ok.At(1, 0), 0xFFFF0000u);
}
