#pragma once
// Lines of text already drawn once, kept by face and text: a list repaints the same texts frame
// after frame, and a kept line is blended from its gathered coverage in one call, without
// decoding, measuring, placing or gathering its glyphs again.
//
// A kept line holds the coverage of all its glyphs, so drawing it clipped gives the pixels the
// glyphs themselves give clipped. Only lines whose glyphs never bring coverage to the same
// pixel are kept drawable (such a line blends the same at once as glyph by glyph), and only
// lines without "&"-marked characters (their underlines are drawn between glyphs); the others
// keep just their width and are drawn glyph by glyph each time.
//
// A line is gathered the second time it is drawn: the first time only its width is kept, so
// a page scrolled past once costs little more than drawing it glyph by glyph.
//
// The cache holds up to a byte budget and starts afresh when a line would pass it: a page of
// text is a few hundred kilobytes, so the budget holds many pages.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace glv {

class Face;

class LineCache {
public:
    struct Line {
        int64_t width = 0;      // the pen's advance over the whole text
        bool gathered = false;  // false: only the width is known
        bool drawn = false;     // drawn once while only its width was known
        bool drawable = false;  // the coverage below is the line; otherwise only width is
        int32_t left = 0;       // the coverage box, from the pen's start and the line's top
        int32_t top = 0;
        int32_t columns = 0;    // coverage columns and rows; pitch bytes a row
        int32_t rows = 0;
        int32_t pitch = 0;
        std::vector<uint8_t> coverage;
    };

    explicit LineCache(size_t budgetBytes = kDefaultBudget) : budget_(budgetBytes) {}

    // The kept line, or null.
    const Line* Find(const Face& face, bool prefix, std::string_view text) const;
    Line* Find(const Face& face, bool prefix, std::string_view text) {
        return const_cast<Line*>(std::as_const(*this).Find(face, prefix, text));
    }
    // Keeps the line for the text, in place of any kept before, and returns it. Null when the
    // line alone is over the budget. Lines found or kept before stay valid only until the
    // next Keep.
    const Line* Keep(const Face& face, bool prefix, std::string_view text, Line line);

    bool Keeps() const { return budget_ > 0; }
    size_t Bytes() const { return bytes_; }
    size_t size() const { return entries_.size(); }
    // Keeps nothing from now on when 0 (what the tests draw the slow path with).
    void SetBudget(size_t bytes);

    static constexpr size_t kDefaultBudget = size_t{8} << 20;

private:
    struct Entry {
        const Face* face = nullptr;
        bool prefix = false;
        std::string text;
        Line line;
        size_t cost = 0;  // bytes counted against the budget
    };
    // An open-addressed table over the entries: the hash's low bits pick the first slot, and
    // its high half is kept in the slot so that most misses never read an entry.
    struct Slot {
        uint32_t check = 0;  // the hash's high half
        uint32_t entry = 0;  // index into entries_ + 1; 0 for an empty slot
    };
    static uint64_t Hash(const Face& face, bool prefix, std::string_view text);
    // The slot holding the line with hash h, or the empty slot where it would go; the table
    // must have slots.
    size_t SlotOf(uint64_t h, const Face& face, bool prefix, std::string_view text) const;
    void Clear();
    void Grow();

    size_t budget_;
    size_t bytes_ = 0;
    std::vector<Entry> entries_;
    std::vector<Slot> slots_;  // a power of two long, at most half full
};

}  // namespace glv
