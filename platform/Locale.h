#pragma once

// Locale-aware conversions between text, numbers and dates, as the automation runtime performs
// them for the current user locale: CDbl/CLng/CInt of a string, Val, CDate of a string, and CStr
// of a Double, Single or Date. The control needs them for its sort keys and the variant layer for
// every string conversion, so both must agree to the character.
//
// A Locale is a plain value: the host's SystemInfo holds the current one and passes it down.
// Automation dates are doubles: whole days since 30 December 1899, the time of day as the
// fraction. Before that day the integer part counts days backwards and the fraction is still the
// time of day, so -1.25 is 29 December 1899 06:00 (the sign does not flip the time).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glv {

// The order of the three fields of the short date.
enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

struct Locale {
    std::string name = "en-US";

    // Numbers.
    std::string decimalSeparator = ".";
    std::string thousandsSeparator = ",";
    std::string currencySymbol = "$";

    // Short date: field order, separator, and whether day and month are written with two digits
    // ("M/d/yyyy" against "dd/MM/yyyy"). The year is always written with four digits.
    DateOrder dateOrder = DateOrder::MonthDayYear;
    std::string dateSeparator = "/";
    bool padDay = false;
    bool padMonth = false;

    // Long time: "h:mm:ss tt" (12-hour, designator after a space) or "HH:mm:ss" (24-hour).
    bool use24Hour = false;
    bool padHour = false;
    std::string timeSeparator = ":";
    std::string amDesignator = "AM";
    std::string pmDesignator = "PM";

    // Names the date parser reads (day names only to skip them). Days start with Sunday.
    std::array<std::string, 12> monthNames = {"January",   "February", "March",    "April",
                                              "May",       "June",     "July",     "August",
                                              "September", "October",  "November", "December"};
    std::array<std::string, 12> monthAbbreviations = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 7> dayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                           "Thursday", "Friday", "Saturday"};
    std::array<std::string, 7> dayAbbreviations = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

    // The short date pattern in the usual notation ("M/d/yyyy"), for display and tests.
    std::string ShortDatePattern() const;

    // The built-in locales by name, compared without regard to ASCII case: "en-US" (also what a
    // default-constructed Locale is), "en-GB", "de-DE". Null when there is no such locale.
    static const Locale* Find(std::string_view name);
};

// ---- numbers ---------------------------------------------------------------------------------

// CDbl of a string. Nullopt when the text is empty, not a number, or too large for a Double.
// The accepted forms are listed beside the implementation.
std::optional<double> TextToDouble(std::string_view text, const Locale& locale);

// CLng and CInt of a string: TextToDouble, then rounded to nearest with ties to even; nullopt
// when the text is not a number or the rounded value is outside the 32- or 16-bit range.
std::optional<int32_t> TextToLong(std::string_view text, const Locale& locale);
std::optional<int16_t> TextToInteger(std::string_view text, const Locale& locale);

// CLng and CInt of a Double: rounded to nearest with ties to even; nullopt when the result is
// outside the 32- or 16-bit range or the value is not a number.
std::optional<int32_t> DoubleToLong(double value);
std::optional<int16_t> DoubleToInteger(double value);

// Val: the value of the number at the start of the text, read with "." as the decimal point
// whatever the locale; 0 when the text does not start with a number. Blanks, tabs and line feeds
// are ignored anywhere in it ("1 615 198th Street" is 1615198). A value too large for a Double
// gives an infinity, which callers treat as an overflow.
double LeadingNumber(std::string_view text);

// CStr of a Double (15 significant digits) and of a Single (7), in the shortest form: no
// trailing zeros, exponent form "1E+15" / "1.5E-07" outside 0.0001 <= |x| < 1E+15 (1E+07 for
// a Single), the locale's decimal separator, no thousands separators, and "0" for negative zero.
std::string DoubleToText(double value, const Locale& locale);
std::string SingleToText(float value, const Locale& locale);

// ---- dates -----------------------------------------------------------------------------------

struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Automation dates run from 1 January 100 to 31 December 9999.
inline constexpr double kMinDate = -657434.0;
inline constexpr double kMaxDate = 2958465.0;

// The automation date of the given parts; nullopt when a part is out of range (month 13,
// 31 February, hour 24, year outside 100..9999).
std::optional<double> DateFromParts(int year, int month, int day, int hour = 0, int minute = 0,
                                    int second = 0);
inline std::optional<double> DateFromParts(const DateParts& p) {
    return DateFromParts(p.year, p.month, p.day, p.hour, p.minute, p.second);
}

// The parts of an automation date, the time rounded to the nearest second; nullopt for a value
// outside the date range or not finite.
std::optional<DateParts> DateToParts(double date);

// CDate of a string; nullopt when the text is not a date. The accepted forms are listed beside
// the implementation.
std::optional<double> TextToDate(std::string_view text, const Locale& locale);

// CStr of a Date: the short date, then a space and the long time when the time is not midnight.
// The date 30 December 1899 (day 0) shows the time alone, even at midnight. Empty for a value
// outside the date range.
std::string DateToText(double date, const Locale& locale);

}  // namespace glv
