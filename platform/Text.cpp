#include "platform/Text.h"

#include <algorithm>
#include <limits>

#include "platform/Utf8.h"

namespace glv {
namespace {

constexpr std::string_view kEllipsis = "...";


// One character as it is shown, and where it starts in the source text.
struct Shown {
    char32_t cp = 0;
    size_t begin = 0;
    bool marked = false;  // preceded by a single "&": drawn underlined
};

// The characters of a line as they are shown. With "&" processing, "&&" shows one "&" and a
// single "&" is not shown but marks the character after it (a trailing one marks nothing).
class ShownChars {
public:
    ShownChars(std::string_view text, bool prefix) : text_(text), prefix_(prefix) {}

    bool Next(Shown& out) {
        bool marked = false;
        while (pos_ < text_.size()) {
            const size_t begin = pos_;
            const char32_t cp = DecodeUtf8(text_, pos_);
            if (prefix_ && cp == U'&') {
                if (pos_ < text_.size() && text_[pos_] == '&') {
                    ++pos_;
                } else {
                    marked = true;
                    continue;
                }
            }
            out = {cp, begin, marked};
            return true;
        }
        return false;
    }
    size_t Pos() const { return pos_; }

private:
    std::string_view text_;
    bool prefix_;
    size_t pos_ = 0;
};

// Splits text into lines at CR LF, LF or CR; a break at the very end starts no new line.
// With singleLine the whole text is one line. Empty text has no lines.
class Lines {
public:
    Lines(std::string_view text, bool singleLine) : text_(text), single_(singleLine) {}

    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        if (single_) {
            line = text_;
            pos_ = text_.size();
            return true;
        }
        size_t end = pos_;
        while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
        if (end == text_.size()) {
            line = text_.substr(pos_);
            pos_ = text_.size();
            return true;
        }
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        return true;
    }

private:
    std::string_view text_;
    bool single_;
    size_t pos_ = 0;
};

int64_t Measure(FontCache& cache, Face& face, std::string_view text, bool prefix) {
    ShownChars chars(text, prefix);
    Shown ch;
    int64_t width = 0;
    while (chars.Next(ch)) width += cache.Glyph(face, ch.cp).advance;
    return width;
}

// The part of a line that is drawn, and whether "..." follows it.
struct Fitted {
    std::string_view text;
    bool ellipsis = false;
    int64_t width = 0;  // including the ellipsis
};

Fitted FitLine(FontCache& cache, Face& face, std::string_view line, bool prefix, int64_t avail,
               uint32_t flags) {
    const int64_t full = Measure(cache, face, line, prefix);
    if ((flags & (DT_WORD_ELLIPSIS | DT_END_ELLIPSIS)) == 0 || full <= avail)
        return {line, false, full};
    const int64_t dots = Measure(cache, face, kEllipsis, false);
    const int64_t room = avail - dots;  // what the cut text may take
    size_t charCut = 0;
    int64_t charWidth = 0;
    size_t wordCut = std::string_view::npos;
    int64_t wordWidth = 0;
    bool inWord = false;
    int64_t w = 0;
    ShownChars chars(line, prefix);
    Shown ch;
    while (w <= room && chars.Next(ch)) {
        const bool space = ch.cp == U' ';
        if (space && inWord) {  // a word ends here and fits (w <= room)
            wordCut = ch.begin;
            wordWidth = w;
        }
        inWord = !space;
        w += cache.Glyph(face, ch.cp).advance;
        if (w <= room) {
            charCut = chars.Pos();
            charWidth = w;
        }
    }
    if ((flags & DT_WORD_ELLIPSIS) && wordCut != std::string_view::npos)
        return {line.substr(0, wordCut), true, wordWidth + dots};
    return {line.substr(0, charCut), true, charWidth + dots};
}

void FillClipped(Surface& surface, const RECT& rc, const RECT& clip, COLORREF color) {
    surface.FillRect(IntersectRect(rc, clip), color);
}

// Everything one line of text is drawn with, and the engine's storage it reuses.
struct LinePen {
    Surface& surface;
    FontCache& cache;
    Face& face;
    const FontSpec& font;
    COLORREF color;
    RECT clip;
    bool prefix;
    std::vector<LineMark>& marks;
    LineMask& mask;
};

// Places text at x on the given baseline: appends the glyphs that can show and the underlines
// of marked characters to pen.marks; returns the pen position after the text.
int64_t PlaceRun(const LinePen& pen, std::string_view text, bool prefix, int64_t x,
                 int64_t baseline) {
    const FaceMetrics& m = pen.face.Metrics();
    ShownChars chars(text, prefix);
    Shown ch;
    while (chars.Next(ch)) {
        if (x > pen.clip.Right + int64_t{m.pixelSize}) break;  // the rest cannot show
        const GlyphBitmap g = pen.cache.Glyph(pen.face, ch.cp);
        const int64_t left = x + g.left;
        const int64_t top = baseline - g.top;
        if (g.width > 0 && left < pen.clip.Right && left + g.width > pen.clip.Left &&
            top < pen.clip.Bottom && top + g.rows > pen.clip.Top) {
            pen.marks.push_back({left, top, g, 0});
        }
        if (ch.marked)
            pen.marks.push_back({x, baseline + m.underlineOffset, GlyphBitmap{}, x + g.advance});
        x += g.advance;
    }
    return x;
}

// Draws the placed marks in order: the glyphs through the line mask, each underline after
// flushing the glyphs before it.
void DrawMarks(const LinePen& pen) {
    RECT area{};
    for (const auto& mark : pen.marks) {
        if (mark.glyph.width == 0) continue;
        const RECT box = RectFrom64(mark.x, mark.y, mark.x + mark.glyph.width, mark.y + mark.glyph.rows);
        area = IsRectEmpty(area) ? box
                                 : RECT{std::min(area.Left, box.Left), std::min(area.Top, box.Top),
                                        std::max(area.Right, box.Right), std::max(area.Bottom, box.Bottom)};
    }
    area = IntersectRect(IntersectRect(area, pen.clip), pen.surface.ClipBox());
    pen.mask.Begin(pen.surface, area, pen.color);
    const int32_t thickness = pen.face.Metrics().underlineThickness;
    for (const auto& mark : pen.marks) {
        if (mark.glyph.width > 0) {
            pen.mask.Add(mark.x, mark.y, pen.face.Coverage(mark.glyph), mark.glyph.width, mark.glyph.rows);
        } else {
            pen.mask.Flush();
            FillClipped(pen.surface, RectFrom64(mark.x, mark.y, mark.underlineRight, mark.y + thickness),
                        pen.clip, pen.color);
        }
    }
    pen.mask.Flush();
}

// Kept lines are at most this large; longer ones are drawn glyph by glyph.
constexpr int64_t kKeptLineBytes = int64_t{1} << 20;

// The line as the cache keeps it: every glyph of the text gathered into one box measured from
// the pen's start and the line's top, or only the width when a character is marked or two
// glyphs bring coverage to one pixel.
LineCache::Line GatherLine(FontCache& cache, Face& face, std::string_view text, bool prefix) {
    LineCache::Line line;
    line.gathered = true;
    const int64_t ascent = face.Metrics().ascent;
    int64_t left = std::numeric_limits<int64_t>::max(), top = left;
    int64_t right = std::numeric_limits<int64_t>::min(), bottom = right;
    bool marked = false;
    int64_t x = 0;
    ShownChars chars(text, prefix);
    Shown ch;
    while (chars.Next(ch)) {
        const GlyphBitmap g = cache.Glyph(face, ch.cp);
        marked |= ch.marked;
        if (g.width > 0 && g.rows > 0) {
            left = std::min(left, x + g.left);
            right = std::max(right, x + g.left + g.width);
            top = std::min(top, ascent - g.top);
            bottom = std::max(bottom, ascent - g.top + g.rows);
        }
        x += g.advance;
    }
    line.width = x;
    if (marked || left >= right) return line;
    const int64_t pitch = (right - left + 15) / 16 * 16;
    if (pitch * (bottom - top) > kKeptLineBytes || left < -kKeptLineBytes || left > kKeptLineBytes) return line;
    line.left = static_cast<int32_t>(left);
    line.top = static_cast<int32_t>(top);
    line.columns = static_cast<int32_t>(right - left);
    line.rows = static_cast<int32_t>(bottom - top);
    line.pitch = static_cast<int32_t>(pitch);
    line.coverage.assign(static_cast<size_t>(pitch * (bottom - top)), 0);
    // Every glyph was rasterised above, so their coverage stays where it is while it is read.
    x = 0;
    ShownChars again(text, prefix);
    while (again.Next(ch)) {
        const GlyphBitmap g = cache.Glyph(face, ch.cp);
        if (g.width > 0 && g.rows > 0) {
            const uint8_t* from = face.Coverage(g);
            uint8_t* to = line.coverage.data() + static_cast<size_t>((ascent - g.top - top) * pitch + (x + g.left - left));
            for (int32_t row = 0; row < g.rows; ++row, from += g.width, to += pitch) {
                for (int32_t i = 0; i < g.width; ++i) {
                    if (from[i] != 0 && to[i] != 0) {
                        line.coverage = {};  // glyphs meet: only the width is kept
                        return line;
                    }
                    to[i] |= from[i];
                }
            }
        }
        x += g.advance;
    }
    line.drawable = true;
    return line;
}

// The kept line for the text, null when the cache keeps nothing or the line is too large for
// it. A line drawn for the first time keeps only its width; drawn again, it is gathered.
// Measuring (drawing false) never gathers.
const LineCache::Line* KeptLine(LineCache& lines, FontCache& cache, Face& face, std::string_view text,
                                bool prefix, bool drawing) {
    if (!lines.Keeps()) return nullptr;
    LineCache::Line* kept = lines.Find(face, prefix, text);
    if (kept && (kept->gathered || !drawing)) return kept;
    if (kept && kept->drawn) return lines.Keep(face, prefix, text, GatherLine(cache, face, text, prefix));
    if (kept) {
        kept->drawn = true;
        return kept;
    }
    LineCache::Line width;
    width.width = Measure(cache, face, text, prefix);
    width.drawn = drawing;
    return lines.Keep(face, prefix, text, std::move(width));
}

// Blends a kept line with the pen at x on the line whose top is y; false, with nothing drawn,
// when the line's box lies beyond the surface's coordinates (the glyph path clamps it).
bool BlendKept(const LinePen& pen, const LineCache::Line& line, int64_t x, int64_t y) {
    constexpr int64_t kFar = std::numeric_limits<int32_t>::max() / 2;
    const int64_t left = x + line.left, top = y + line.top;
    if (left < -kFar || left > kFar || top < -kFar || top > kFar) return false;
    const auto l = static_cast<int32_t>(left), t = static_cast<int32_t>(top);
    RECT clip = IntersectRect({l, t, l + line.columns, t + line.rows}, pen.clip);
    // Rows blend fastest in whole runs of sixteen: the coverage past the line's columns is zero
    // up to the pitch, so when the clip does not cut the line's right end the runs may reach
    // there (a pixel under zero coverage keeps its value).
    if (clip.Right == l + line.columns) clip.Right = l + line.pitch;
    if (!IsRectEmpty(clip))
        pen.surface.BlendMask(l, t, line.coverage.data(), line.pitch, line.rows, line.pitch, pen.color, clip);
    return true;
}

// Draws a fitted line with its top-left at (x, y), with the font's underline and
// strike-through across it and, in opaque mode, its background box first. A kept line, when
// given, is the fitted text's and is blended whole.
void DrawLine(const LinePen& pen, const Fitted& fit, int64_t x, int64_t y, bool opaque,
              const LineCache::Line* kept = nullptr) {
    const FaceMetrics& m = pen.face.Metrics();
    if (opaque) {
        FillClipped(pen.surface, RectFrom64(x, y, x + fit.width, y + m.height), pen.clip,
                    pen.surface.BkColor());
    }
    const int64_t baseline = y + m.ascent;
    int64_t end = x + fit.width;  // a run cut short at the clip edge still spans
    if (kept == nullptr || !kept->drawable || !BlendKept(pen, *kept, x, y)) {
        pen.marks.clear();
        int64_t placed = PlaceRun(pen, fit.text, pen.prefix, x, baseline);
        if (fit.ellipsis) placed = PlaceRun(pen, kEllipsis, false, placed, baseline);
        DrawMarks(pen);
        end = std::max(end, placed);
    }
    if (pen.font.Underline) {
        const int64_t top = baseline + m.underlineOffset;
        FillClipped(pen.surface, RectFrom64(x, top, end, top + m.underlineThickness), pen.clip,
                    pen.color);
    }
    if (pen.font.Strikethrough) {
        const int64_t top = baseline - m.strikeOffset;
        FillClipped(pen.surface, RectFrom64(x, top, end, top + m.strikeThickness), pen.clip,
                    pen.color);
    }
}

}  // namespace

TextEngine::TextEngine(int32_t dpi) { SetDpi(dpi); }

void TextEngine::SetDpi(int32_t dpi) { dpi_ = dpi > 0 ? dpi : 96; }

int32_t TextEngine::DpiFromTwipsPerPixel(int32_t twipsPerPixel) {
    return twipsPerPixel > 0 ? 1440 / twipsPerPixel : 96;
}

FaceMetrics TextEngine::Metrics(const FontSpec& font) { return FaceFor(font).Metrics(); }

std::string TextEngine::FontFile(const FontSpec& font) { return FaceFor(font).File(); }

SIZE TextEngine::GetTextExtentPoint32(const FontSpec& font, std::string_view utf8) {
    Face& face = FaceFor(font);
    return {ClampToInt32(Measure(cache_, face, utf8, false)), face.Metrics().height};
}

int32_t TextEngine::DrawText(Surface& surface, const FontSpec& font, std::string_view utf8,
                             RECT& rc, uint32_t flags, COLORREF color) {
    Face& face = FaceFor(font);
    const int64_t lineHeight = face.Metrics().height;
    const bool prefix = (flags & DT_NOPREFIX) == 0;
    const bool single = (flags & DT_SINGLELINE) != 0;
    if (utf8.empty()) {
        if (flags & DT_CALCRECT) {
            rc.Right = rc.Left;
            rc.Bottom = rc.Top;
        }
        return 0;
    }
    Lines lines(utf8, single);
    std::string_view line;
    if (flags & DT_CALCRECT) {
        int64_t width = 0;
        int64_t count = 0;
        while (lines.Next(line)) {
            const LineCache::Line* kept = KeptLine(lines_, cache_, face, line, prefix, false);
            width = std::max(width, kept ? kept->width : Measure(cache_, face, line, prefix));
            ++count;
        }
        rc.Right = ClampToInt32(int64_t{rc.Left} + width);
        rc.Bottom = ClampToInt32(int64_t{rc.Top} + count * lineHeight);
        return ClampToInt32(count * lineHeight);
    }
    const int64_t avail = int64_t{rc.Right} - rc.Left;
    int64_t y = rc.Top;
    const bool placed = single && (flags & (DT_VCENTER | DT_BOTTOM)) != 0;
    if (placed) {
        y = (flags & DT_VCENTER) ? rc.Top + (int64_t{rc.Bottom} - rc.Top - lineHeight) / 2
                                 : int64_t{rc.Bottom} - lineHeight;
    }
    const LinePen pen{surface, cache_, face, font, color,
                      (flags & DT_NOCLIP) ? surface.Bounds() : rc, prefix, marks_, lineMask_};
    const bool opaque = surface.BackgroundMode() == BkMode::Opaque;
    const bool cuts = (flags & (DT_WORD_ELLIPSIS | DT_END_ELLIPSIS)) != 0;
    while (lines.Next(line)) {
        const LineCache::Line* kept = KeptLine(lines_, cache_, face, line, prefix, true);
        const Fitted fit = kept && (!cuts || kept->width <= avail)
                               ? Fitted{line, false, kept->width}
                               : FitLine(cache_, face, line, prefix, avail, flags);
        int64_t x = rc.Left;
        if (flags & DT_CENTER) {
            x += (avail - fit.width) / 2;
        } else if (flags & DT_RIGHT) {
            x = int64_t{rc.Right} - fit.width;
        }
        DrawLine(pen, fit, x, y, opaque, fit.ellipsis ? nullptr : kept);
        y += lineHeight;
    }
    return ClampToInt32(y - rc.Top);
}

int32_t TextEngine::DrawText(Surface& surface, std::string_view utf8, RECT& rc, uint32_t flags) {
    return DrawText(surface, surface.Font(), utf8, rc, flags, surface.TextColor());
}

void TextEngine::TextOut(Surface& surface, const FontSpec& font, int32_t x, int32_t y,
                         std::string_view utf8, COLORREF color) {
    Face& face = FaceFor(font);
    const LinePen pen{surface, cache_, face, font, color, surface.Bounds(), false, marks_, lineMask_};
    const Fitted fit{utf8, false, Measure(cache_, face, utf8, false)};
    DrawLine(pen, fit, x, y, surface.BackgroundMode() == BkMode::Opaque);
}

void TextEngine::DrawState(Surface& surface, const FontSpec& font, std::string_view utf8,
                           int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags,
                           const StateColors& colors) {
    Face& face = FaceFor(font);
    const bool prefix = (flags & 0xFu) == DST_PREFIXTEXT;
    const Fitted fit{utf8, false, Measure(cache_, face, utf8, prefix)};
    const int64_t w = cx != 0 ? cx : fit.width;
    const int64_t h = cy != 0 ? cy : face.Metrics().height;
    const RECT box = RectFrom64(x, y, x + w, y + h);
    if (flags & DSS_DISABLED) {
        const RECT shifted = RectFrom64(int64_t{x} + 1, int64_t{y} + 1, x + w + 1, y + h + 1);
        const LinePen light{surface, cache_, face, font, colors.highlight, shifted, prefix, marks_, lineMask_};
        DrawLine(light, fit, int64_t{x} + 1, int64_t{y} + 1, false);
        const LinePen dark{surface, cache_, face, font, colors.shadow, box, prefix, marks_, lineMask_};
        DrawLine(dark, fit, x, y, false);
    } else {
        const LinePen pen{surface, cache_, face, font, colors.text, box, prefix, marks_, lineMask_};
        DrawLine(pen, fit, x, y, false);
    }
}

}  // namespace glv
