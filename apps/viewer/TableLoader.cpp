#include "apps/viewer/TableLoader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <cstdio>
#include <cstring>

#include "apps/viewer/Delimited.h"
#include "apps/viewer/FileText.h"
#include "control/GlideListView.h"
#include "sort/SortTypes.h"

namespace glv::viewer {

namespace {

// Rows looked at to size the columns: enough to see typical values, few enough to cost nothing.
constexpr int64_t kWidthSampleRows = 200;
constexpr int32_t kMinColumnWidth = 50;
constexpr int32_t kMaxColumnWidth = 320;
// The most memory reserved up front for the column guesses' values, per byte of the text.
constexpr std::size_t kGuessRoomPerByte = 4;
// Pixels per character of the 8-point ambient font, and the cell's margins.
constexpr int32_t kPixelsPerChar = 7;
constexpr int32_t kCellMargin = 16;

int32_t WidthForChars(std::size_t chars) {
    const auto width = static_cast<int64_t>(chars) * kPixelsPerChar + kCellMargin;
    return static_cast<int32_t>(std::clamp<int64_t>(width, kMinColumnWidth, kMaxColumnWidth));
}

// Characters, not bytes, so accented names are not given twice the room.
std::size_t CharCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Line breaks, found with memchr: a byte-by-byte count of a 60 MB file was a twentieth of its load.
std::size_t LineCount(std::string_view text) {
    if (text.empty()) return 0;
    std::size_t lines = 0;
    const char* at = text.data();
    const char* const end = at + text.size();
    while (const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at))) {
        ++lines;
        at = static_cast<const char*>(found) + 1;
    }
    return lines;
}

// Numbers line up on their last digit, in the cells as in the header.
void AlignRight(GlideListView& list, int32_t column) {
    list.ColumnForWrite(column).cHHAlignment = LVColumnHeaderAlignRight;
    for (int32_t item = 1; item <= list.ItemCount(); ++item)
        list.SetCellAlignment(item, column, LVListItemAlignRight);
}

// Writes value as exactly `digits` decimal digits.
char* PutDigits(char* out, int value, int digits) {
    for (int i = digits - 1; i >= 0; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
    return out + digits;
}

// A sort key written in place: a million of them go by in a large file, and each would
// otherwise be a string made only to be copied into the cell's tag.
struct SortKey {
    char text[20];
    std::size_t size = 0;
    std::string_view view() const { return {text, size}; }
};

SortKey NumberKey(double value) {
    if (value == 0) value = 0;  // -0 and 0 are one value
    auto bits = std::bit_cast<uint64_t>(value);
    // Flip negatives entirely and set the sign bit of positives: the unsigned order of the
    // result is the numeric order, and fixed-width hex keeps it as text.
    bits = (bits >> 63) ? ~bits : bits | (uint64_t{1} << 63);
    SortKey key;
    std::snprintf(key.text, sizeof key.text, "%016llX", static_cast<unsigned long long>(bits));
    key.size = 16;
    return key;
}

// "yyyy-mm-dd hh:mm:ss"; none for a value outside the dates.
SortKey DateKey(double date) {
    SortKey key;
    const std::optional<DateParts> p = DateToParts(date);
    if (!p) return key;
    char* out = PutDigits(key.text, p->year, 4);
    *out++ = '-';
    out = PutDigits(out, p->month, 2);
    *out++ = '-';
    out = PutDigits(out, p->day, 2);
    *out++ = ' ';
    out = PutDigits(out, p->hour, 2);
    *out++ = ':';
    out = PutDigits(out, p->minute, 2);
    *out++ = ':';
    key.size = static_cast<std::size_t>(PutDigits(out, p->second, 2) - key.text);
    return key;
}

// Writes each row's key into the column's tags and makes the column sort by them; an empty cell
// keeps an empty tag, which sorts first.
void SortByTags(GlideListView& list, int32_t column, std::span<const double> values,
                SortKey (*keyOf)(double)) {
    for (int32_t item = 1; item <= list.ItemCount(); ++item) {
        const double value = values[static_cast<std::size_t>(item - 1)];
        if (!std::isnan(value)) list.SetCellTag(item, column, SharedString(keyOf(value).view()));
    }
    list.ColumnForWrite(column).cHSortType = LVSortTag;
}

// Sort types and alignment from the guesses; runs inside the load's BeginUpdate.
void ApplyKinds(GlideListView& list, const std::vector<ColumnGuess>& guesses) {
    for (std::size_t i = 0; i < guesses.size(); ++i) {
        const auto column = static_cast<int32_t>(i + 1);
        switch (guesses[i].Kind()) {
            case ColumnKind::Text: break;
            case ColumnKind::Number:
                AlignRight(list, column);
                // The control reads column 1 strictly (an empty cell stops the sort) and other
                // columns by their leading number; keys are needed where that is not the value.
                if (column > 1 && guesses[i].PlainNumbers())
                    list.ColumnForWrite(column).cHSortType = LVSortDouble;
                else
                    SortByTags(list, column, guesses[i].Values(), NumberKey);
                break;
            case ColumnKind::Date: SortByTags(list, column, guesses[i].Values(), DateKey); break;
        }
    }
}

}  // namespace

void ColumnGuess::Observe(std::string_view value, const Locale& locale) {
    if (!maybeNumber_ && !maybeDate_) return;  // text, whatever follows
    if (value.empty()) {
        values_.push_back(std::numeric_limits<double>::quiet_NaN());
        return;
    }
    ++filled_;
    std::optional<double> reading;
    if (maybeNumber_) {
        reading = TextToDouble(value, locale);
        if (!reading)
            maybeNumber_ = false;
        else if (plainNumbers_ && LeadingNumber(value) != *reading)
            plainNumbers_ = false;
    }
    // A value that is a number is not a date ("2024" alone); a mix of both is text.
    if (maybeDate_) {
        if (!maybeNumber_) reading = TextToDate(value, locale);
        if (maybeNumber_ || !reading) maybeDate_ = false;
    }
    if (maybeNumber_ || maybeDate_)
        values_.push_back(*reading);
    else
        values_ = std::pmr::vector<double>(values_.get_allocator());  // text: no values to keep
}

ColumnKind ColumnGuess::Kind() const {
    if (filled_ == 0) return ColumnKind::Text;
    if (maybeNumber_) return ColumnKind::Number;
    return maybeDate_ ? ColumnKind::Date : ColumnKind::Text;
}

std::string NumberSortKey(double value) { return std::string(NumberKey(value).view()); }

std::string DateSortKey(double date) { return std::string(DateKey(date).view()); }

std::vector<std::string> TableSummary::Notes() const {
    std::vector<std::string> notes;
    if (!error.empty()) notes.push_back(error);
    if (shortRows > 0)
        notes.push_back(std::to_string(shortRows) + " rows had fewer fields than the header; their missing cells are empty");
    if (longRows > 0)
        notes.push_back(std::to_string(longRows) + " rows had more fields than the header (the first is record " +
                        std::to_string(firstLongRecord) + "); the extra fields are not shown");
    if (replacedFields > 0)
        notes.push_back(std::to_string(replacedFields) + " fields were not valid UTF-8; the bad bytes show as \xEF\xBF\xBD");
    return notes;
}

TableSummary LoadTable(GlideListView& list, std::string_view text, char separator, const LoadProgress& progress) {
    TableSummary summary;
    list.ClearAll();
    const Locale& locale = *list.platform().system.locale;
    std::vector<ColumnGuess> guesses;
    std::vector<std::size_t> widestChars;
    // One field array reused for every row: AddItemQuick copies what it keeps.
    auto row = std::make_shared<SafeArray>();
    int64_t records = 0;

    list.BeginUpdate();
    // One row a line, less the header: a quoted field with a line break only makes this high.
    const std::size_t lines = std::min<std::size_t>(LineCount(text), INT32_MAX);
    list.ReserveItems(static_cast<int32_t>(lines));
    const ReadResult read = ReadDelimited(
        text, separator,
        [&](std::span<const std::string> fields) {
            ++records;
            if (records == 1) {
                for (std::size_t c = 0; c < fields.size(); ++c) {
                    const std::string caption = fields[c].empty() ? "Column " + std::to_string(c + 1) : fields[c];
                    list.AddColumn(caption, -1, WidthForChars(CharCount(caption)));
                    widestChars.push_back(CharCount(caption));
                }
                guesses.resize(fields.size());
                // Room for a value a line in each column, unless that is far more than the text
                // holds (many columns and many short lines): then the arrays grow as they fill.
                if (!fields.empty() && lines <= kGuessRoomPerByte * text.size() / sizeof(double) / fields.size())
                    for (ColumnGuess& guess : guesses) guess.Reserve(lines);
                // Text and icon for each column; icons stay as a new item's would be.
                row->Items.assign(fields.size() * 2, Variant(int16_t{0}));
                if (!row->Items.empty()) row->Items[1] = Variant(int16_t{-1});
                return;
            }
            const std::size_t columns = guesses.size();
            if (fields.size() < columns) ++summary.shortRows;
            if (fields.size() > columns && summary.longRows++ == 0) summary.firstLongRecord = records;
            for (std::size_t c = 0; c < columns; ++c) {
                const std::string_view value = c < fields.size() ? std::string_view(fields[c]) : std::string_view();
                guesses[c].Observe(value, locale);
                row->Items[2 * c] = Variant(value);
                if (records <= kWidthSampleRows + 1) widestChars[c] = std::max(widestChars[c], CharCount(value));
            }
            list.AddItemQuick(Variant(ArrayPtr(row)));
        },
        [&](std::size_t bytesRead) {
            if (progress && !text.empty())
                progress(static_cast<double>(bytesRead) / static_cast<double>(text.size()), list.ItemCount());
        });
    summary.rows = list.ItemCount();
    summary.replacedFields = read.replacedFields;
    summary.error = read.error;
    if (summary.error.empty() && records == 0) summary.error = "the file is empty: there is no header row";
    for (std::size_t c = 0; c < widestChars.size(); ++c)
        list.ColumnForWrite(static_cast<int32_t>(c + 1)).cHWidth = WidthForChars(widestChars[c]);
    ApplyKinds(list, guesses);
    for (const ColumnGuess& guess : guesses) summary.kinds.push_back(guess.Kind());
    list.EndUpdate();
    return summary;
}

TableSummary LoadTableFile(GlideListView& list, const std::filesystem::path& file, const LoadProgress& progress) {
    const std::optional<FileText> text = FileText::Read(file);
    if (!text) {
        TableSummary unreadable;
        unreadable.error = "cannot read " + file.string();
        return unreadable;
    }
    return LoadTable(list, text->view(), GuessSeparator(file.filename().string(), text->view()), progress);
}

}  // namespace glv::viewer
