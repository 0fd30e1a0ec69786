#pragma once
// Delimited text (CSV, TSV) split into records as libcsv splits it (lines without quotes are
// split here, without the parser's copy of every byte).
//
// What a person's spreadsheet export holds is read as it was meant: a quoted field may hold the
// separator, doubled quotes and line breaks; fields keep their spaces; a UTF-8 byte order mark
// at the start is skipped; blank lines are skipped; bytes that are not UTF-8 become U+FFFD, so
// everything the control is given is valid text. UTF-16 files are refused with a message rather
// than shown as noise.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace glv::viewer {

// The separator of a file: tab for .tsv and .tab; otherwise the most frequent of comma,
// semicolon and tab outside quotes on the first line, comma when none appears.
char GuessSeparator(std::string_view fileName, std::string_view text);

// One record's fields, valid for the duration of the call.
using RecordHandler = std::function<void(std::span<const std::string> fields)>;
// Bytes read so far, called between blocks of the text.
using ProgressHandler = std::function<void(std::size_t bytesRead)>;

struct ReadResult {
    int64_t records = 0;
    int64_t replacedFields = 0;  // fields in which invalid UTF-8 was replaced
    std::string error;           // empty when the text could be read
};

ReadResult ReadDelimited(std::string_view text, char separator, const RecordHandler& onRecord,
                         const ProgressHandler& onProgress = {});

// Valid UTF-8 is left alone; each malformed sequence becomes U+FFFD. True when it changed.
bool RepairUtf8(std::string& text);

}  // namespace glv::viewer
