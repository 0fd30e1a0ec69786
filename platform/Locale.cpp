#include "platform/Locale.h"

#include <cstdio>
#include <cstdlib>

namespace glv {

const Locale* Locale::Find(std::string_view name) {
    static const Locale en{"en-US"};
    return name == "en-US" ? &en : nullptr;
}

std::optional<double> TextToDouble(std::string_view text, const Locale&) {
    std::string s(text);
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (end == s.c_str()) return std::nullopt;
    while (*end == ' ') ++end;
    if (*end) return std::nullopt;
    return v;
}
std::optional<double> TextToDate(std::string_view, const Locale&) { return std::nullopt; }
std::string DateToText(double date, const Locale& l) { return DoubleToText(date, l); }
std::string DoubleToText(double value, const Locale&) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}
std::string SingleToText(float value, const Locale&) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(value));
    return buf;
}

}  // namespace glv
