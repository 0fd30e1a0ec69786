// Splitting delimited text into records: what spreadsheet exports actually contain.
#include <gtest/gtest.h>

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
