#pragma once
// A delimited file shown in the list: the header row becomes the columns, every further record
// an item (AddItemQuick inside BeginUpdate/EndUpdate), and each column is given the sort type
// that makes a header click order it as a person expects.
//
// The kind of a column is guessed from all its values: numbers when every non-empty value reads
// as a number in the control's locale, dates when every one reads as a date, text otherwise.
// The control compares date keys as text, so a date column sorts by a key of its own written
// into the sub-item's Tag ("2024-03-02 09:14:00", which orders as the dates do) with the sort
// type LVSortTag; numbers sort with LVSortDouble where its reading of the text agrees with the
// locale's, and by an order-preserving Tag key otherwise (the first column, "1,234").

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory_resource>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/LargeBlocks.h"
#include "platform/Locale.h"

namespace glv {
class GlideListView;
}

namespace glv::viewer {

enum class ColumnKind { Text, Number, Date };

// What the values of one column seen so far allow it to be. It keeps the value of each row
// read as a number or a date while the column may still be one, so the sort keys need no second
// reading (NaN stands for an empty cell). A value is a number or a date, never both, so one
// array serves either reading. It grows in large blocks (platform/LargeBlocks.h): at a million
// rows, faults on small pages would be a good part of the load's time.
class ColumnGuess {
public:
    ColumnGuess() : values_(&LargeBlockResource::Instance()) {}
    // Room for the values of this many rows; a column that turns out to be text gives it back.
    void Reserve(std::size_t rows) { values_.reserve(rows); }
    void Observe(std::string_view value, const Locale& locale);
    ColumnKind Kind() const;
    // Whether the control's own numeric sort reads every value as the locale does.
    bool PlainNumbers() const { return plainNumbers_; }
    // Row by row, the numbers of a Number column or the dates of a Date column.
    std::span<const double> Values() const { return values_; }

private:
    bool maybeNumber_ = true;
    bool maybeDate_ = true;
    bool plainNumbers_ = true;
    int64_t filled_ = 0;  // non-empty values
    std::pmr::vector<double> values_;
};

// Text keys that order as the values do when compared code unit by code unit.
std::string NumberSortKey(double value);
std::string DateSortKey(double date);

struct TableSummary {
    int64_t rows = 0;
    std::vector<ColumnKind> kinds;
    int64_t shortRows = 0;        // rows with fewer fields than the header: padded with empty ones
    int64_t longRows = 0;         // rows with more: the extra fields are not shown
    int64_t firstLongRecord = 0;  // 1-based record number of the first long row (the header is 1)
    int64_t replacedFields = 0;   // fields whose invalid UTF-8 was replaced by U+FFFD
    std::string error;            // the file could not be shown at all

    // One line per thing a person should know about the load (empty when all was clean).
    std::vector<std::string> Notes() const;
};

// Fraction of the text read (0..1) and items added so far.
using LoadProgress = std::function<void(double fraction, int64_t rows)>;

// Loads delimited text into the list, replacing its columns and items.
TableSummary LoadTable(GlideListView& list, std::string_view text, char separator,
                       const LoadProgress& progress = {});

// Reads a file, guesses its separator from its name and first line, and loads it.
TableSummary LoadTableFile(GlideListView& list, const std::filesystem::path& file,
                           const LoadProgress& progress = {});

}  // namespace glv::viewer
