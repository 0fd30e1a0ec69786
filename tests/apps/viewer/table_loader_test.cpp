// A delimited file in the list: columns, items, ragged rows, and sorting as a person expects.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "apps/viewer/TableLoader.h"
#include "sort/SortTypes.h"
#include "tests/support/list_fixture.h"

namespace glv::viewer {
namespace {

std::string Texts(const GlideListView& list, int32_t column = 1) {
    std::string out;
    for (int32_t i = 1; i <= list.ItemCount(); ++i) {
        if (i > 1) out += ' ';
        const std::string& text =
            column == 1 ? list.ItemRecord(i).cLIText : list.SubItemRecord(i, column - 1).cSIText;
        out += text.empty() ? "_" : text;
    }
    return out;
}

std::string Captions(const GlideListView& list) {
    std::string out;
    for (int32_t c = 1; c <= list.ColumnCount(); ++c) out += (c > 1 ? "|" : "") + list.ColumnRecord(c).cHCaption;
    return out;
}

TEST(TableLoader, HeaderBecomesColumnsAndHeaderClicksSortByKind) {
    test::ListFixture list(400, 300);
    const TableSummary summary = LoadTable(*list,
                                           "name,size,when\n"
                                           "b,10,3/2/2024\n"
                                           "a,9,12/31/2023 11:00 PM\n"
                                           "c,,1/15/2024\n"
                                           "d,100,\n",
                                           ',');
    EXPECT_TRUE(summary.error.empty());
    EXPECT_TRUE(summary.Notes().empty());
    EXPECT_EQ(Captions(*list), "name|size|when");
    EXPECT_EQ(summary.rows, 4);
    EXPECT_EQ(summary.kinds, (std::vector{ColumnKind::Text, ColumnKind::Number, ColumnKind::Date}));
    EXPECT_EQ(list->ColumnRecord(2).cHSortType, LVSortDouble);
    EXPECT_EQ(list->ColumnRecord(3).cHSortType, LVSortTag);
    EXPECT_EQ(list->SubItemRecord(4, 1).cSIItemHAlign, LVListItemAlignRight);  // numbers line up
    EXPECT_EQ(list->SubItemRecord(4, 2).cSIItemHAlign, LVListItemAlignLeft);

    list->SortColumn(2, LVSortOrderAscending);
    EXPECT_EQ(Texts(*list), "c a b d");  // the empty size reads as 0
    list->SortColumn(2, LVSortOrderDescending);
    EXPECT_EQ(Texts(*list), "d b a c");
    list->SortColumn(3, LVSortOrderAscending);
    EXPECT_EQ(Texts(*list), "d a c b");  // no date first, then by date across the year
    list->SortColumn(1, LVSortOrderAscending);
    EXPECT_EQ(Texts(*list), "a b c d");
    EXPECT_EQ(Texts(*list, 3), "12/31/2023 11:00 PM 3/2/2024 1/15/2024 _");
}

TEST(TableLoader, GuessesEachColumnFromAllItsValues) {
    const Locale& locale = *Locale::Find("en-US");
    struct Case {
        std::vector<std::string_view> values;
        ColumnKind kind;
        bool plain;
    } cases[] = {
        {{"1", "2.5", "-3", ""}, ColumnKind::Number, true},
        {{"1,234", "5"}, ColumnKind::Number, false},  // the control's own reading stops at the comma
        {{"1", "x"}, ColumnKind::Text, true},
        {{"2024-03-02", "3/2/2024 9:14 AM", "Oct 1, 2005"}, ColumnKind::Date, true},
        {{"2024", "3/2/2024"}, ColumnKind::Text, true},  // a number among dates
        {{"", ""}, ColumnKind::Text, true},
        {{}, ColumnKind::Text, true},
        {{"3/2/2024", "soon"}, ColumnKind::Text, true},
    };
    for (const Case& c : cases) {
        ColumnGuess guess;
        for (std::string_view value : c.values) guess.Observe(value, locale);
        EXPECT_EQ(guess.Kind(), c.kind) << testing::PrintToString(c.values);
        if (c.kind == ColumnKind::Number) {
            EXPECT_EQ(guess.PlainNumbers(), c.plain);
        }
    }
}

TEST(TableLoader, KeysOrderAsTheirValues) {
    const double values[] = {-1e300, -2.5, -1, 0, 1e-10, 1, 2, 10, 1e300};
    for (std::size_t i = 1; i < std::size(values); ++i)
        EXPECT_LT(NumberSortKey(values[i - 1]), NumberSortKey(values[i])) << values[i];
    EXPECT_EQ(NumberSortKey(-0.0), NumberSortKey(0.0));
    EXPECT_EQ(DateSortKey(*DateFromParts(2024, 3, 2, 9, 14, 5)), "2024-03-02 09:14:05");
    EXPECT_LT(DateSortKey(*DateFromParts(999, 12, 31)), DateSortKey(*DateFromParts(2024, 1, 1)));
}

TEST(TableLoader, NumbersTheControlCannotReadSortByTheirKeys) {
    test::ListFixture list(400, 300);
    // The first column is read strictly by the control (an empty cell would stop the sort), and
    // thousands separators stop its reading of other columns.
    LoadTable(*list, "n,amount\n10,\"1,234\"\n,5\n9,\"12,000\"\n", ',');
    EXPECT_EQ(list->ColumnRecord(1).cHSortType, LVSortTag);
    EXPECT_EQ(list->ColumnRecord(2).cHSortType, LVSortTag);
    list->SortColumn(1, LVSortOrderAscending);
    EXPECT_EQ(Texts(*list), "_ 9 10");
    list->SortColumn(2, LVSortOrderAscending);
    EXPECT_EQ(Texts(*list, 2), "5 1,234 12,000");
}

TEST(TableLoader, RaggedRowsArePaddedOrCutAndSaidSo) {
    test::ListFixture list(400, 300);
    const TableSummary summary = LoadTable(*list, "a,b,c\n1,2\n1,2,3,4\nx,y,z\n1,2,3,4,5\n", ',');
    EXPECT_EQ(summary.rows, 4);
    EXPECT_EQ(Texts(*list, 3), "_ 3 z 3");
    EXPECT_EQ(summary.shortRows, 1);
    EXPECT_EQ(summary.longRows, 2);
    EXPECT_EQ(summary.firstLongRecord, 3);
    EXPECT_EQ(summary.Notes(),
              (std::vector<std::string>{
                  "1 rows had fewer fields than the header; their missing cells are empty",
                  "2 rows had more fields than the header (the first is record 3); the extra fields are not shown"}));
}

TEST(TableLoader, EmptyInputsAndHeadersAlone) {
    test::ListFixture list(400, 300);
    TableSummary summary = LoadTable(*list, "", ',');
    EXPECT_EQ(summary.error, "the file is empty: there is no header row");
    EXPECT_EQ(list->ColumnCount(), 0);

    summary = LoadTable(*list, "\xEF\xBB\xBF,b\n", ',');
    EXPECT_TRUE(summary.error.empty());
    EXPECT_EQ(Captions(*list), "Column 1|b");
    EXPECT_EQ(list->ItemCount(), 0);

    test::ListFixture other(400, 300);
    summary = LoadTableFile(*other, std::filesystem::path(GLV_TEST_OUT_DIR) / "no such file.csv");
    EXPECT_EQ(summary.error.rfind("cannot read ", 0), 0u) << summary.error;
}

// A file is mapped when it can be and read otherwise; either way it loads as its text does.
TEST(TableLoader, FilesLoadAsTheirText) {
    const std::filesystem::path dir = std::filesystem::path(GLV_TEST_OUT_DIR) / "table_loader";
    std::filesystem::create_directories(dir);
    const std::string text = "name;size\nb;10\na;9\n";
    const struct {
        const char* name;
        std::string bytes;
        std::string captions;
        std::string error;
    } cases[] = {
        {"semicolons.csv", text, "name|size", ""},
        {"empty.csv", "", "", "the file is empty: there is no header row"},
    };
    for (const auto& c : cases) {
        const std::filesystem::path file = dir / c.name;
        std::ofstream(file, std::ios::binary) << c.bytes;
        test::ListFixture list(400, 300);
        const TableSummary summary = LoadTableFile(*list, file);
        EXPECT_EQ(summary.error, c.error) << c.name;
        EXPECT_EQ(Captions(*list), c.captions) << c.name;
    }
    test::ListFixture list(400, 300);
    LoadTableFile(*list, dir / "semicolons.csv");
    EXPECT_EQ(Texts(*list, 2), "10 9");
    // A file whose size says nothing (the system's own files) is read to its end.
    EXPECT_TRUE(LoadTableFile(*list, "/proc/self/status").error.empty());
    EXPECT_EQ(list->ColumnRecord(1).cHCaption.rfind("Name:", 0), 0u);
    EXPECT_GT(list->ItemCount(), 5);
    EXPECT_EQ(LoadTableFile(*list, dir).error, "cannot read " + dir.string());
}

TEST(TableLoader, InvalidUtf8IsReplacedAndReported) {
    test::ListFixture list(400, 300);
    const TableSummary summary = LoadTable(*list, "name\nok\nbad\xC0\n", ',');
    EXPECT_EQ(Texts(*list), "ok bad\xEF\xBF\xBD");
    ASSERT_EQ(summary.Notes().size(), 1u);
    EXPECT_EQ(summary.Notes()[0], "1 fields were not valid UTF-8; the bad bytes show as \xEF\xBF\xBD");
}

TEST(TableLoader, ReportsProgressToTheEnd) {
    test::ListFixture list(400, 300);
    std::string text = "n\n";
    for (int i = 0; i < 300000; ++i) text += std::to_string(i) + "\n";
    double last = 0;
    int calls = 0;
    LoadTable(*list, text, ',', [&](double fraction, int64_t) {
        EXPECT_GE(fraction, last);
        last = fraction;
        ++calls;
    });
    EXPECT_EQ(last, 1.0);
    EXPECT_GE(calls, 2);
    EXPECT_EQ(list->ItemCount(), 300000);
}

}  // namespace
}  // namespace glv::viewer
