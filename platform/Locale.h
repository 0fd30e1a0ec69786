#pragma once
// Placeholder: replaced by the locale-aware conversions.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glv {

struct Locale {
    std::string Name = "en-US";
    static const Locale* Find(std::string_view name);
};

std::optional<double> TextToDouble(std::string_view text, const Locale& locale);
std::optional<double> TextToDate(std::string_view text, const Locale& locale);
std::string DateToText(double date, const Locale& locale);
std::string DoubleToText(double value, const Locale& locale);
std::string SingleToText(float value, const Locale& locale);

}  // namespace glv
