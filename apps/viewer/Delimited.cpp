#include "apps/viewer/Delimited.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/Utf8.h"

namespace glv::viewer {

namespace {

// The parser is fed in blocks of this size so the progress handler runs often enough to keep
// a window's title moving while a large file loads.
constexpr std::size_t kBlockBytes = 1 << 20;
constexpr std::size_t kFieldGrowthBytes = 1 << 20;

// libcsv trims blanks around unquoted fields by default; a viewer shows fields as written.
int NeverSpace(unsigned char) { return 0; }

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The parser's callbacks gather one record's fields; the record goes out at its end.
struct Gatherer {
    const RecordHandler& onRecord;
    std::vector<std::string> fields;
    std::size_t count = 0;
    ReadResult result;

    static void Field(void* text, std::size_t length, void* self) {
        auto& g = *static_cast<Gatherer*>(self);
        if (g.count == g.fields.size()) g.fields.emplace_back();
        std::string& field = g.fields[g.count++];
        field.assign(static_cast<const char*>(text), length);
        if (!IsAscii(field) && RepairUtf8(field)) ++g.result.replacedFields;
    }

    static void End(int, void* self) {
        auto& g = *static_cast<Gatherer*>(self);
        g.onRecord(std::span<const std::string>(g.fields.data(), g.count));
        ++g.result.records;
        g.count = 0;
    }

    // Records in text without quotes, begun between records, as the parser splits them: a line
    // break (CR or LF) ends a record, the separator ends a field, blank lines are no records,
    // and a record the text stops in ends there.
    void SplitUnquoted(std::string_view text, char separator) {
        bool begun = false;
        std::size_t start = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\n' || c == '\r') {
                if (begun) {
                    AddField(text.substr(start, i - start));
                    End(c, this);
                    begun = false;
                }
                start = i + 1;
            } else if (c == separator) {
                AddField(text.substr(start, i - start));
                begun = true;
                start = i + 1;
            } else {
                begun = true;
            }
        }
        if (begun) {
            AddField(text.substr(start));
            End(-1, this);
        }
    }

    void AddField(std::string_view text) { Field(const_cast<char*>(text.data()), text.size(), this); }
};

// The parser's state between records (ROW_NOT_BEGUN in libcsv): no field or quote is open.
constexpr int kBetweenRecords = 0;

}  // namespace

bool RepairUtf8(std::string& text) {
    std::string repaired;
    bool changed = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t c = DecodeUtf8(text, pos);
        // A replacement character that was written as such in the text is not a repair.
        if (c == kReplacementChar && text.compare(start, pos - start, "\xEF\xBF\xBD") != 0) changed = true;
        AppendUtf8(repaired, c);
    }
    if (changed) text = std::move(repaired);
    return changed;
}

char GuessSeparator(std::string_view fileName, std::string_view text) {
    const std::size_t dot = fileName.rfind('.');
    std::string extension(dot == std::string_view::npos ? std::string_view() : fileName.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    if (extension == "tsv" || extension == "tab") return '\t';
    constexpr std::array<char, 3> kCandidates = {',', ';', '\t'};
    std::array<int, 3> counts{};
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        for (std::size_t i = 0; i < kCandidates.size(); ++i) counts[i] += c == kCandidates[i];
    }
    const auto most = std::max_element(counts.begin(), counts.end());
    return *most == 0 ? ',' : kCandidates[static_cast<std::size_t>(most - counts.begin())];
}

ReadResult ReadDelimited(std::string_view text, char separator, const RecordHandler& onRecord,
                         const ProgressHandler& onProgress) {
    const auto failed = [](std::string message) {
        ReadResult result;
        result.error = std::move(message);
        return result;
    };
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))
        return failed("the file is UTF-16 text; save it as UTF-8 to view it");
    std::size_t pos = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;

    csv_parser parser;
    if (csv_init(&parser, 0) != 0) return failed("the CSV parser could not start");
    csv_set_delim(&parser, static_cast<unsigned char>(separator));
    csv_set_space_func(&parser, NeverSpace);
    // The parser grows its field buffer by this much at a time: its 128-byte default makes a
    // field of many megabytes cost a copy per 128 bytes, quadratic in the field's length. No
    // field is longer than the text, so a small file needs no more than its own size.
    csv_set_blk_size(&parser, std::clamp<std::size_t>(text.size() - pos, 128, kFieldGrowthBytes));
    Gatherer gatherer{onRecord, {}, 0, {}};
    // The parser tells a separator from a line break or a quote by its state; these are left to it.
    const bool splitUnquoted = separator != '\n' && separator != '\r' && separator != '"';
    std::size_t reported = pos;
    while (pos < text.size()) {
        // A line at a time (a block at most): a line without quotes begun between records is
        // split here, as the parser would split it but without its copy of every byte; anything
        // else goes through the parser, which carries a quoted field across lines.
        const std::size_t end = text.find('\n', pos);
        const std::size_t length = std::min(kBlockBytes, (end == std::string_view::npos ? text.size() : end + 1) - pos);
        const std::string_view line = text.substr(pos, length);
        if (splitUnquoted && parser.pstate == kBetweenRecords && line.find('"') == std::string_view::npos &&
            (line.back() == '\n' || pos + length == text.size())) {
            gatherer.SplitUnquoted(line, separator);
        } else if (csv_parse(&parser, line.data(), length, Gatherer::Field, Gatherer::End, &gatherer) != length) {
            gatherer.result.error = std::string("the file could not be read: ") + csv_strerror(csv_error(&parser));
            csv_free(&parser);
            return gatherer.result;
        }
        pos += length;
        if (onProgress && (pos - reported >= kBlockBytes || pos == text.size())) {
            onProgress(pos);
            reported = pos;
        }
    }
    csv_fini(&parser, Gatherer::Field, Gatherer::End, &gatherer);
    csv_free(&parser);
    return gatherer.result;
}

}  // namespace glv::viewer
