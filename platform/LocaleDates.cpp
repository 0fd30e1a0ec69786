// The date half of platform/Locale.h: automation dates from and to parts and text.

#include <cmath>
#include <limits>

#include "platform/Locale.h"
#include "platform/TextScan.h"

namespace glv {

namespace {

// Day 0 of automation dates, 30 December 1899, counted from 1 January 1970.
constexpr int64_t kDateEpochFromUnix = -25569;

// Days from 1 January 1970 to the given day of the proleptic Gregorian calendar (H. Hinnant's
// days_from_civil), valid for every year the automation date range holds.
constexpr int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The inverse of DaysFromCivil.
constexpr void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

static_assert(DaysFromCivil(1899, 12, 30) == kDateEpochFromUnix);

constexpr bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

constexpr int DaysInMonth(int y, int m) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

}  // namespace

std::optional<double> DateFromParts(int year, int month, int day, int hour, int minute,
                                    int second) {
    if (year < 100 || year > 9999 || month < 1 || month > 12) return std::nullopt;
    if (day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        return std::nullopt;
    }
    const auto days = static_cast<double>(DaysFromCivil(year, month, day) - kDateEpochFromUnix);
    const double time = (hour * 3600 + minute * 60 + second) / 86400.0;
    // Before day 0 the fraction still counts forward through the day: -1.25 is 06:00 on day -1.
    return days >= 0 ? days + time : days - time;
}

std::optional<DateParts> DateToParts(double date) {
    if (!std::isfinite(date) || date <= kMinDate - 1 || date >= kMaxDate + 1) return std::nullopt;
    const double whole = std::trunc(date);
    auto days = static_cast<int64_t>(whole);
    auto seconds = static_cast<int64_t>(std::nearbyint(std::fabs(date - whole) * 86400.0));
    if (seconds >= 86400) {  // rounded up to the next midnight
        seconds -= 86400;
        ++days;
    }
    if (days < static_cast<int64_t>(kMinDate) || days > static_cast<int64_t>(kMaxDate)) {
        return std::nullopt;
    }
    DateParts p;
    CivilFromDays(days + kDateEpochFromUnix, p.year, p.month, p.day);
    p.hour = static_cast<int>(seconds / 3600);
    p.minute = static_cast<int>(seconds / 60 % 60);
    p.second = static_cast<int>(seconds % 60);
    return p;
}

// ---- date to text ----------------------------------------------------------------------------

namespace {

void AppendNumber(std::string& out, int value, int minDigits) {
    const std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < minDigits) {
        out.append(static_cast<size_t>(minDigits) - digits.size(), '0');
    }
    out += digits;
}

void AppendShortDate(std::string& out, const DateParts& p, const Locale& locale) {
    using Field = void (*)(std::string&, const DateParts&, const Locale&);
    const Field day = [](std::string& o, const DateParts& d, const Locale& l) {
        AppendNumber(o, d.day, l.padDay ? 2 : 1);
    };
    const Field month = [](std::string& o, const DateParts& d, const Locale& l) {
        AppendNumber(o, d.month, l.padMonth ? 2 : 1);
    };
    const Field year = [](std::string& o, const DateParts& d, const Locale&) {
        AppendNumber(o, d.year, 4);
    };
    std::array<Field, 3> order = {month, day, year};
    if (locale.dateOrder == DateOrder::DayMonthYear) order = {day, month, year};
    if (locale.dateOrder == DateOrder::YearMonthDay) order = {year, month, day};
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0) out += locale.dateSeparator;
        order[i](out, p, locale);
    }
}

void AppendLongTime(std::string& out, const DateParts& p, const Locale& locale) {
    int hour = p.hour;
    if (!locale.use24Hour) hour = hour % 12 == 0 ? 12 : hour % 12;
    AppendNumber(out, hour, locale.padHour ? 2 : 1);
    out += locale.timeSeparator;
    AppendNumber(out, p.minute, 2);
    out += locale.timeSeparator;
    AppendNumber(out, p.second, 2);
    if (!locale.use24Hour) {
        const std::string& designator = p.hour < 12 ? locale.amDesignator : locale.pmDesignator;
        if (!designator.empty()) out += ' ' + designator;
    }
}

}  // namespace

std::string DateToText(double date, const Locale& locale) {
    const std::optional<DateParts> p = DateToParts(date);
    if (!p) return {};
    const bool dayZero = p->year == 1899 && p->month == 12 && p->day == 30;
    const bool midnight = p->hour == 0 && p->minute == 0 && p->second == 0;
    std::string out;
    if (!dayZero) AppendShortDate(out, *p, locale);
    if (dayZero || !midnight) {
        if (!out.empty()) out += ' ';
        AppendLongTime(out, *p, locale);
    }
    return out;
}

// ---- text to date ----------------------------------------------------------------------------

namespace {

enum class TokenKind {
    Number,
    Month,
    DayName,
    Designator,
    DateSeparator,
    TimeSeparator,
    Comma,
    Blank
};

struct Token {
    TokenKind kind = TokenKind::Blank;
    int value = 0;   // Number: its value (capped); Month: 1..12; Designator: 0 AM, 1 PM
    int digits = 0;  // Number: how many digits were written
};

// Dates are short; text with more tokens than this is not one. A fixed array keeps the parser
// free of allocation, which matters when a sort converts a whole column.
constexpr size_t kMaxTokens = 24;

struct Tokens {
    std::array<Token, kMaxTokens> items{};
    size_t count = 0;
};

bool IsWordByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x80;
}

// A 1-based position of the word in either name list, or 0.
template <size_t N>
int FindName(std::string_view word, const std::array<std::string, N>& full,
             const std::array<std::string, N>& abbreviated) {
    for (size_t i = 0; i < N; ++i) {
        if (EqualsIgnoreCase(word, full[i]) ||
            EqualsIgnoreCase(word, abbreviated[i])) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

// Words are month names, day names (ignored, as in "Saturday, October 1, 2005") and the AM/PM
// designators: the locale's and, in every locale, "AM" and "PM".
std::optional<Token> ClassifyWord(std::string_view word, const Locale& locale) {
    if (const int m = FindName(word, locale.monthNames, locale.monthAbbreviations)) {
        return Token{TokenKind::Month, m, 0};
    }
    if (FindName(word, locale.dayNames, locale.dayAbbreviations) != 0) {
        return Token{TokenKind::DayName, 0, 0};
    }
    const auto is = [&](const std::string& designator) {
        return !designator.empty() && EqualsIgnoreCase(word, designator);
    };
    if (is(locale.amDesignator) || EqualsIgnoreCase(word, "AM")) {
        return Token{TokenKind::Designator, 0, 0};
    }
    if (is(locale.pmDesignator) || EqualsIgnoreCase(word, "PM")) {
        return Token{TokenKind::Designator, 1, 0};
    }
    return std::nullopt;
}

std::optional<Token> ReadToken(TextScanner& in, const Locale& locale) {
    const char c = in.Peek();
    if (IsAsciiDigit(c)) {
        Token t{TokenKind::Number, 0, 0};
        while (IsAsciiDigit(in.Peek())) {
            t.value = std::min(t.value * 10 + (in.Next() - '0'), 100'000'000);
            ++t.digits;
        }
        return t;
    }
    if (IsWordByte(c)) {
        const std::string_view start = in.rest;
        size_t length = 0;
        while (IsWordByte(in.Peek())) {
            in.Next();
            ++length;
        }
        return ClassifyWord(start.substr(0, length), locale);
    }
    if (c == ' ' || c == '\t') {
        while (in.Peek() == ' ' || in.Peek() == '\t') in.Next();
        return Token{TokenKind::Blank, 0, 0};
    }
    if (in.Eat(locale.timeSeparator) || in.EatChar(':')) {
        return Token{TokenKind::TimeSeparator, 0, 0};
    }
    if (in.Eat(locale.dateSeparator) || in.EatChar('/') || in.EatChar('-') || in.EatChar('.')) {
        return Token{TokenKind::DateSeparator, 0, 0};
    }
    if (in.EatChar(',')) return Token{TokenKind::Comma, 0, 0};
    return std::nullopt;
}

std::optional<Tokens> Tokenize(std::string_view text, const Locale& locale) {
    Tokens tokens;
    TextScanner in{text};
    while (!in.AtEnd()) {
        if (tokens.count == kMaxTokens) return std::nullopt;
        const std::optional<Token> t = ReadToken(in, locale);
        if (!t) return std::nullopt;
        tokens.items[tokens.count++] = *t;
    }
    return tokens;
}

struct TimeOfDay {
    bool present = false;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int designator = -1;  // -1 none, 0 AM, 1 PM
};

// What the token walk found: up to three date numbers in written order, a month name, a time.
struct DateReading {
    std::array<Token, 3> numbers{};
    size_t numberCount = 0;
    int month = 0;
    bool dayName = false;
    bool comma = false;
    TimeOfDay time;
};

class DateTokenWalk {
public:
    explicit DateTokenWalk(const Tokens& tokens) : t_(tokens) {}

    std::optional<DateReading> Run() {
        while (i_ < t_.count) {
            if (!Step()) return std::nullopt;
        }
        return r_;
    }

private:
    const Token& At(size_t k) const { return t_.items[k]; }
    bool Is(size_t k, TokenKind kind) const { return k < t_.count && At(k).kind == kind; }
    size_t SkipBlanks(size_t k) const {
        while (Is(k, TokenKind::Blank)) ++k;
        return k;
    }

    bool Step() {
        const Token& tok = At(i_);
        switch (tok.kind) {
            case TokenKind::Number: return ReadNumber();
            case TokenKind::Month:
                if (r_.month != 0) return false;
                r_.month = tok.value;
                break;
            case TokenKind::DayName:
                if (r_.dayName) return false;
                r_.dayName = true;
                break;
            case TokenKind::Comma: r_.comma = true; break;
            case TokenKind::DateSeparator:
            case TokenKind::Blank: break;
            case TokenKind::Designator:
            case TokenKind::TimeSeparator: return false;  // not after a time's number
        }
        ++i_;
        return true;
    }

    // A number starts a time when a time separator follows it directly ("13:45") or a designator
    // follows it ("1 PM"); otherwise it is a date field.
    bool ReadNumber() {
        if (Is(i_ + 1, TokenKind::TimeSeparator) || Is(SkipBlanks(i_ + 1), TokenKind::Designator)) {
            return ReadTime();
        }
        if (r_.numberCount == r_.numbers.size()) return false;
        r_.numbers[r_.numberCount++] = At(i_);
        ++i_;
        return true;
    }

    // h[:mm[:ss]] [designator]
    bool ReadTime() {
        if (r_.time.present) return false;
        TimeOfDay& time = r_.time;
        time.present = true;
        std::array<int, 3> fields{};
        size_t n = 0;
        fields[n++] = At(i_++).value;
        while (n < fields.size() && Is(i_, TokenKind::TimeSeparator) &&
               Is(i_ + 1, TokenKind::Number)) {
            fields[n++] = At(i_ + 1).value;
            i_ += 2;
        }
        if (Is(i_, TokenKind::TimeSeparator)) return false;  // "13:" or a fourth field
        const size_t k = SkipBlanks(i_);
        if (Is(k, TokenKind::Designator)) {
            time.designator = At(k).value;
            i_ = k + 1;
        }
        time.hour = fields[0];
        time.minute = fields[1];
        time.second = fields[2];
        return true;
    }

    const Tokens& t_;
    size_t i_ = 0;
    DateReading r_;
};

// The 24-hour hour of a time, or -1 when the time is not valid.
int Hour24(const TimeOfDay& time) {
    if (time.designator < 0) return time.hour <= 23 ? time.hour : -1;
    if (time.hour > 12) return -1;
    return time.hour % 12 + (time.designator == 1 ? 12 : 0);
}

// A year written with one or two digits falls in 1930..2029; with three or four digits it is
// taken as written; longer is not a year.
int YearOf(const Token& t) {
    if (t.digits > 4) return -1;
    if (t.digits <= 2) return t.value < 30 ? 2000 + t.value : 1900 + t.value;
    return t.value;
}

bool LooksLikeYear(const Token& t) { return t.digits >= 3 || t.value > 31; }

struct YearMonthDay {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The date fields when a month name was written: the other two numbers are day and year, the
// one that can only be a year (three or more digits, or above 31) wherever it stands, otherwise
// the day first ("1 Oct 05", "Oct 1, 05"). A month name with a year alone means its first day.
std::optional<YearMonthDay> FieldsWithMonthName(const DateReading& r) {
    if (r.numberCount == 1 && LooksLikeYear(r.numbers[0])) {
        return YearMonthDay{YearOf(r.numbers[0]), r.month, 1};
    }
    if (r.numberCount != 2) return std::nullopt;  // no year: the runtime would take the current one
    const Token& a = r.numbers[0];
    const Token& b = r.numbers[1];
    if (LooksLikeYear(a) && !LooksLikeYear(b)) return YearMonthDay{YearOf(a), r.month, b.value};
    if (LooksLikeYear(a)) return std::nullopt;
    return YearMonthDay{YearOf(b), r.month, a.value};
}

// Three numbers: year first when the first has three or more digits (ISO "2005-10-01"),
// otherwise in the locale's order.
std::optional<YearMonthDay> FieldsFromNumbers(const DateReading& r, const Locale& locale) {
    if (r.numberCount != 3) return std::nullopt;
    const Token& a = r.numbers[0];
    const Token& b = r.numbers[1];
    const Token& c = r.numbers[2];
    if (a.digits >= 3) return YearMonthDay{YearOf(a), b.value, c.value};
    switch (locale.dateOrder) {
        case DateOrder::DayMonthYear: return YearMonthDay{YearOf(c), b.value, a.value};
        case DateOrder::YearMonthDay: return YearMonthDay{YearOf(a), b.value, c.value};
        case DateOrder::MonthDayYear: break;
    }
    return YearMonthDay{YearOf(c), a.value, b.value};
}

}  // namespace

// CDate of a string. Accepted, separated by blanks, commas, "/", "-", "." or the locale's date
// separator (commas only beside a month name):
//   - three numbers in the locale's short date order ("10/1/2005" en-US, "01.10.2005" de-DE),
//     or year first when the first number has three or more digits ("2005-10-01"); when the
//     locale's order gives no valid date, day and month are tried the other way round, as the
//     runtime does ("13/1/2005" is 13 January in en-US too);
//   - a month name or abbreviation of the locale with a day and a year in either order
//     ("1 October 2005", "Oct 1, 2005", "October 1 2005"), or with a year alone (its first day);
//   - day names are ignored ("Saturday, October 1, 2005");
//   - a time "13:45", "13:45:10", "1:45 PM", "1 PM" before or after the date, or alone (then on
//     day 0); designators are the locale's and AM/PM, in any letter case.
// Two-digit years fall in 1930..2029. A date without a year (it would take the current year) and
// an impossible date (31/02, 25:00) are refused.
std::optional<double> TextToDate(std::string_view text, const Locale& locale) {
    const std::optional<Tokens> tokens = Tokenize(text, locale);
    if (!tokens) return std::nullopt;
    const std::optional<DateReading> r = DateTokenWalk(*tokens).Run();
    if (!r) return std::nullopt;
    if (r->comma && r->month == 0) return std::nullopt;

    const TimeOfDay& time = r->time;
    const int hour = time.present ? Hour24(time) : 0;
    if (hour < 0) return std::nullopt;

    if (r->numberCount == 0 && r->month == 0) {
        if (!time.present || r->dayName) return std::nullopt;
        return DateFromParts(1899, 12, 30, hour, time.minute, time.second);
    }
    const std::optional<YearMonthDay> ymd =
        r->month != 0 ? FieldsWithMonthName(*r) : FieldsFromNumbers(*r, locale);
    if (!ymd) return std::nullopt;
    if (auto date =
            DateFromParts(ymd->year, ymd->month, ymd->day, hour, time.minute, time.second)) {
        return date;
    }
    if (r->month != 0) return std::nullopt;
    return DateFromParts(ymd->year, ymd->day, ymd->month, hour, time.minute, time.second);
}

}  // namespace glv
