#pragma once
// UTF-8 decoding that never fails: each malformed sequence (a stray continuation byte, a
// truncated or overlong sequence, a surrogate, a value past U+10FFFF) becomes one U+FFFD and
// decoding resumes at the next byte that could start a character.
#include <cstddef>
#include <string>
#include <string_view>

namespace glv {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the character starting at text[pos] and advances pos past it (at least one byte).
// Requires pos < text.size().
char32_t DecodeUtf8(std::string_view text, size_t& pos);

void AppendUtf8(std::string& out, char32_t cp);

}  // namespace glv
