// Sort keys per sort type, and whole sorts of small lists through the key builder.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sort/SortKeys.h"

namespace glv {
namespace {

const Locale& US() { return *Locale::Find("en-US"); }
const Locale& GB() { return *Locale::Find("en-GB"); }
const Locale& DE() { return *Locale::Find("de-DE"); }

// Sorts items given by their text (the other fields derived from it: the icon is the text's
// leading number modulo 1000 and the indent minus that, the tag is the text, the item data the
// text unless it is "<none>") and returns the texts in the new order, "no sort" or "failed".
std::string SortTexts(const std::vector<std::string>& texts, int32_t type, bool column1,
                      int32_t order = LVSortOrderAscending, const Locale& locale = Locale{}) {
    SortKeyBuilder keys(type, column1, locale);
    keys.Reserve(texts.size());
    for (const std::string& t : texts) {
        SortFieldValues f;
        f.text = t;
        f.iconIndex = DoubleToLong(LeadingNumber(t)).value_or(0) % 1000;
        f.indent = -f.iconIndex;
        f.tag = t;
        if (t != "<none>") f.itemData = t;
        if (!keys.Add(f)) return "failed";
    }
    if (!keys.Sorts()) return "no sort";
    std::vector<int32_t> index(keys.size());
    if (!keys.Order(index, IsDescending(order), 1)) return "failed";
    std::string out;
    for (size_t slot = 0; slot < index.size(); ++slot) {
        out += (slot == 0 ? "" : " ") + texts[static_cast<size_t>(index[slot])];
    }
    return out;
}

TEST(SortKeys, KindsPerSortType) {
    std::string kinds;
    for (int32_t type = -1; type <= 15; ++type) {
        kinds += "-DLS"[static_cast<int>(KeyKindOf(type))];
    }
    // -1, then String Double Numeric Date Year Month Day Hour Minute Icon Checked Indent Selected
    // Tag ItemData, then 15.
    EXPECT_EQ(kinds, "-SDLSSSSSSL-L-SS-");
}

TEST(SortKeys, StringTagAndItemDataCompareAsText) {
    EXPECT_EQ(SortTexts({"b", "B", "a", ""}, LVSortString, true), " B a b");
    EXPECT_EQ(SortTexts({"b", "B", "a", ""}, LVSortString, false, LVSortOrderDescending), "b a B ");
    EXPECT_EQ(SortTexts({"9", "10", "b"}, LVSortItemData, true), "10 9 b");
    EXPECT_EQ(SortTexts({"9", "<none>", "10"}, LVSortItemData, false), "failed");
    EXPECT_EQ(SortTexts({"x2", "x10", "X1"}, LVSortTag, false), "X1 x10 x2");
    // An order value other than descending (1) sorts ascending.
    EXPECT_EQ(SortTexts({"b", "a"}, LVSortString, true, 7), "a b");
}

TEST(SortKeys, DoubleAndNumericColumnOneAgainstOtherColumns) {
    // Column 1 reads the whole text in the locale; other columns read the leading number.
    EXPECT_EQ(SortTexts({"2", "n/a", "1"}, LVSortDouble, true), "failed");
    EXPECT_EQ(SortTexts({"2", "n/a", "1"}, LVSortDouble, false), "n/a 1 2");
    EXPECT_EQ(SortTexts({"1,5", "1.000", "-2"}, LVSortDouble, true, 0, DE()), "-2 1,5 1.000");
    EXPECT_EQ(SortTexts({"1,5", "1.000", "-2"}, LVSortDouble, false, 0, DE()), "-2 1,5 1.000");
    EXPECT_EQ(SortTexts({"1,500", "2"}, LVSortDouble, true), "2 1,500");
    EXPECT_EQ(SortTexts({"1,500", "2"}, LVSortDouble, false), "1,500 2");
    EXPECT_EQ(SortTexts({"1e400", "2"}, LVSortDouble, false), "failed");
    EXPECT_EQ(SortTexts({"&H10", "9"}, LVSortDouble, false), "9 &H10");

    // 10, 9, 9.5abc: keys 10, 9, 10 (9.5 rounds to the even 10); three items, so the insertion
    // pass alone keeps the equal keys in order.
    EXPECT_EQ(SortTexts({"10", "9", "9.5abc"}, LVSortNumeric, false), "9 10 9.5abc");
    EXPECT_EQ(SortTexts({"10", "9", "9.5abc"}, LVSortNumeric, true), "failed");
    EXPECT_EQ(SortTexts({"2.5", "2", "3"}, LVSortNumeric, true), "2.5 2 3");  // 2.5 -> 2
    EXPECT_EQ(SortTexts({"1", "3000000000"}, LVSortNumeric, true), "failed");
    EXPECT_EQ(SortTexts({"1", "3000000000"}, LVSortNumeric, false), "failed");
    EXPECT_EQ(SortTexts({"1", "-2147483648.5"}, LVSortNumeric, false), "-2147483648.5 1");

    EXPECT_EQ(NumericSortKey("1e400", false, US()), std::nullopt);
    EXPECT_EQ(DoubleSortKey("  -7.25kg", false, US()), -7.25);
    EXPECT_EQ(DoubleSortKey("  -7.25kg", true, US()), std::nullopt);
}

TEST(SortKeys, DateAccuraciesRebuildTheDateAsText) {
    const auto keys = [](const char* text, const Locale& l) {
        std::string out;
        for (int32_t type = LVSortDate; type <= LVSortDateMinuteAccuracy; ++type) {
            const std::optional<std::string> k = DateSortKey(text, type, l);
            out += (type == LVSortDate ? "" : " | ") + k.value_or("none");
        }
        return out;
    };
    EXPECT_EQ(keys("10/15/2005 1:45:30 PM", US()),
              "10/15/2005 1:45:30 PM | 1/1/2005 | 10/1/2005 | 10/15/2005 | 10/15/2005 1:00:00 PM | "
              "10/15/2005 1:45:00 PM");
    EXPECT_EQ(keys("15/10/2005 13:45:30", GB()),
              "15/10/2005 13:45:30 | 01/01/2005 | 01/10/2005 | 15/10/2005 | 15/10/2005 13:00:00 | "
              "15/10/2005 13:45:00");
    EXPECT_EQ(keys("15. Oktober 2005 0:05", DE()),
              "15. Oktober 2005 0:05 | 01.01.2005 | 01.10.2005 | 15.10.2005 | 15.10.2005 | "
              "15.10.2005 00:05:00");
    // A time alone lies on day 0, which the date text shows as the time only.
    EXPECT_EQ(keys("13:45", US()),
              "13:45 | 1/1/1899 | 12/1/1899 | 12:00:00 AM | 1:00:00 PM | 1:45:00 PM");
    EXPECT_EQ(keys("n/a", US()), "n/a | none | none | none | none | none");
    EXPECT_EQ(DateSortKey("10/1/2005", LVSortString, US()), std::nullopt);

    // Month accuracy compares the rebuilt dates as text: with month-first dates 1 October 2005
    // ("10/1/2005") comes before 1 February 2005 ("2/1/2005"); day-first dates happen to agree.
    const std::vector<std::string> dates = {"Feb 15, 2005", "October 1 2005 13:45", "2/3/2005"};
    EXPECT_EQ(SortTexts(dates, LVSortDateMonthAccuracy, true, 0, US()),
              "October 1 2005 13:45 Feb 15, 2005 2/3/2005");
    EXPECT_EQ(SortTexts({"15/02/2005", "01/10/2005"}, LVSortDateMonthAccuracy, false, 0, GB()),
              "15/02/2005 01/10/2005");
    // LVSortDate itself compares the texts as they are, so no text makes it fail.
    EXPECT_EQ(SortTexts({"n/a", "10/1/2005", "2/1/2005"}, LVSortDate, true),
              "10/1/2005 2/1/2005 n/a");
    EXPECT_EQ(SortTexts({"10/1/2005", "n/a"}, LVSortDateDayAccuracy, false), "failed");
}

TEST(SortKeys, IntegerFieldsAndTypesThatDoNotSort) {
    EXPECT_EQ(SortTexts({"3", "-1", "2"}, LVSortIcon, true), "-1 2 3");
    EXPECT_EQ(SortTexts({"3", "-1", "2"}, LVSortIndent, false), "3 2 -1");  // indent is -icon here
    for (int32_t type :
         {static_cast<int32_t>(LVSortChecked), static_cast<int32_t>(LVSortSelected), 15, -1}) {
        EXPECT_EQ(SortTexts({"b", "a"}, type, true), "no sort") << type;
        SortKeyBuilder none(type, true, US());
        std::vector<int32_t> index;
        EXPECT_FALSE(none.Order(index, false, 1));
    }
    SortKeyBuilder keys(LVSortIcon, true, US());
    keys.Add({});
    std::vector<int32_t> wrongSize(2);
    EXPECT_FALSE(keys.Order(wrongSize, false, 1));
}

TEST(SortKeys, RangeStartChangesTheOrderOfEqualKeys) {
    // Ten equal keys: the pivots depend on the item positions, so sorting them as items 1..10 or
    // as items 2..11 of a larger list shuffles them differently (see the sort core tests).
    SortKeyBuilder keys(LVSortString, true, US());
    SortFieldValues same;
    same.text = "same";
    for (int i = 0; i < 10; ++i) keys.Add(same);
    std::vector<int32_t> from1(10), from2(10);
    ASSERT_TRUE(keys.Order(from1, false, 1));
    ASSERT_TRUE(keys.Order(from2, false, 2));
    EXPECT_EQ(from1, (std::vector<int32_t>{0, 7, 6, 8, 4, 5, 2, 1, 3, 9}));
    EXPECT_EQ(from2, (std::vector<int32_t>{0, 7, 6, 5, 8, 4, 2, 1, 3, 9}));
}

}  // namespace
}  // namespace glv
