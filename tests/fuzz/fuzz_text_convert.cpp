// Text turned into numbers and dates in each built-in locale, as sort keys and every string
// conversion do: the conversions answer or say "not a number / not a date", and what they
// answer is in range and prints back in the same locale to text that converts to it again.
#include <cmath>

#include "platform/AutomationError.h"
#include "platform/Locale.h"
#include "platform/Variant.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace glv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const char* const kLocales[] = {"en-US", "en-GB", "de-DE"};
    fuzz::Reader in(data, size);
    const Locale& locale = *Locale::Find(kLocales[in.Byte() % 3]);
    const std::string text(in.Rest());

    if (const auto number = TextToDouble(text, locale)) {
        if (!std::isfinite(*number)) fuzz::Broken("a number that is not finite: " + text);
        const std::string printed = DoubleToText(*number, locale);
        // 15 significant digits can round the largest Doubles past the largest Double.
        if (std::fabs(*number) < 1e308 && !TextToDouble(printed, locale)) fuzz::Broken("\"" + printed + "\" from \"" + text + "\" does not read back");
    }
    if (const auto whole = TextToLong(text, locale)) (void)DoubleToText(*whole, locale);
    (void)TextToInteger(text, locale);
    (void)LeadingNumber(text);
    if (const auto date = TextToDate(text, locale)) {
        if (!(*date >= kMinDate && *date < kMaxDate + 1)) fuzz::Broken("a date out of range from \"" + text + "\"");
        const std::string printed = DateToText(*date, locale);
        if (printed.empty() || !TextToDate(printed, locale))
            fuzz::Broken("date \"" + printed + "\" from \"" + text + "\" does not read back");
    }
    // The variant layer raises the runtime's errors and nothing else.
    const Variant value(text);
    for (int kind = 0; kind < 6; ++kind) {
        try {
            switch (kind) {
                case 0: (void)value.ToDouble(locale); break;
                case 1: (void)value.ToLong(locale); break;
                case 2: (void)value.ToInteger(locale); break;
                case 3: (void)value.ToSingle(locale); break;
                case 4: (void)value.ToDate(locale); break;
                default: (void)value.ToBoolean(locale); break;
            }
        } catch (const AutomationError& e) {
            if (e.Number != runtime_error::kTypeMismatch && e.Number != runtime_error::kOverflow)
                fuzz::Broken("conversion raised " + std::to_string(e.Number));
        }
    }
    return 0;
}
