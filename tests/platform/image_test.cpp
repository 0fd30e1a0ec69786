// PNG images, HIMETRIC sizes, image lists and the icon primitives.
// Ideas not written yet: interlaced PNGs; a strip exactly one image wide.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <sstream>

#include "tests/support/golden.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "platform/Text.h"

namespace glv {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A PNG file built by hand, so every colour type and bit depth (and every kind of damage) can
// be tried without a second encoder.
class PngBuilder {
public:
    PngBuilder(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType) {
        bytes_ = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        std::vector<uint8_t> ihdr;
        Put32(ihdr, width);
        Put32(ihdr, height);
        ihdr.insert(ihdr.end(), {depth, colourType, 0, 0, 0});
        Chunk("IHDR", ihdr);
    }
    PngBuilder& Chunk(const char* type, const std::vector<uint8_t>& data) {
        Put32(bytes_, static_cast<uint32_t>(data.size()));
        const size_t start = bytes_.size();
        bytes_.insert(bytes_.end(), type, type + 4);
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        Put32(bytes_, static_cast<uint32_t>(crc32(0, bytes_.data() + start,
                                                  static_cast<uInt>(bytes_.size() - start))));
        return *this;
    }
    // Raw scanlines, each already starting with its filter byte.
    PngBuilder& Data(const std::vector<uint8_t>& raw) {
        uLongf size = compressBound(static_cast<uLong>(raw.size()));
        std::vector<uint8_t> packed(size);
        compress(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
        packed.resize(size);
        return Chunk("IDAT", packed);
    }
    std::vector<uint8_t> End() {
        Chunk("IEND", {});
        return bytes_;
    }

private:
    static void Put32(std::vector<uint8_t>& out, uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
    }
    std::vector<uint8_t> bytes_;
};

std::string Hex(const Image& image) {
    std::ostringstream out;
    out << std::hex;
    for (uint32_t p : image.Pixels) out << p << " ";
    return out.str();
}

std::string ErrorOf(std::span<const uint8_t> bytes) {
    try {
        DecodePng(bytes);
    } catch (const ImageError& e) {
        return e.what();
    }
    return "no error";
}

TEST(Png, EveryColourTypeLoadsAsEightBitRgba) {
    // Grey 8-bit; grey 1-bit (packed); grey + alpha.
    EXPECT_EQ(Hex(DecodePng(PngBuilder(2, 1, 8, 0).Data({0, 0x80, 0xFF}).End())),
              "ff808080 ffffffff ");
    EXPECT_EQ(Hex(DecodePng(PngBuilder(3, 1, 1, 0).Data({0, 0b10100000}).End())),
              "ffffffff ff000000 ffffffff ");
    EXPECT_EQ(Hex(DecodePng(PngBuilder(1, 1, 8, 4).Data({0, 0x40, 0x80}).End())), "80404040 ");
    // RGB 16-bit without colour-space chunks: the high bytes, not a linear re-encoding.
    EXPECT_EQ(Hex(DecodePng(PngBuilder(1, 1, 16, 2).Data({0, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC})
                                .End())),
              "ff12569a ");
    // Palette with a transparency entry; RGBA with a second row and a filter.
    EXPECT_EQ(Hex(DecodePng(PngBuilder(2, 1, 8, 3)
                                .Chunk("PLTE", {255, 0, 0, 0, 0, 255})
                                .Chunk("tRNS", {0x00})
                                .Data({0, 0, 1})
                                .End())),
              "ff0000 ff0000ff ");
    EXPECT_EQ(Hex(DecodePng(PngBuilder(1, 2, 8, 6)
                                .Data({0, 1, 2, 3, 4, /* Up filter: */ 2, 1, 1, 1, 1})
                                .End())),
              "4010203 5020304 ");
}

TEST(Png, DamagedInputGivesAClearErrorNeverACrash) {
    const std::vector<uint8_t> good = PngBuilder(1, 1, 8, 0).Data({0, 7}).End();
    EXPECT_EQ(Hex(DecodePng(good)), "ff070707 ");
    EXPECT_EQ(ErrorOf({}), "not a PNG image: no data");
    const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
    EXPECT_NE(ErrorOf(text).find("not a valid PNG image"), std::string::npos);
    for (size_t cut : {size_t{10}, size_t{30}, good.size() - 14}) {
        const std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_NE(ErrorOf(truncated), "no error") << "cut at " << cut;
    }
    std::vector<uint8_t> badCrc = good;
    badCrc[29] ^= 0xFF;  // inside the IHDR checksum
    EXPECT_NE(ErrorOf(badCrc), "no error");
    // A header announcing a huge picture is refused before anything is allocated for it.
    EXPECT_NE(ErrorOf(PngBuilder(100000, 100000, 8, 0).Data({0}).End()).find("too large"),
              std::string::npos);
    // Too few scanlines for the header's size.
    EXPECT_NE(ErrorOf(PngBuilder(4, 4, 8, 0).Data({0, 1, 2, 3, 4}).End()), "no error");

    const std::string missing = std::string(GLV_TEST_OUT_DIR) + "/no-such-file.png";
    try {
        LoadPng(missing);
        ADD_FAILURE() << "loaded a missing file";
    } catch (const ImageError& e) {
        EXPECT_EQ(std::string(e.what()), "image file: cannot open \"" + missing + "\"");
    }
    EXPECT_THROW(SavePng(Image(), std::string(GLV_TEST_OUT_DIR) + "/empty.png"), ImageError);
    EXPECT_THROW(SavePng(Image(1, 1), "/nonexistent-dir/x.png"), ImageError);
}

TEST(Png, ImagesAndSurfacesRoundTrip) {
    std::filesystem::create_directories(GLV_TEST_OUT_DIR);
    Image image(3, 2);
    image.Pixels = {0xFF102030, 0x00000000, 0x80FF0000, 0x01020304, 0xFFFFFFFF, 0x7F00FF00};
    const std::string path = std::string(GLV_TEST_OUT_DIR) + "/roundtrip.png";
    SavePng(image, path);
    EXPECT_EQ(Hex(LoadPng(path)), Hex(image));

    Surface s(3, 2, RGB(1, 2, 3));
    s.SetPixel(2, 1, RGB(200, 100, 50));
    SavePng(s, path);
    const Surface back = LoadPngSurface(path);
    EXPECT_EQ(test::PixelMap(back, {{RGB(1, 2, 3), 'a'}, {RGB(200, 100, 50), 'b'}}),
              "\naaa\naab\n");
    EXPECT_EQ(LoadPng(path).At(0, 0), 0xFF010203u);  // written without alpha
    EXPECT_EQ(ToImage(s).At(2, 1), 0xFFC86432u);
    EXPECT_EQ(ToSurface(image).GetPixel(2, 0), RGB(255, 0, 0));  // alpha dropped
}

TEST(Png, HimetricSizesFollowTheScreenDpi) {
    Image image(16, 12);
    EXPECT_EQ(HimetricSize(image).cx, 423);   // 423.33
    EXPECT_EQ(HimetricSize(image).cy, 318);   // 317.5, half away from zero
    EXPECT_EQ(PixelsToHimetric(96), 2540);
    EXPECT_EQ(PixelsToHimetric(0), 0);
    EXPECT_EQ(PixelsToHimetric(120, 120), 2540);
    EXPECT_EQ(HimetricToPixels(423), 16);
    EXPECT_EQ(HimetricToPixels(2540, 120), 120);
    EXPECT_EQ(PixelsToHimetric(10, 0), 265);  // a bad DPI falls back to 96
}

std::string Row(const Surface& s, int32_t y) {
    std::ostringstream out;
    out << std::hex;
    for (int32_t x = 0; x < s.Width(); ++x) out << s.Pixels()[y * s.Width() + x] << " ";
    return out.str();
}

TEST(ImageList, SyntheticListMatchesThePalette) {
    const ImageList list = MakeSyntheticImageList(4, 3, 10);
    EXPECT_EQ(list.ImageWidth(), 4);
    EXPECT_EQ(list.ImageHeight(), 3);
    EXPECT_EQ(list.Count(), 10);
    EXPECT_EQ(Hex(*list.GetImage(0)), "0 0 0 0 0 ffff0000 ffff0000 0 0 0 0 0 ");
    EXPECT_EQ(list.GetImage(6)->At(1, 1), 0xFF800000u);
    EXPECT_EQ(list.GetImage(7)->At(2, 1), 0xFF008000u);
    EXPECT_EQ(list.GetImage(9)->At(1, 1), 0xFF00FF00u);  // palette index 9 mod 8
    EXPECT_FALSE(list.GetImage(10).has_value());
    EXPECT_FALSE(list.GetImage(-1).has_value());
    EXPECT_EQ(ToString(*list.GetImageRect(2)), "8,0,12,3");
    EXPECT_EQ(MakeSyntheticImageList().Count(), 8);
    EXPECT_THROW(MakeSyntheticImageList(0, 16, 8), std::invalid_argument);
    EXPECT_THROW(MakeSyntheticImageList(16, 16, -1), std::invalid_argument);
}

TEST(ImageList, StripsAndImageSetsAreChecked) {
    Image strip(10, 2);
    for (int32_t x = 0; x < 10; ++x) strip.At(x, 1) = 0xFF000000u | static_cast<uint32_t>(x);
    const ImageList list = ImageList::FromStrip(strip, 4);
    EXPECT_EQ(list.Count(), 2);  // the last 2 columns make no whole image
    EXPECT_EQ(Hex(*list.GetImage(1)), "0 0 0 0 ff000004 ff000005 ff000006 ff000007 ");
    EXPECT_THROW(ImageList::FromStrip(strip, 0), std::invalid_argument);
    EXPECT_THROW(ImageList::FromStrip(strip, 11), std::invalid_argument);
    EXPECT_THROW(ImageList::FromImages({}), std::invalid_argument);
    EXPECT_THROW(ImageList::FromImages({Image(2, 2), Image(2, 3)}), std::invalid_argument);
    ImageList built = ImageList::FromImages({Image(2, 2, 1), Image(2, 2, 2)});
    EXPECT_EQ(built.Add(Image(2, 2, 3)), 2);
    EXPECT_THROW(built.Add(Image(3, 2)), std::invalid_argument);
    EXPECT_EQ(built.Count(), 3);
}

TEST(ImageList, DrawRespectsAlphaBlendsAndClips) {
    Image image(3, 1);
    image.Pixels = {0xFFFF0000, 0x00FFFFFF, 0x800000FF};  // opaque red, clear, half blue
    ImageList list = ImageList::FromImages({image});
    Surface s(5, 1, RGB(0, 255, 0));
    EXPECT_TRUE(list.Draw(s, 0, 1, 0, ILD_TRANSPARENT));
    EXPECT_EQ(Row(s, 0), "ff00 ff0000 ff00 7f80 ff00 ");
    // Half the foreground colour mixed in: red + blue = (128, 0, 128); blue + blue stays.
    s.FillRect(s.Bounds(), RGB(0, 255, 0));
    list.Draw(s, 0, 0, 0, ILD_TRANSPARENT | ILD_BLEND50, RGB(0, 0, 255));
    EXPECT_EQ(Row(s, 0), "800080 ff00 7f80 ff00 ff00 ");
    s.FillRect(s.Bounds(), RGB(0, 0, 0));
    list.Draw(s, 0, 0, 0, ILD_TRANSPARENT | ILD_BLEND25, RGB(0, 0, 255));
    EXPECT_EQ(Row(s, 0).substr(0, 7), "bf0040 ");
    // Without ILD_TRANSPARENT a background colour shows through the clear pixels.
    s.FillRect(s.Bounds(), RGB(0, 0, 0));
    list.Draw(s, 0, 0, 0, ILD_NORMAL, CLR_NONE, kWhite);
    EXPECT_EQ(Row(s, 0), "ff0000 ffffff 7f7fff 0 0 ");
    list.SetBkColor(RGB(0, 0, 255));
    list.Draw(s, 0, 0, 0, ILD_NORMAL, CLR_NONE, CLR_DEFAULT);
    EXPECT_EQ(Row(s, 0).substr(0, 12), "ff0000 ff ff");
    // Clipped at both edges, partial width, and out-of-range indexes.
    s.FillRect(s.Bounds(), RGB(0, 0, 0));
    list.Draw(s, 0, -2, 0, ILD_TRANSPARENT);
    list.Draw(s, 0, 4, 0, ILD_TRANSPARENT);
    EXPECT_EQ(Row(s, 0), "80 0 0 0 ff0000 ");
    list.Draw(s, 0, 1, 0, ILD_TRANSPARENT, CLR_NONE, CLR_NONE, 1, 0);
    EXPECT_EQ(Row(s, 0), "80 ff0000 0 0 ff0000 ");
    EXPECT_FALSE(list.Draw(s, 1, 0, 0, ILD_TRANSPARENT));
    EXPECT_FALSE(list.Draw(s, -1, 0, 0, ILD_TRANSPARENT));
    EXPECT_TRUE(list.Draw(s, 0, INT32_MAX, INT32_MIN, ILD_TRANSPARENT));
    EXPECT_EQ(Row(s, 0), "80 ff0000 0 0 ff0000 ");
}

TEST(ImageList, IconPrimitivesUseHandlesAndOneBasedIndexes) {
    ImageListRegistry lists;
    const uint32_t a = lists.Register(MakeSyntheticImageList(3, 3, 8));
    const uint32_t b = lists.Register(MakeSyntheticImageList(3, 3, 1));
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    EXPECT_LE(b, 0x7FFFFFFFu);
    Surface s(4, 3);
    // Index 0 and 1 both draw image 0 (red); 2 draws image 1 (green).
    EXPECT_TRUE(DrawIcon(lists, s, a, 0, 0, 0, false, false, RGB(0, 0, 255)));
    EXPECT_EQ(s.GetPixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(s.GetPixel(0, 0), RGB(0, 0, 0));  // the transparent margin
    DrawIcon(lists, s, a, 1, 1, 0, false, false, RGB(0, 0, 255));
    EXPECT_EQ(s.GetPixel(2, 1), RGB(255, 0, 0));
    DrawIcon(lists, s, a, 2, 1, 0, false, false, RGB(0, 0, 255));
    EXPECT_EQ(s.GetPixel(2, 1), RGB(0, 255, 0));
    // Selected: blended half with the selection colour; disabled: with the window colour.
    DrawIcon(lists, s, a, 1, 0, 0, true, false, RGB(0, 0, 255));
    EXPECT_EQ(s.GetPixel(1, 1), RGB(128, 0, 128));
    DrawDisabledIcon(lists, s, a, 2, 0, 0, kWhite);
    EXPECT_EQ(s.GetPixel(1, 1), RGB(128, 255, 128));
    // Unknown handles and indexes past the end draw nothing.
    EXPECT_FALSE(DrawIcon(lists, s, 12345, 1, 0, 0, false, false, 0));
    EXPECT_FALSE(DrawIcon(lists, s, b, 2, 0, 0, false, false, 0));
    EXPECT_FALSE(DrawDisabledIcon(lists, s, 0, 1, 0, 0, kWhite));
    EXPECT_TRUE(lists.Destroy(a));
    EXPECT_FALSE(lists.Destroy(a));
    EXPECT_EQ(lists.Find(a), nullptr);
    EXPECT_NE(lists.Register(MakeSyntheticImageList()), a);  // handles are not reused
    EXPECT_EQ(lists.Count(), 2u);
}

TEST(ImageList, EmbossedPictureIsItsShapeInHighlightThenShadow) {
    Image picture(3, 2);
    picture.Pixels = {0xFF000000, 0xFFFFFFFF, 0x00000000,   // dark, white, clear
                      0xFF404040, 0x7F000000, 0xFF202020};  // dark, half clear, dark
    Surface s(4, 3);
    DrawEmbossed(s, picture, 0, 0, kWhite, RGB(255, 0, 0));
    EXPECT_EQ(test::PixelMap(s, {{RGB(255, 0, 0), 's'}}), R"(
s...
s#s.
.#.#
)");
}

TEST(ImageList, IconRowsMatchTheirGolden) {
    // Three list rows as the row painters lay them out: selected, normal and disabled.
    ImageListRegistry lists;
    const uint32_t icons = lists.Register(MakeSyntheticImageList());
    TextEngine text;
    const FontSpec font;
    const COLORREF selection = RGB(49, 106, 197);
    Surface s(160, 54, kWhite);
    s.FillRect({1, 1, 159, 19}, selection);
    DrawIcon(lists, s, icons, 1, 3, 2, true, false, selection);
    RECT rc{21, 3, 100, 17};
    text.DrawText(s, font, "Selected row text", rc, DT_WORD_ELLIPSIS, kWhite);
    DrawIcon(lists, s, icons, 4, 3, 20, false, false, selection);
    rc = {21, 21, 158, 35};
    text.DrawText(s, font, "Normal row with an icon", rc, DT_WORD_ELLIPSIS, RGB(0, 0, 0));
    DrawDisabledIcon(lists, s, icons, 6, 3, 37, kWhite);
    text.DrawState(s, font, "Disabled row", 21, 39, 158, 0, DST_TEXT | DSS_DISABLED | 0x40000,
                   {RGB(0, 0, 0), kWhite, RGB(172, 168, 153)});
    test::ExpectMatchesGolden(s, "icon_rows");
}

}  // namespace
}  // namespace glv
