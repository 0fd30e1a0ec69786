#include "platform/Locale.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/TextScan.h"

namespace glv {

// ---- the built-in locales --------------------------------------------------------------------

namespace {

// Built by designated initialisers rather than member assignments: GCC 12 at -O3 reports a
// false overlap (-Wrestrict) in std::string's assignment from a short literal.
Locale MakeEnGb() {
    return Locale{
        .name = "en-GB",
        .currencySymbol = "\u00A3",  // pound sign
        .dateOrder = DateOrder::DayMonthYear,
        .padDay = true,
        .padMonth = true,
        .use24Hour = true,
        .padHour = true,
    };
}

Locale MakeDeDe() {
    return Locale{
        .name = "de-DE",
        .decimalSeparator = ",",
        .thousandsSeparator = ".",
        .currencySymbol = "\u20AC",  // euro sign
        .dateOrder = DateOrder::DayMonthYear,
        .dateSeparator = ".",
        .padDay = true,
        .padMonth = true,
        .use24Hour = true,
        .padHour = true,
        .amDesignator = "",
        .pmDesignator = "",
        .monthNames = {"Januar", "Februar", "M\u00E4rz", "April",   "Mai",      "Juni",
                       "Juli",   "August",  "September", "Oktober", "November", "Dezember"},
        .monthAbbreviations = {"Jan", "Feb", "M\u00E4r", "Apr", "Mai", "Jun",
                               "Jul", "Aug", "Sep",      "Okt", "Nov", "Dez"},
        .dayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag",
                     "Samstag"},
        .dayAbbreviations = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
    };
}

}  // namespace

const Locale* Locale::Find(std::string_view wanted) {
    static const std::array<Locale, 3> builtIn = {Locale{}, MakeEnGb(), MakeDeDe()};
    for (const Locale& l : builtIn) {
        if (EqualsIgnoreCase(l.name, wanted)) return &l;
    }
    return nullptr;
}

std::string Locale::ShortDatePattern() const {
    const std::string day = padDay ? "dd" : "d";
    const std::string month = padMonth ? "MM" : "M";
    const std::string& sep = dateSeparator;
    switch (dateOrder) {
        case DateOrder::DayMonthYear: return day + sep + month + sep + "yyyy";
        case DateOrder::YearMonthDay: return "yyyy" + sep + month + sep + day;
        case DateOrder::MonthDayYear: break;
    }
    return month + sep + day + sep + "yyyy";
}

// ---- text to number --------------------------------------------------------------------------

namespace {

// The decimal digits of a number as read, before conversion: value = digits × 10^exponent.
// Only the first kMaxDigits significant digits are kept: further ones cannot change a Double
// beyond its last bit in any but contrived cases, and the runtime keeps fewer still.
struct DecimalDigits {
    static constexpr int kMaxDigits = 40;
    std::array<char, kMaxDigits> digits{};
    int count = 0;
    int64_t exponent = 0;
    bool any = false;  // a digit was read, zeros included

    void AddIntegerDigit(char c) {
        any = true;
        if (count == 0 && c == '0') return;
        if (count < kMaxDigits) {
            digits[static_cast<size_t>(count++)] = c;
        } else {
            ++exponent;
        }
    }
    void AddFractionDigit(char c) {
        any = true;
        if (count == 0 && c == '0') {
            --exponent;
        } else if (count < kMaxDigits) {
            digits[static_cast<size_t>(count++)] = c;
            --exponent;
        }
    }

    // The Double nearest to ±digits × 10^(exponent + extra); nullopt when it is too large for a
    // Double. Values too small for one become 0, as the runtime's conversion does.
    std::optional<double> ToDouble(bool negative, int64_t extra) const {
        if (count == 0) return 0.0;
        const int64_t e = exponent + extra;
        const int64_t leading = e + count - 1;  // power of ten of the first digit
        if (leading > 400) return std::nullopt;
        if (leading < -400) return 0.0;
        std::array<char, kMaxDigits + 16> buf{};
        char* p = buf.data();
        if (negative) *p++ = '-';
        for (int i = 0; i < count; ++i) *p++ = digits[static_cast<size_t>(i)];
        *p++ = 'e';
        p = std::to_chars(p, buf.data() + buf.size(), e).ptr;
        double value = 0;
        const auto [end, ec] = std::from_chars(buf.data(), p, value);
        if (ec == std::errc::result_out_of_range) {
            if (leading < 0) return 0.0;
            return std::nullopt;
        }
        if (ec != std::errc{} || end != p) return std::nullopt;
        return value;
    }
};

// Reads an exponent's optional sign and digits; false (nothing consumed) when no digit follows.
// The magnitude saturates far beyond any Double so that long digit runs cannot overflow it.
template <class Reader>
bool ReadExponentDigits(Reader& in, int64_t& exponent) {
    Reader start = in;
    bool negative = false;
    if (in.EatChar('+')) {
    } else if (in.EatChar('-')) {
        negative = true;
    }
    if (!IsAsciiDigit(in.Peek())) {
        in = start;
        return false;
    }
    int64_t value = 0;
    while (IsAsciiDigit(in.Peek())) {
        value = std::min<int64_t>(value * 10 + (in.Next() - '0'), 1'000'000);
    }
    exponent = negative ? -value : value;
    return true;
}

// "&H1F" and "&O17" (either case) are read like hex and octal literals in code: a value up to
// &HFFFF is a 16-bit Integer, so &HFFFF is -1 and &H8000 is -32768; a larger one up to
// &HFFFFFFFF is a 32-bit Long (&HFFFFFFFF is -1); a trailing "&" (LeadingNumber only) forces the
// Long reading, so "&HFFFF&" is 65535. Longer literals overflow.
struct RadixLiteral {
    enum class Result { NotLiteral, NoDigits, Overflow, Value };
    Result result = Result::NotLiteral;
    int64_t value = 0;
};

template <class Reader>
RadixLiteral ReadRadixLiteral(Reader& in, bool allowLongSuffix) {
    Reader start = in;
    if (!in.EatChar('&')) return {};
    int shift = 0;
    if (in.EatChar('H') || in.EatChar('h')) {
        shift = 4;
    } else if (in.EatChar('O') || in.EatChar('o')) {
        shift = 3;
    } else {
        in = start;
        return {};
    }
    uint64_t value = 0;
    int digits = 0;
    for (;;) {
        const int d = HexDigitValue(in.Peek());
        if (d < 0 || d >= (1 << shift)) break;
        in.Next();
        ++digits;
        value = (value << shift) | static_cast<uint64_t>(d);
        if (value > 0xFFFF'FFFFu) return {RadixLiteral::Result::Overflow, 0};
    }
    if (digits == 0) return {RadixLiteral::Result::NoDigits, 0};
    const bool forceLong = allowLongSuffix && in.EatChar('&');
    const auto v = static_cast<int64_t>(value);
    if (!forceLong && v <= 0xFFFF) {
        return {RadixLiteral::Result::Value, v >= 0x8000 ? v - 0x10000 : v};
    }
    return {RadixLiteral::Result::Value, v >= 0x8000'0000 ? v - 0x1'0000'0000 : v};
}

// Signs, currency symbol and parentheses around a number.
struct NumberAffixes {
    int sign = 0;  // 0 none, +1, -1
    bool currency = false;
    bool openParen = false;
    bool closeParen = false;
};

bool IsNumberBlank(char c) { return c == ' ' || c == '\t'; }

// Reads one affix if one may stand here: blanks anywhere; one sign and one currency symbol,
// before or after the digits; "(" before them and, after them, the ")" that closes it.
bool ReadAffix(TextScanner& in, NumberAffixes& a, const Locale& locale, bool afterDigits) {
    if (IsNumberBlank(in.Peek())) {
        in.Next();
    } else if (a.sign == 0 && in.EatChar('+')) {
        a.sign = 1;
    } else if (a.sign == 0 && in.EatChar('-')) {
        a.sign = -1;
    } else if (!a.currency && in.Eat(locale.currencySymbol)) {
        a.currency = true;
    } else if (!afterDigits && !a.openParen && in.EatChar('(')) {
        a.openParen = true;
    } else if (afterDigits && a.openParen && !a.closeParen && in.EatChar(')')) {
        a.closeParen = true;
    } else {
        return false;
    }
    return true;
}

// After the trailing affixes the text must end, parentheses must pair, and a sign inside them
// is refused ("(-5)"): they already mean negative.
bool AffixesComplete(const TextScanner& in, const NumberAffixes& a) {
    return in.AtEnd() && a.openParen == a.closeParen && !(a.openParen && a.sign != 0);
}

// The digits of a mantissa: decimal digits, at most one decimal separator, and group separators
// in the integer part wherever they stand (the runtime does not check the grouping, so "1,2,3"
// is 123 in en-US). The reader and the separators differ between the locale's reading and Val.
template <class Reader, class EatDecimal, class EatGroup>
void ReadMantissaDigits(Reader& in, DecimalDigits& d, const EatDecimal& eatDecimal,
                        const EatGroup& eatGroup) {
    bool fraction = false;
    for (;;) {
        const char c = in.Peek();
        if (IsAsciiDigit(c)) {
            in.Next();
            if (fraction) {
                d.AddFractionDigit(c);
            } else {
                d.AddIntegerDigit(c);
            }
        } else if (!fraction && eatDecimal(in)) {
            fraction = true;
        } else if (fraction || !eatGroup(in)) {
            return;
        }
    }
}

bool IsExponentLetter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

// The mantissa in the locale's notation (its decimal and thousands separators), then an optional
// exponent E/e/D/d with an optional sign and at least one digit.
bool ReadLocaleMantissa(TextScanner& in, DecimalDigits& d, int64_t& exponent,
                        const Locale& locale) {
    ReadMantissaDigits(
        in, d, [&](TextScanner& r) { return r.Eat(locale.decimalSeparator); },
        [&](TextScanner& r) { return r.Eat(locale.thousandsSeparator); });
    if (!d.any) return false;
    if (IsExponentLetter(in.Peek())) {
        in.Next();
        if (!ReadExponentDigits(in, exponent)) return false;
    }
    return true;
}

template <class Int>
std::optional<Int> RoundToInteger(double value) {
    const double r = std::nearbyint(value);
    // Written so that NaN fails both comparisons.
    if (!(r >= std::numeric_limits<Int>::min() && r <= std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(r);
}

}  // namespace

// CDbl of a string. Accepted, in this order:
//   leading blanks (spaces, tabs), at most one sign "+"/"-", the locale's currency symbol and a
//   "(", in any order; then either a hex/octal literal ("&H1F", "&O17", see RadixLiteral) or a
//   mantissa in the locale's notation (ReadLocaleMantissa); then trailing blanks, a sign if none
//   led ("5-" is -5), the currency symbol if none led ("1.234,50 €"), and the ")" matching a
//   leading "(" ("(5)" is -5). Nothing else may follow. Empty text, a lone sign or separator, and
//   a value beyond the Double range give nullopt; a value too small for a Double gives 0.
std::optional<double> TextToDouble(std::string_view text, const Locale& locale) {
    TextScanner in{text};
    NumberAffixes affixes;
    while (ReadAffix(in, affixes, locale, false)) {
    }

    std::optional<double> magnitude;
    const RadixLiteral radix = ReadRadixLiteral(in, false);
    if (radix.result == RadixLiteral::Result::Value) {
        magnitude = static_cast<double>(radix.value);
    } else if (radix.result == RadixLiteral::Result::NotLiteral) {
        DecimalDigits digits;
        int64_t exponent = 0;
        if (!ReadLocaleMantissa(in, digits, exponent, locale)) return std::nullopt;
        magnitude = digits.ToDouble(false, exponent);
    }
    if (!magnitude) return std::nullopt;
    while (ReadAffix(in, affixes, locale, true)) {
    }
    if (!AffixesComplete(in, affixes)) return std::nullopt;
    const bool negative = affixes.sign < 0 || affixes.openParen;
    return negative ? -*magnitude : *magnitude;
}

std::optional<int32_t> DoubleToLong(double value) { return RoundToInteger<int32_t>(value); }

std::optional<int16_t> DoubleToInteger(double value) { return RoundToInteger<int16_t>(value); }

std::optional<int32_t> TextToLong(std::string_view text, const Locale& locale) {
    const std::optional<double> value = TextToDouble(text, locale);
    return value ? DoubleToLong(*value) : std::nullopt;
}

std::optional<int16_t> TextToInteger(std::string_view text, const Locale& locale) {
    const std::optional<double> value = TextToDouble(text, locale);
    return value ? DoubleToInteger(*value) : std::nullopt;
}

namespace {

// Val ignores blanks, tabs and line feeds wherever they stand, so it reads through a scanner
// that skips them before every character.
struct ValScanner {
    TextScanner text;

    void SkipIgnored() {
        while (text.Peek() == ' ' || text.Peek() == '\t' || text.Peek() == '\n') text.Next();
    }
    char Peek() {
        SkipIgnored();
        return text.Peek();
    }
    char Next() {
        SkipIgnored();
        return text.Next();
    }
    bool EatChar(char c) {
        SkipIgnored();
        return text.EatChar(c);
    }
};

// Digits alone, with an optional minus: the usual content of a numeric column, read without the
// general scanner. Fifteen digits or fewer are exact in a double, so the value is the same.
std::optional<double> PlainDigits(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (digits.empty() || digits.size() > 15) return std::nullopt;
    int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    const auto v = static_cast<double>(value);
    return negative ? -v : v;
}

}  // namespace

// Val: optional sign, then a hex/octal literal or digits with at most one "." and an optional
// exponent (E/e/D/d, optional sign, digits; an "E" without digits is not part of the number).
// Reading stops at the first character that cannot continue the number.
double LeadingNumber(std::string_view text) {
    if (const std::optional<double> plain = PlainDigits(text)) return *plain;
    ValScanner in{TextScanner{text}};
    bool negative = false;
    if (in.EatChar('-')) {
        negative = true;
    } else {
        in.EatChar('+');
    }
    constexpr double kOverflow = std::numeric_limits<double>::infinity();

    const RadixLiteral radix = ReadRadixLiteral(in, true);
    switch (radix.result) {
        case RadixLiteral::Result::Value: {
            const auto v = static_cast<double>(radix.value);
            return negative ? -v : v;
        }
        case RadixLiteral::Result::NoDigits: return 0.0;
        case RadixLiteral::Result::Overflow: return negative ? -kOverflow : kOverflow;
        case RadixLiteral::Result::NotLiteral: break;
    }

    DecimalDigits digits;
    ReadMantissaDigits(
        in, digits, [](ValScanner& r) { return r.EatChar('.'); },
        [](ValScanner&) { return false; });
    if (!digits.any) return 0.0;
    int64_t exponent = 0;
    if (IsExponentLetter(in.Peek())) {
        ValScanner afterMantissa = in;
        in.Next();
        if (!ReadExponentDigits(in, exponent)) in = afterMantissa;
    }
    const std::optional<double> value = digits.ToDouble(negative, exponent);
    if (!value) return negative ? -kOverflow : kOverflow;
    return *value;
}

// ---- number to text --------------------------------------------------------------------------

namespace {

// printf's "%.{precision}G" in the C locale, then the locale's decimal separator. This is how
// the runtime writes Doubles (15 digits) and Singles (7): trailing zeros dropped, the exponent
// form when the exponent is below -4 or at least the precision, two exponent digits at least.
std::string FormatGeneral(double value, int precision, const Locale& locale) {
    if (value == 0) return "0";  // negative zero included
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    std::array<char, 64> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                      std::chars_format::general, precision);
    std::string out;
    out.reserve(static_cast<size_t>(result.ptr - buf.data()) + locale.decimalSeparator.size());
    for (const char* p = buf.data(); p != result.ptr; ++p) {
        if (*p == '.') {
            out += locale.decimalSeparator;
        } else if (*p == 'e') {
            out += 'E';
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace

std::string DoubleToText(double value, const Locale& locale) {
    return FormatGeneral(value, 15, locale);
}

std::string SingleToText(float value, const Locale& locale) {
    return FormatGeneral(static_cast<double>(value), 7, locale);
}

}  // namespace glv
