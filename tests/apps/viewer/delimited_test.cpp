// Splitting delimited text into records: what spreadsheet exports actually contain.
#include <gtest/gtest.h>

#include <csv.h>

#include <string>
#include <vector>

#include "apps/viewer/Delimited.h"

namespace glv::viewer {
namespace {

// Records as "a|b / c|d" so a case reads on one line.
std::string Records(std::string_view text, char separator = ',', ReadResult* result = nullptr) {
    std::string out;
    const ReadResult read = ReadDelimited(text, separator, [&](std::span<const std::string> fields) {
        if (!out.empty()) out += " / ";
        for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? "|" : "") + fields[i];
    });
    if (result) *result = read;
    return read.error.empty() ? out : "error: " + read.error;
}

TEST(Delimited, SplitsRecordsAsWritten) {
    struct Case {
        const char* text;
        char separator;
        const char* records;
    } cases[] = {
        {"a,b\n1,2\n", ',', "a|b / 1|2"},
        {"a,b\r\n1,2", ',', "a|b / 1|2"},                       // CRLF, no final line break
        {"\"x,y\",z\n", ',', "x,y|z"},                           // separator inside quotes
        {"\"say \"\"hi\"\"\",2\n", ',', "say \"hi\"|2"},         // doubled quotes
        {"\"line 1\nline 2\",b\n", ',', "line 1\nline 2|b"},     // line break inside quotes
        {"\"line 1\r\nline 2\",b\n", ',', "line 1\r\nline 2|b"},
        {" a , b \n", ',', " a | b "},                           // blanks are kept
        {"a,,c\n,,\n", ',', "a||c / ||"},                        // empty fields
        {"a,b\n\n\n1,2\n", ',', "a|b / 1|2"},                    // blank lines skipped
        {"\xEF\xBB\xBFname,size\n", ',', "name|size"},           // byte order mark
        {"a\tb,c\n1\t2,3\n", '\t', "a|b,c / 1|2,3"},             // TSV
        {"a;b\n\"1;5\";2\n", ';', "a|b / 1;5|2"},
        {"", ',', ""},
        {"\xEF\xBB\xBF", ',', ""},
        {"\"unclosed,field\n", ',', "unclosed,field\n"},         // kept as it was read
    };
    for (const Case& c : cases) EXPECT_EQ(Records(c.text, c.separator), c.records) << c.text;
}

// Records as libcsv alone splits them, set up as ReadDelimited sets it up (blanks kept).
std::string ParserRecords(std::string_view text, char separator) {
    struct Out {
        std::string records, fields;
        bool first = true;
    } out;
    csv_parser parser;
    csv_init(&parser, 0);
    csv_set_delim(&parser, static_cast<unsigned char>(separator));
    csv_set_space_func(&parser, [](unsigned char) { return 0; });
    const auto field = [](void* data, std::size_t length, void* self) {
        auto& o = *static_cast<Out*>(self);
        o.fields += (o.first ? "" : "|") + std::string(static_cast<const char*>(data), length);
        o.first = false;
    };
    const auto end = [](int, void* self) {
        auto& o = *static_cast<Out*>(self);
        o.records += (o.records.empty() ? "" : " / ") + o.fields;
        o.fields.clear();
        o.first = true;
    };
    csv_parse(&parser, text.data(), text.size(), field, end, &out);
    csv_fini(&parser, field, end, &out);
    csv_free(&parser);
    return out.records;
}

// Lines without quotes are split without the parser: every mix of quotes, separators, blanks and
// line breaks (CR, LF, CRLF, inside and outside quotes) still splits as the parser splits it.
TEST(Delimited, SplitsAsTheParserDoes) {
    const char* const fixed[] = {
        "a,b\n\"x\ny\",z\nc,d\n", "a,\n,b\n,\n", "a\rb\r\n\r\nc", "x,\"y\"z,w\nq\n", "\"a\"\"b\",c\nd",
        "a,\"", "\"open\nstill,open\n\"\nafter\n", "a\"b,c\nd,e\n", "\n\n,", "a;b\tc,d\n"};
    for (const char* text : fixed)
        for (char separator : {',', ';', '\t'}) EXPECT_EQ(Records(text, separator), ParserRecords(text, separator)) << text;
    const std::string alphabet = "ab,;\t \"\r\n";
    uint32_t seed = 15;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        seed = seed * 1664525u + 1013904223u;
        const std::size_t length = seed >> 27;  // 0..31
        for (std::size_t i = 0; i < length; ++i) {
            seed = seed * 1664525u + 1013904223u;
            text += alphabet[(seed >> 16) % alphabet.size()];
        }
        const char separator = ",;\t"[round % 3];
        ASSERT_EQ(Records(text, separator), ParserRecords(text, separator)) << testing::PrintToString(text);
    }
}

TEST(Delimited, ReplacesInvalidUtf8AndCountsTheFields) {
    ReadResult result;
    EXPECT_EQ(Records("caf\xC3\xA9,b\xFFx,\xE2\x82\n", ',', &result),
              "caf\xC3\xA9|b\xEF\xBF\xBDx|\xEF\xBF\xBD");
    EXPECT_EQ(result.replacedFields, 2);
    EXPECT_EQ(result.records, 1);
    // A replacement character written in the file is text, not a repair.
    EXPECT_EQ(Records("\xEF\xBF\xBD\n", ',', &result), "\xEF\xBF\xBD");
    EXPECT_EQ(result.replacedFields, 0);
}

TEST(Delimited, RefusesUtf16WithAMessage) {
    EXPECT_EQ(Records(std::string("\xFF\xFE" "a\0,\0b\0", 8)),
              "error: the file is UTF-16 text; save it as UTF-8 to view it");
}

TEST(Delimited, OneTenMegabyteField) {
    std::string big(10 << 20, 'x');
    big[5] = ',';
    big[6] = '\n';
    const std::string text = "head\n\"" + big + "\"\n";
    std::vector<std::size_t> sizes;
    std::size_t lastProgress = 0;
    const ReadResult read = ReadDelimited(
        text, ',', [&](std::span<const std::string> fields) { sizes.push_back(fields[0].size()); },
        [&](std::size_t bytes) { lastProgress = bytes; });
    EXPECT_TRUE(read.error.empty());
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[1], big.size());
    EXPECT_EQ(lastProgress, text.size());
}

TEST(Delimited, GuessesTheSeparator) {
    struct Case {
        const char* name;
        const char* text;
        char separator;
    } cases[] = {
        {"data.tsv", "a,b,c\n", '\t'},  // the name wins
        {"DATA.TAB", "a,b\n", '\t'},
        {"data.csv", "a,b,c\n", ','},
        {"data.csv", "a;b;c\n1,5;2;3\n", ';'},  // only the first line counts
        {"data.txt", "a\tb\tc\n", '\t'},
        {"data.csv", "\"x;y;z\",b\n", ','},     // separators inside quotes do not count
        {"data.csv", "single\n", ','},
        {"data.csv", "", ','},
    };
    for (const Case& c : cases) EXPECT_EQ(GuessSeparator(c.name, c.text), c.separator) << c.name << " " << c.text;
}

}  // namespace
}  // namespace glv::viewer
