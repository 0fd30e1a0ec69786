#pragma once
// Column data shared by the sort benchmarks, so that the engine and its std::sort baseline sort
// exactly the same values.

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace glv {

// Texts like a list column holds: half free words of 3 to 20 letters, half numbered names that
// share their first eight bytes (so the cached prefix ties and the tails are compared).
inline std::vector<std::string> ColumnTexts(size_t n) {
    std::mt19937 rng(42);
    std::vector<std::string> texts;
    texts.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        if (i % 2 == 0) {
            std::string word(3 + rng() % 18, ' ');
            for (char& c : word) c = static_cast<char>((rng() % 2 ? 'a' : 'A') + rng() % 26);
            texts.push_back(std::move(word));
        } else {
            texts.push_back("Customer " + std::to_string(rng() % 1'000'000));
        }
    }
    return texts;
}

inline std::vector<int32_t> NumericKeys(size_t n) {
    std::mt19937 rng(43);
    std::vector<int32_t> keys(n);
    for (int32_t& k : keys) k = static_cast<int32_t>(rng() % 100'000);  // duplicates, as in lists
    return keys;
}

}  // namespace glv
