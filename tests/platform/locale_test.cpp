// Locale-aware conversions: CDbl/CLng/CInt, Val, CStr of numbers and dates, CDate.
//
// Ideas not yet written: locales with a multi-byte thousands separator (no-break space).

#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace glv {
namespace {

const Locale& US() { return *Locale::Find("en-US"); }
const Locale& GB() { return *Locale::Find("en-GB"); }
const Locale& DE() { return *Locale::Find("de-DE"); }

// Shortest round-trip text of a value, "none" for nullopt.
template <class T>
std::string Show(const std::optional<T>& v) {
    if (!v) return "none";
    if constexpr (std::is_floating_point_v<T>) {
        char buf[64];
        return std::string(buf, std::to_chars(buf, buf + sizeof buf, *v).ptr);
    } else {
        return std::to_string(*v);
    }
}

// Applies f to each input and joins the results with " | ".
template <class F>
std::string Each(std::initializer_list<const char*> inputs, F f) {
    std::string out;
    for (const char* in : inputs) {
        if (!out.empty()) out += " | ";
        out += f(in);
    }
    return out;
}

TEST(Locale, FindAndPatterns) {
    ASSERT_NE(Locale::Find("en-US"), nullptr);
    EXPECT_EQ(Locale::Find("EN-gb")->name, "en-GB");
    EXPECT_EQ(Locale::Find("fr-FR"), nullptr);
    EXPECT_EQ(Locale::Find(""), nullptr);
    EXPECT_EQ(Locale{}.name, "en-US");
    EXPECT_EQ(
        US().ShortDatePattern() + " " + GB().ShortDatePattern() + " " + DE().ShortDatePattern(),
        "M/d/yyyy dd/MM/yyyy dd.MM.yyyy");
}

TEST(TextToDouble, PlainFormsPerLocale) {
    const auto us = [](const char* s) { return Show(TextToDouble(s, US())); };
    const auto de = [](const char* s) { return Show(TextToDouble(s, DE())); };
    EXPECT_EQ(Each({"1,234.5", "1234.5", "  -12.5  ", "+7", ".5", "5.", "0", "007", "\t3\t"}, us),
              "1234.5 | 1234.5 | -12.5 | 7 | 0.5 | 5 | 0 | 7 | 3");
    EXPECT_EQ(Each({"1.234,5", "1234,5", "-0,25", ",5", "1.000.000"}, de),
              "1234.5 | 1234.5 | -0.25 | 0.5 | 1e+06");
    // The other locale's notation: its decimal point is a thousands separator here, and a
    // thousands separator after the decimal one ends the number in the wrong place.
    EXPECT_EQ(us("1.234,5") + " " + de("1,234.5") + " " + de("1.5") + " " + us("1,5"),
              "none none 15 15");
}

TEST(TextToDouble, SeparatorsSignsAndAffixes) {
    const auto us = [](const char* s) { return Show(TextToDouble(s, US())); };
    // Grouping is not checked; a separator needs a digit somewhere.
    EXPECT_EQ(Each({"1,2,3", ",5", "5,", "1,,2", ",", "1.2.3", "1.2,3"}, us),
              "123 | 5 | 5 | 12 | none | none | none");
    // Signs lead or trail, once; parentheses mean negative and take no sign inside.
    EXPECT_EQ(
        Each({"5-", "5 +", "-5-", "(5)", " ( 5 ) ", "(-5)", "(5", "5)", "--5", "- 5", "5 5"}, us),
        "-5 | 5 | none | -5 | -5 | none | none | none | none | -5 | none");
    // Currency symbol once, before or after, with the sign on either side.
    EXPECT_EQ(Each({"$5", "-$5", "$-5", "5$", "$$5", "$"}, us), "5 | -5 | -5 | 5 | none | none");
    EXPECT_EQ(Show(TextToDouble("1.234,50 \u20AC", DE())), "1234.5");
    EXPECT_EQ(Show(TextToDouble("\u00A31,000", GB())), "1000");
    EXPECT_EQ(Show(TextToDouble("\u20AC5", US())), "none");
}

TEST(TextToDouble, ExponentHexAndRange) {
    const auto us = [](const char* s) { return Show(TextToDouble(s, US())); };
    EXPECT_EQ(Each({"1E3", "1e+3", "2.5E-1", "1D2", "1d-2", "1E", "1E+", "E5", "1E3.5"}, us),
              "1000 | 1000 | 0.25 | 100 | 0.01 | none | none | none | none");
    EXPECT_EQ(Show(TextToDouble("1,5E3", DE())), "1500");
    // Hex and octal read like literals in code: 16-bit up to &HFFFF, then 32-bit.
    EXPECT_EQ(Each({"&H10", "&h1f", "&O17", "&o777", "&HFFFF", "&H8000", "&H10000", "&HFFFFFFFF",
                    "&H100000000", "&H", "&HG", "&O8", "-&H10", " &H10 "},
                   us),
              "16 | 31 | 15 | 511 | -1 | -32768 | 65536 | -1 | none | none | none | none | -16 | "
              "16");
    // Range: overflow is refused, underflow is 0; long digit strings keep their precision.
    EXPECT_EQ(Each({"1E308", "1E309", "-1E400", "1E-400", "1E99999999999"}, us),
              "1e+308 | none | none | 0 | none");
    EXPECT_EQ(us("123456789012345678901234567890123456789012345678901234567890"),
              "1.2345678901234567e+59");
    EXPECT_EQ(us("0.000000000000000000000000000000000000000000000000000000000001"), "1e-60");
    EXPECT_EQ(Each({"", "   ", "-", "+", ".", "abc", "5abc", "5 5", "1\u00A05"}, us),
              "none | none | none | none | none | none | none | none | none");
    EXPECT_EQ(Show(TextToDouble(std::string_view("5\0", 2), US())), "none");
}

TEST(TextToLong, RoundsHalfToEvenAndChecksRange) {
    const auto lng = [](const char* s) { return Show(TextToLong(s, US())); };
    EXPECT_EQ(Each({"2.5", "3.5", "-2.5", "0.5", "1.5E0", "2147483647", "2147483647.5",
                    "-2147483648", "-2147483648.5", "-2147483648.6", "&HFFFFFFFF", "x"},
                   lng),
              "2 | 4 | -2 | 0 | 2 | 2147483647 | none | -2147483648 | -2147483648 | none | -1 | "
              "none");
    const auto i16 = [](const char* s) { return Show(TextToInteger(s, DE())); };
    EXPECT_EQ(Each({"32767", "32767,5", "-32768,5", "1.000", "&HFFFF", "32768"}, i16),
              "32767 | none | -32768 | 1000 | -1 | none");
}

TEST(LeadingNumber, ReadsLikeVal) {
    const auto val = [](const char* s) {
        char buf[64];
        return std::string(buf, std::to_chars(buf, buf + sizeof buf, LeadingNumber(s)).ptr);
    };
    EXPECT_EQ(Each({"9.5abc", "abc", "", "  42", "1 615 198th Street", "\t-\n3", "+.5", "-.5e1x",
                    "1.2.3", "1,234.5", "1e", "1e+", "2E2", "2d-1", "12E3.5", "-", "."},
                   val),
              "9.5 | 0 | 0 | 42 | 1615198 | -3 | 0.5 | -5 | 1.2 | 1 | 1 | 1 | 200 | 0.2 | 12000 | "
              "0 | 0");
    EXPECT_EQ(
        Each({"&H10", "&HFFFF", "&HFFFF&", "&HFFFFFFFF", "&O17", "&H", "&", "-&H10", "&H1G"}, val),
        "16 | -1 | 65535 | -1 | 15 | 0 | 0 | -16 | 1");
    EXPECT_TRUE(std::isinf(LeadingNumber("1e400")));
    EXPECT_TRUE(std::isinf(LeadingNumber("&H123456789")));
    EXPECT_EQ(LeadingNumber("1e-400"), 0.0);
    // Plain digits take a shorter road; around its edges the values must not change.
    EXPECT_EQ(Each({"007", "-0", "-12", "123456789012345", "1234567890123456789", "12-3", "--1"},
                   val),
              "7 | -0 | -12 | 123456789012345 | 1234567890123456768 | 12 | 0");
}

TEST(NumberToText, CStrForms) {
    const auto d = [](double v) { return DoubleToText(v, US()); };
    EXPECT_EQ(d(0.1) + " " + d(1.0 / 3) + " " + d(1e15) + " " + d(1.5e-7) + " " + d(-0.0),
              "0.1 0.333333333333333 1E+15 1.5E-07 0");
    EXPECT_EQ(d(123456789012345.0) + " " + d(0.0001) + " " + d(0.00001) + " " + d(-2.5) + " " +
                  d(1e100) + " " + d(2.0 / 3) + " " + d(1e-300),
              "123456789012345 0.0001 1E-05 -2.5 1E+100 0.666666666666667 1E-300");
    EXPECT_EQ(DoubleToText(1234.5, DE()) + " " + DoubleToText(1.5e-7, DE()), "1234,5 1,5E-07");
    EXPECT_EQ(SingleToText(0.1f, US()) + " " + SingleToText(1.0f / 3, US()) + " " +
                  SingleToText(12345678.0f, US()) + " " + SingleToText(2.5f, DE()),
              "0.1 0.3333333 1.234568E+07 2,5");
    // Every Double text reads back through the same locale.
    for (double v : {0.1, 1.0 / 3, 1e15, 1.5e-7, -1234.5, 9.87654321e-5}) {
        for (const Locale* l : {&US(), &GB(), &DE()}) {
            const std::optional<double> back = TextToDouble(DoubleToText(v, *l), *l);
            ASSERT_TRUE(back.has_value());
            EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14);
        }
    }
}

// ---- dates -----------------------------------------------------------------------------------

std::string ShowDate(const std::optional<double>& date, const Locale& locale) {
    if (!date) return "none";
    return DateToText(*date, locale);
}

TEST(DateParts, SerialsAndTheNegativeRule) {
    EXPECT_EQ(Show(DateFromParts(1899, 12, 30)), "0");
    EXPECT_EQ(Show(DateFromParts(1900, 1, 1)), "2");
    EXPECT_EQ(Show(DateFromParts(2005, 10, 1, 12, 0, 0)), "38626.5");
    EXPECT_EQ(Show(DateFromParts(1899, 12, 29, 6, 0, 0)), "-1.25");
    EXPECT_EQ(Show(DateFromParts(100, 1, 1)), "-657434");
    EXPECT_EQ(Show(DateFromParts(9999, 12, 31)), "2958465");
    EXPECT_EQ(Each({"2/29/2000", "2/29/1900", "2/29/2004"},
                   [](const char* s) { return Show(TextToDate(s, US())); }),
              "36585 | none | 38046");
    // Invalid parts.
    for (auto [y, m, d, h, mi, s] : {std::array{99, 1, 1, 0, 0, 0},
                                     {10000, 1, 1, 0, 0, 0},
                                     {2005, 13, 1, 0, 0, 0},
                                     {2005, 0, 1, 0, 0, 0},
                                     {2005, 2, 29, 0, 0, 0},
                                     {2005, 4, 31, 0, 0, 0},
                                     {2005, 1, 1, 24, 0, 0},
                                     {2005, 1, 1, 0, 60, 0},
                                     {2005, 1, 1, 0, 0, -1}}) {
        EXPECT_FALSE(DateFromParts(y, m, d, h, mi, s)) << y << "-" << m << "-" << d;
    }
    // Parts back, with the time of a negative date read forwards and rounding to the second.
    const auto parts = [](double v) {
        const auto p = DateToParts(v);
        if (!p) return std::string("none");
        return std::to_string(p->year) + "-" + std::to_string(p->month) + "-" +
               std::to_string(p->day) + " " + std::to_string(p->hour) + ":" +
               std::to_string(p->minute) + ":" + std::to_string(p->second);
    };
    EXPECT_EQ(parts(-1.25) + " | " + parts(-0.5) + " | " + parts(1.0 - 1e-9) + " | " +
                  parts(-1.999999999) + " | " + parts(2958465.99999999) + " | " + parts(-657435.0) +
                  " | " + parts(NAN),
              "1899-12-29 6:0:0 | 1899-12-30 12:0:0 | 1899-12-31 0:0:0 | 1899-12-30 0:0:0 | "
              "none | none | none");
}

TEST(DateToText, ShortDateAndLongTimePerLocale) {
    const double d = *DateFromParts(2005, 10, 1);
    const double dt = *DateFromParts(2005, 10, 1, 13, 45, 0);
    const double morning = *DateFromParts(2005, 3, 4, 9, 5, 7);
    const double midnightTime = *DateFromParts(2005, 3, 4, 0, 30, 0);
    EXPECT_EQ(DateToText(d, US()) + " | " + DateToText(dt, US()) + " | " +
                  DateToText(morning, US()) + " | " + DateToText(midnightTime, US()),
              "10/1/2005 | 10/1/2005 1:45:00 PM | 3/4/2005 9:05:07 AM | 3/4/2005 12:30:00 AM");
    EXPECT_EQ(
        DateToText(d, GB()) + " | " + DateToText(dt, GB()) + " | " + DateToText(morning, GB()),
        "01/10/2005 | 01/10/2005 13:45:00 | 04/03/2005 09:05:07");
    EXPECT_EQ(DateToText(d, DE()) + " | " + DateToText(dt, DE()),
              "01.10.2005 | 01.10.2005 13:45:00");
    // Day 0 shows the time alone, even midnight; other days before 1900 as dates.
    EXPECT_EQ(DateToText(0.0, US()) + " | " + DateToText(0.0, DE()) + " | " +
                  DateToText(0.75, US()) + " | " + DateToText(-0.75, GB()) + " | " +
                  DateToText(-1.25, US()) + " | " + DateToText(1.0, DE()),
              "12:00:00 AM | 00:00:00 | 6:00:00 PM | 18:00:00 | 12/29/1899 6:00:00 AM | "
              "31.12.1899");
    EXPECT_EQ(DateToText(*DateFromParts(100, 1, 1), US()), "1/1/0100");
    EXPECT_EQ(DateToText(1e9, US()) + DateToText(NAN, US()), "");
}

TEST(TextToDate, NumericDatesInEachFieldOrder) {
    const auto us = [](const char* s) { return ShowDate(TextToDate(s, US()), GB()); };
    const auto gb = [](const char* s) { return ShowDate(TextToDate(s, GB()), GB()); };
    const auto de = [](const char* s) { return ShowDate(TextToDate(s, DE()), GB()); };
    EXPECT_EQ(Each({"10/1/2005", "10-1-2005", "10.1.2005", " 10 / 1 / 2005 ", "10/01/05", "1/2/30",
                    "1/2/29", "1/2/0100"},
                   us),
              "01/10/2005 | 01/10/2005 | 01/10/2005 | 01/10/2005 | 01/10/2005 | 02/01/1930 | "
              "02/01/2029 | 02/01/0100");
    EXPECT_EQ(Each({"1/10/2005", "01.10.2005", "1-10-05"}, gb),
              "01/10/2005 | 01/10/2005 | 01/10/2005");
    EXPECT_EQ(Each({"01.10.2005", "1.10.05", "1/10/2005"}, de),
              "01/10/2005 | 01/10/2005 | 01/10/2005");
    // ISO year first in every locale.
    EXPECT_EQ(us("2005-10-01") + " " + gb("2005-10-01") + " " + de("2005-10-01"),
              "01/10/2005 01/10/2005 01/10/2005");
    // The locale's order first, then day and month swapped when that gives no date.
    EXPECT_EQ(us("13/1/2005") + " " + gb("1/13/2005") + " " + us("1/13/2005"),
              "13/01/2005 13/01/2005 13/01/2005");
    // Impossible or incomplete dates.
    EXPECT_EQ(Each({"31/02/2005", "2/30/2005", "13/13/2005", "0/1/2005", "1/1/99999", "1/1/099",
                    "10/1", "2005", "1,2,3", "10/1/2005/4", "10//1/2005"},
                   us),
              "none | none | none | none | none | none | none | none | none | none | 01/10/2005");
}

TEST(TextToDate, MonthNamesTimesAndRejects) {
    const auto us = [](const char* s) { return ShowDate(TextToDate(s, US()), US()); };
    const auto de = [](const char* s) { return ShowDate(TextToDate(s, DE()), DE()); };
    EXPECT_EQ(Each({"1 October 2005", "Oct 1, 2005", "October 1 2005", "1-oct-05", "OCT 1 05",
                    "2005 Oct 1", "October 2005", "Saturday, October 1, 2005", "Oct 1",
                    "Oct 40 2005", "1 2 October 2005", "Oct Nov 2005"},
                   us),
              "10/1/2005 | 10/1/2005 | 10/1/2005 | 10/1/2005 | 10/1/2005 | 10/1/2005 | 10/1/2005 | "
              "10/1/2005 | none | none | none | none");
    EXPECT_EQ(Each({"1. Oktober 2005", "1. Okt. 2005", "3 M\u00E4rz 2005", "1 October 2005"}, de),
              "01.10.2005 | 01.10.2005 | 03.03.2005 | none");
    // Times after the date, before it, or alone (day 0).
    EXPECT_EQ(
        Each({"10/1/2005 13:45", "10/1/2005 1:45 PM", "10/1/2005 1:45pm", "1:45:10 PM 10/1/2005",
              "Oct 1, 2005 12:00 AM", "13:45", "13:45:10", "1 PM", "12 PM", "0:00", "23:59:59"},
             us),
        "10/1/2005 1:45:00 PM | 10/1/2005 1:45:00 PM | 10/1/2005 1:45:00 PM | "
        "10/1/2005 1:45:10 PM | 10/1/2005 | 1:45:00 PM | 1:45:10 PM | 1:00:00 PM | "
        "12:00:00 PM | 12:00:00 AM | 11:59:59 PM");
    EXPECT_EQ(de("01.10.2005 13:45") + " | " + de("13:45 PM") + " | " + de("1:45 PM"),
              "01.10.2005 13:45:00 | none | 13:45:00");
    EXPECT_EQ(
        Each({"24:00", "13:60", "1:2:3:4", "13:", ":30", "13 PM", "PM", "1:00 PM PM", "10:00 11:00",
              "n/a", "", "  ", "Monday", "5", "-5", "1.5", "x10/1/2005", "10/1/2005 x"},
             us),
        "none | none | none | none | none | none | none | none | none | none | none | none | "
        "none | none | none | none | none | none");
    EXPECT_EQ(Show(TextToDate("13:45", US())),
              Show(std::optional<double>((13 * 60 + 45) / 1440.0)));
}

TEST(TextToDate, RoundTripsThroughDateToText) {
    for (const Locale* l : {&US(), &GB(), &DE()}) {
        for (double v : {0.0, 0.5, 38626.0, 38626.572916666664, -1.25, -657434.0, 2958465.5}) {
            const std::string text = DateToText(v, *l);
            const std::optional<double> back = TextToDate(text, *l);
            ASSERT_TRUE(back.has_value()) << l->name << " " << text;
            EXPECT_NEAR(*back, v, 1e-9) << l->name << " " << text;
        }
    }
}

// Random text built from the characters the parsers react to: nothing may crash or read out of
// bounds (the sanitizer build checks that), and whatever parses must be in range and write back.
TEST(LocaleParsers, SurviveRandomText) {
    const std::vector<std::string> pieces = {
        "0", "1", "9", "12", "2005", ".", ",", "/", "-", "+", ":", " ", "\t", "\n", "(", ")",
        "$", "\u20AC", "&", "H", "O", "E", "d", "e", "AM", "PM", "Oct", "M\u00E4rz", "\xC3",
        "\xFF", std::string(1, '\0'), "99999999999", "x"};
    std::mt19937 rng(11);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const size_t n = rng() % 9;
        for (size_t i = 0; i < n; ++i) text += pieces[rng() % pieces.size()];
        for (const Locale* l : {&US(), &DE()}) {
            if (const auto v = TextToDouble(text, *l)) {
                ASSERT_TRUE(std::isfinite(*v)) << text;
            }
            TextToLong(text, *l);
            if (const auto date = TextToDate(text, *l)) {
                ASSERT_FALSE(DateToText(*date, *l).empty()) << text;
            }
        }
        LeadingNumber(text);
    }
}

}  // namespace
}  // namespace glv
