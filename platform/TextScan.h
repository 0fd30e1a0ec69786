#pragma once

// Small helpers for the hand-written parsers of the platform layer. All matching is by bytes on
// UTF-8 text, so multi-byte separators and symbols ("€", "£") work like single characters, and
// case folding touches ASCII letters only.

#include <cstddef>
#include <string_view>

namespace glv {

constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

constexpr char ToAsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The value of a hex digit, or -1.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const char l = ToAsciiLower(c);
    if (l >= 'a' && l <= 'f') return l - 'a' + 10;
    return -1;
}

// ASCII letters compared without regard to case, as member names and keywords are.
constexpr bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (ToAsciiLower(a[i]) != ToAsciiLower(b[i])) return false;
    }
    return true;
}

// A read position in a string. Peek returns '\0' at the end, so callers test for characters
// without a separate end check (a NUL inside the text is therefore never accepted).
struct TextScanner {
    std::string_view rest;

    bool AtEnd() const { return rest.empty(); }
    char Peek() const { return rest.empty() ? '\0' : rest.front(); }
    char Next() {
        const char c = Peek();
        if (!rest.empty()) rest.remove_prefix(1);
        return c;
    }
    bool EatChar(char c) {
        if (rest.empty() || rest.front() != c) return false;
        rest.remove_prefix(1);
        return true;
    }
    // An empty token never matches, so an unset separator does not loop forever.
    bool Eat(std::string_view token) {
        if (token.empty() || !rest.starts_with(token)) return false;
        rest.remove_prefix(token.size());
        return true;
    }
};

}  // namespace glv
