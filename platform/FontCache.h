#pragma once
// Font faces and their glyphs. A FontSpec is resolved through fontconfig to a font file (the
// bold and italic faces of a family are separate files; a family without one gets a synthetic
// bold or slant); each (file, pixel size) is opened once with FreeType, and each glyph is
// rasterised once into the face's coverage arena. Lookups after that are a table read, with no
// allocation, which is what keeps repainting a page of text cheap.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/Font.h"

struct FT_FaceRec_;

namespace glv {

struct GlyphBitmap {
    int32_t left = 0;     // from the pen position to the first coverage column
    int32_t top = 0;      // from the baseline up to the first coverage row
    int32_t width = 0;    // coverage columns
    int32_t rows = 0;     // coverage rows
    int32_t advance = 0;  // pen movement in whole pixels
    uint32_t offset = 0;  // first coverage byte in the face's arena (width bytes per row)
};

// Vertical metrics in pixels at the face's size. The line height is ascent + descent, each
// rounded up, as a text-metric height is.
struct FaceMetrics {
    int32_t pixelSize = 0;
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t height = 0;
    int32_t underlineOffset = 0;  // first underline row, below the baseline
    int32_t underlineThickness = 1;
    int32_t strikeOffset = 0;  // first strike-through row, above the baseline
    int32_t strikeThickness = 1;
};

class FontCache;

// One font file at one pixel size, with the glyphs rasterised from it so far.
class Face {
public:
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;
    ~Face();

    const FaceMetrics& Metrics() const { return metrics_; }
    const std::string& File() const { return file_; }
    bool SyntheticBold() const { return synthBold_; }
    bool SyntheticItalic() const { return synthItalic_; }
    // A glyph's coverage, width bytes per row, followed by at least kCoverageSlack readable
    // bytes (of the next glyph, or spare zeros), so a row can be read sixteen bytes at a time.
    const uint8_t* Coverage(const GlyphBitmap& g) const { return arena_.data() + g.offset; }
    static constexpr size_t kCoverageSlack = 16;

private:
    friend class FontCache;
    Face() = default;

    // Code points below this are found by index; the rest through a hash map.
    static constexpr char32_t kDirect = 0x800;
    FT_FaceRec_* ft_ = nullptr;
    std::string file_;
    int32_t index_ = 0;
    bool synthBold_ = false;
    bool synthItalic_ = false;
    FaceMetrics metrics_;
    std::array<int32_t, kDirect> direct_{};  // slot in glyphs_ + 1; 0 = not loaded yet
    std::unordered_map<char32_t, int32_t> others_;
    std::vector<GlyphBitmap> glyphs_;
    std::vector<uint8_t> arena_;
};

class FontCache {
public:
    // Throws std::runtime_error when FreeType or fontconfig cannot start.
    FontCache();
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The face that draws the font at dpi. Throws std::runtime_error only when no font at all can
    // be opened (an unknown name resolves to the closest installed family).
    Face& FaceFor(const FontSpec& font, int32_t dpi);

    // The glyph for cp, rasterised on first use. Characters the face lacks come from another
    // installed font that has them, else the face's missing-glyph box; control characters are
    // empty and take no room.
    GlyphBitmap Glyph(Face& face, char32_t cp) {
        if (cp < Face::kDirect) {
            if (const int32_t slot = face.direct_[cp]) return face.glyphs_[slot - 1];
        } else if (auto it = face.others_.find(cp); it != face.others_.end()) {
            return face.glyphs_[static_cast<size_t>(it->second)];
        }
        return Rasterise(face, cp);
    }

    // Glyphs rasterised since construction: lets a test prove that repainting reuses them.
    uint64_t GlyphsRasterised() const { return rasterised_; }
    size_t FaceCount() const { return faces_.size(); }

    // The point-to-pixel rule: round(points * dpi / 72), at least 1 pixel, at most 1024.
    static int32_t PixelSize(float points, int32_t dpi);

private:
    struct Resolved {
        std::string file;
        int32_t index = 0;
        bool synthBold = false;
        bool synthItalic = false;
    };
    using FaceKey = std::tuple<std::string, int32_t, int32_t, bool, bool>;
    // Fonts that differ only in ways that give the same pixel size share an entry (8 and
    // 8.25 points at 96 DPI are both 11 px; a NaN size is 1 px like any other bad size).
    struct SpecKey {
        std::string name;
        int32_t pixelSize = 0;
        bool bold = false;
        bool italic = false;
        friend bool operator==(const SpecKey&, const SpecKey&) = default;
    };
    struct SpecKeyHash {
        size_t operator()(const SpecKey& k) const noexcept;
    };
    struct Native;  // FreeType library, fontconfig configuration, fallback lists

    Resolved Resolve(const std::string& name, bool bold, bool italic);
    Face& Load(const Resolved& r, int32_t pixelSize);
    Face* OpenFace(const Resolved& r, int32_t pixelSize);
    Face* FallbackFace(Face& face, char32_t cp);
    GlyphBitmap Rasterise(Face& face, char32_t cp);
    GlyphBitmap Store(Face& face, char32_t cp, const GlyphBitmap& g);

    std::unique_ptr<Native> native_;
    std::map<FaceKey, std::unique_ptr<Face>> faces_;
    std::unordered_map<SpecKey, Face*, SpecKeyHash> bySpec_;
    // The fonts asked for most recently, compared field by field so that a paint pass that
    // alternates between a few fonts finds them without building a key.
    struct Recent {
        SpecKey key;
        Face* face = nullptr;
    };
    std::array<Recent, 4> recent_{};
    uint64_t rasterised_ = 0;
};

}  // namespace glv
