#include "platform/FontCache.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace glv {

namespace {

struct FtLibraryDeleter {
    void operator()(FT_Library lib) const { FT_Done_FreeType(lib); }
};
struct FcConfigDeleter {
    void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};
struct FcPatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FcFontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
using PatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;
using FontSetPtr = std::unique_ptr<FcFontSet, FcFontSetDeleter>;

// Font units to pixels, rounded up (ascent and descent) or to nearest (line positions).
int32_t CeilScale(int64_t units, int32_t px, int32_t upem) {
    return static_cast<int32_t>((units * px + upem - 1) / upem);
}
int32_t RoundScale(int64_t units, int32_t px, int32_t upem) {
    return static_cast<int32_t>(std::lround(static_cast<double>(units) * px / upem));
}

bool IsControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp < 0xA0); }

// The pattern asking for a family in a weight and slant, with the configuration's defaults.
PatternPtr FamilyPattern(FcConfig* config, const std::string& name, bool bold, bool italic) {
    PatternPtr pat(FcPatternCreate());
    if (!pat) throw std::bad_alloc();
    const std::string family = name.empty() ? "sans-serif" : name;
    FcPatternAddString(pat.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pat.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(config, pat.get(), FcMatchPattern);
    FcDefaultSubstitute(pat.get());
    return pat;
}

}  // namespace

struct FontCache::Native {
    std::unique_ptr<FT_LibraryRec_, FtLibraryDeleter> ft;
    std::unique_ptr<FcConfig, FcConfigDeleter> config;
    // Candidate fonts for missing glyphs, best first, per (family, bold, italic).
    std::map<std::string, FontSetPtr> fallbacks;
};

Face::~Face() {
    if (ft_) FT_Done_Face(ft_);
}

size_t FontCache::SpecKeyHash::operator()(const SpecKey& k) const noexcept {
    const size_t h = std::hash<std::string>{}(k.name);
    return h ^ ((static_cast<size_t>(k.pixelSize) << 2) | (k.bold ? 1u : 0u) | (k.italic ? 2u : 0u)) *
                   0x9E3779B97F4A7C15ull;
}

FontCache::FontCache() : native_(std::make_unique<Native>()) {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("FreeType could not start");
    native_->ft.reset(lib);
    // A configuration of our own (not the library-wide one), released with this cache.
    native_->config.reset(FcInitLoadConfigAndFonts());
    if (!native_->config) throw std::runtime_error("fontconfig could not load its configuration");
}

FontCache::~FontCache() {
    faces_.clear();  // faces go before the FreeType library that made them
}

int32_t FontCache::PixelSize(float points, int32_t dpi) {
    const double px = std::round(static_cast<double>(points) * dpi / 72.0);
    if (!(px >= 1.0)) return 1;  // also NaN
    return static_cast<int32_t>(std::min(px, 1024.0));
}

Face& FontCache::FaceFor(const FontSpec& font, int32_t dpi) {
    const int32_t pixelSize = PixelSize(font.Size, dpi);
    for (size_t i = 0; i < recent_.size(); ++i) {
        const Recent& r = recent_[i];
        if (r.face && r.key.pixelSize == pixelSize && r.key.bold == font.Bold &&
            r.key.italic == font.Italic && r.key.name == font.Name) {
            const auto at = recent_.begin() + static_cast<ptrdiff_t>(i);
            std::rotate(recent_.begin(), at, at + 1);  // move to the front
            return *recent_[0].face;
        }
    }
    SpecKey key{font.Name, pixelSize, font.Bold, font.Italic};
    auto it = bySpec_.find(key);
    if (it == bySpec_.end()) {
        Face& face = Load(Resolve(font.Name, font.Bold, font.Italic), pixelSize);
        it = bySpec_.emplace(key, &face).first;
    }
    std::rotate(recent_.begin(), recent_.end() - 1, recent_.end());
    recent_[0] = Recent{std::move(key), it->second};
    return *it->second;
}

FontCache::Resolved FontCache::Resolve(const std::string& name, bool bold, bool italic) {
    FcConfig* config = native_->config.get();
    PatternPtr pat = FamilyPattern(config, name, bold, italic);
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(config, pat.get(), &result));
    Resolved r;
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
        throw std::runtime_error("no installed font matches \"" + name + "\"");
    }
    r.file = reinterpret_cast<const char*>(file);
    int index = 0;
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) == FcResultMatch) r.index = index;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match.get(), FC_SLANT, 0, &slant);
    // A family with no bold or italic file gets the regular outlines emboldened or slanted.
    r.synthBold = bold && weight < FC_WEIGHT_DEMIBOLD;
    r.synthItalic = italic && slant == FC_SLANT_ROMAN;
    return r;
}

Face* FontCache::OpenFace(const Resolved& r, int32_t pixelSize) {
    const FaceKey key{r.file, r.index, pixelSize, r.synthBold, r.synthItalic};
    if (auto it = faces_.find(key); it != faces_.end()) return it->second.get();
    FT_Face ft = nullptr;
    if (FT_New_Face(native_->ft.get(), r.file.c_str(), r.index, &ft) != 0) return nullptr;
    std::unique_ptr<Face> face(new Face());
    face->ft_ = ft;
    if (FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(pixelSize)) != 0) return nullptr;
    face->file_ = r.file;
    face->index_ = r.index;
    face->synthBold_ = r.synthBold;
    face->synthItalic_ = r.synthItalic;

    FaceMetrics& m = face->metrics_;
    m.pixelSize = pixelSize;
    const int32_t upem = ft->units_per_EM > 0 ? ft->units_per_EM : 2048;
    int64_t ascent = ft->ascender;
    int64_t descent = -int64_t{ft->descender};
    int64_t strikePos = ft->ascender / 4;
    int64_t strikeSize = ft->underline_thickness;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
        os2 && os2->version != 0xFFFF) {
        // The Windows ascent and descent are what a text-metric height is made of.
        if (os2->usWinAscent + os2->usWinDescent > 0) {
            ascent = os2->usWinAscent;
            descent = os2->usWinDescent;
        }
        strikePos = os2->yStrikeoutPosition;
        strikeSize = os2->yStrikeoutSize;
    }
    m.ascent = CeilScale(ascent, pixelSize, upem);
    m.descent = CeilScale(std::max<int64_t>(descent, 0), pixelSize, upem);
    m.height = m.ascent + m.descent;
    m.underlineThickness = std::max(1, RoundScale(ft->underline_thickness, pixelSize, upem));
    // The underline position is the centre of the stroke, below the baseline when negative.
    m.underlineOffset = std::max(
        1, RoundScale(-int64_t{ft->underline_position}, pixelSize, upem) -
               m.underlineThickness / 2);
    m.strikeThickness = std::max(1, RoundScale(strikeSize, pixelSize, upem));
    m.strikeOffset = std::max(1, RoundScale(strikePos, pixelSize, upem));
    if (m.underlineOffset + m.underlineThickness > m.descent)
        m.underlineOffset = std::max(0, m.descent - m.underlineThickness);
    return faces_.emplace(key, std::move(face)).first->second.get();
}

Face& FontCache::Load(const Resolved& r, int32_t pixelSize) {
    if (Face* face = OpenFace(r, pixelSize)) return *face;
    // The matched file would not open: fall back to whatever the configuration calls sans.
    const Resolved sans = Resolve("sans-serif", false, false);
    if (Face* face = OpenFace(sans, pixelSize)) return *face;
    throw std::runtime_error("no usable font file (tried " + r.file + " and " + sans.file + ")");
}

Face* FontCache::FallbackFace(Face& face, char32_t cp) {
    FcConfig* config = native_->config.get();
    auto& set = native_->fallbacks[face.file_];
    if (!set) {
        // Candidates in order of likeness to this face's family and style.
        FT_Face ft = face.ft_;
        const std::string family = ft->family_name ? ft->family_name : "";
        const bool bold = (ft->style_flags & FT_STYLE_FLAG_BOLD) != 0 || face.synthBold_;
        const bool italic = (ft->style_flags & FT_STYLE_FLAG_ITALIC) != 0 || face.synthItalic_;
        PatternPtr pat = FamilyPattern(config, family, bold, italic);
        FcResult result = FcResultNoMatch;
        set.reset(FcFontSort(config, pat.get(), FcTrue, nullptr, &result));
        if (!set) return nullptr;
    }
    for (int i = 0; i < set->nfont; ++i) {
        FcPattern* font = set->fonts[i];
        FcCharSet* charset = nullptr;
        FcChar8* file = nullptr;
        if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch ||
            !FcCharSetHasChar(charset, cp) ||
            FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) {
            continue;
        }
        Resolved r;
        r.file = reinterpret_cast<const char*>(file);
        if (r.file == face.file_) continue;
        int index = 0;
        if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch) r.index = index;
        r.synthBold = face.synthBold_;
        r.synthItalic = face.synthItalic_;
        if (Face* other = OpenFace(r, face.metrics_.pixelSize)) {
            if (FT_Get_Char_Index(other->ft_, cp) != 0) return other;
        }
    }
    return nullptr;
}

GlyphBitmap FontCache::Store(Face& face, char32_t cp, const GlyphBitmap& g) {
    face.glyphs_.push_back(g);
    const auto slot = static_cast<int32_t>(face.glyphs_.size());
    if (cp < Face::kDirect) {
        face.direct_[cp] = slot;
    } else {
        face.others_.emplace(cp, slot - 1);
    }
    return g;
}

GlyphBitmap FontCache::Rasterise(Face& face, char32_t cp) {
    if (IsControl(cp)) return Store(face, cp, GlyphBitmap{});
    Face* source = &face;
    FT_UInt index = FT_Get_Char_Index(face.ft_, cp);
    if (index == 0) {
        if (Face* other = FallbackFace(face, cp)) {
            source = other;
            index = FT_Get_Char_Index(other->ft_, cp);
        }
    }
    FT_Face ft = source->ft_;
    if (FT_Load_Glyph(ft, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0 &&
        (index == 0 || FT_Load_Glyph(ft, 0, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0)) {
        return Store(face, cp, GlyphBitmap{});  // nothing drawable: an empty glyph
    }
    FT_GlyphSlot slot = ft->glyph;
    if (source->synthItalic_) FT_GlyphSlot_Oblique(slot);
    if (source->synthBold_) FT_GlyphSlot_Embolden(slot);
    GlyphBitmap g;
    g.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
        const FT_Bitmap& bm = slot->bitmap;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int32_t>(bm.width);
        g.rows = static_cast<int32_t>(bm.rows);
        // The new glyph takes the spare bytes' place and new ones follow it.
        if (face.arena_.empty()) face.arena_.resize(Face::kCoverageSlack);
        g.offset = static_cast<uint32_t>(face.arena_.size() - Face::kCoverageSlack);
        face.arena_.resize(face.arena_.size() + static_cast<size_t>(g.width) * g.rows);
        uint8_t* out = face.arena_.data() + g.offset;
        const int pitch = std::abs(bm.pitch);
        for (int32_t y = 0; y < g.rows; ++y) {
            const unsigned char* in = bm.buffer + static_cast<ptrdiff_t>(y) * pitch;
            for (int32_t x = 0; x < g.width; ++x) {
                out[y * g.width + x] =
                    bm.pixel_mode == FT_PIXEL_MODE_MONO
                        ? ((in[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0)
                        : in[x];
            }
        }
    }
    ++rasterised_;
    return Store(face, cp, g);
}

}  // namespace glv
