// The ordering algorithm of the sort engine: exact placement of equal keys, UTF-16 string order.
//
// Ideas not yet written: keys that are NaN (the engine never builds them; the core must only
// stay in bounds, which the scan guards ensure).

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "sort/SortCore.h"

namespace glv {
namespace {

// Labels the sorted order: item k is the letter 'a' + k.
std::string Letters(const std::vector<int32_t>& index) {
    std::string out;
    for (int32_t k : index) {
        if (!out.empty()) out += ' ';
        out += static_cast<char>('a' + k);
    }
    return out;
}

std::string SortedLetters(const std::vector<double>& keys, bool descending, int64_t first = 1) {
    std::vector<int32_t> index(keys.size());
    EXPECT_TRUE(SortIndexes(std::span<const double>(keys), index, descending, first));
    return Letters(index);
}

TEST(SortCore, EqualKeysLandWhereTheAlgorithmPutsThem) {
    // Items a..h at positions 1..8 with keys 3 1 3 2 1 3 2 1.
    //   mid = (1 + 8) / 2 = 4.5, rounded to the even 4 (d).
    //   median of three: a3 > d2 swap 1,4; d2 > h1 swap 1,8; a3 > d2 swap 4,8
    //     -> h1 b1 c3 d2 e1 f3 g2 a3; pivot slot 7: swap 4,7 -> h1 b1 c3 g2 e1 f3 d2 a3, pivot 2
    //   i stops at 3 (c3), j at 5 (e1): swap -> h1 b1 e1 g2 c3 f3 d2 a3
    //   i stops at 4 (g2), j at 4: swap with itself; i stops at 5, j at 3: leave
    //   swap 5,7 -> h1 b1 e1 g2 d2 f3 c3 a3; both sides are 3 long and left alone;
    //   the insertion pass finds everything in order.
    const std::vector<double> keys = {3, 1, 3, 2, 1, 3, 2, 1};
    EXPECT_EQ(SortedLetters(keys, false), "h b e g d f c a");  // a stable sort: b e h d g a c f
    EXPECT_EQ(SortedLetters(keys, true), "a c f d g e b h");   // the exact reverse

    // The same items as a range starting at position 2: mid = (2 + 9) / 2 = 5.5 -> 6 (e, not d).
    //   median of three: a3 > e1 swap 2,6; h1 not below e1; a3 > h1 swap 6,9
    //     -> e1 b1 c3 d2 h1 f3 g2 a3; swap 6,8 -> e1 b1 c3 d2 g2 f3 h1 a3, pivot 1
    //   i stops at 3 (b1), j at 3: swap with itself; i stops at 4, j at 2: leave
    //   swap 4,8 -> e1 b1 h1 d2 g2 f3 c3 a3; the right side 5..9 is five slots: left alone.
    EXPECT_EQ(SortedLetters(keys, false, 2), "e b h d g f c a");
    // Starting at 7 the middle is (7 + 14) / 2 = 10.5 -> 10, the same slot as from 1.
    EXPECT_EQ(SortedLetters(keys, false, 7), "h b e g d f c a");

    // Five entries or fewer: only the insertion pass runs, which keeps equal keys in order.
    EXPECT_EQ(SortedLetters({2, 1, 2, 1, 0}, false), "e b d a c");
    EXPECT_EQ(SortedLetters({2, 1, 2, 1, 0}, true), "c a d b e");
    // Six equal keys already take the quicksort path and come out shuffled.
    EXPECT_EQ(SortedLetters({5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, false), "a h g i e f c b d j");
    EXPECT_EQ(SortedLetters({5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, false, 2), "a h g f i e c b d j");
    EXPECT_EQ(SortedLetters({2, 9, 2, 7, 2, 9, 4, 2, 9, 7}, false), "a h c e g j d b i f");

    EXPECT_EQ(SortedLetters({}, false), "");
    EXPECT_EQ(SortedLetters({1}, true), "a");
}

TEST(SortCore, RefusesMismatchedIndex) {
    const std::vector<int32_t> keys = {3, 2, 1};
    std::vector<int32_t> index = {7, 7};
    EXPECT_FALSE(SortIndexes(std::span<const int32_t>(keys), index, false));
    EXPECT_EQ(index, (std::vector<int32_t>{7, 7}));
}

// ---- strings ---------------------------------------------------------------------------------

std::u16string ToUtf16(std::string_view s) {
    std::u16string out;
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t cp = n == 1 ? b : b & (0x3F >> (n - 1));
        for (int k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        i += static_cast<size_t>(n);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::vector<std::string> SortStrings(const std::vector<std::string>& in, bool descending) {
    StringKeys keys;
    for (const std::string& s : in) EXPECT_TRUE(keys.Add(s));
    std::vector<int32_t> index(in.size());
    EXPECT_TRUE(SortIndexes(keys, index, descending));
    std::vector<std::string> out;
    for (int32_t k : index) out.push_back(in[static_cast<size_t>(k)]);
    return out;
}

std::string Join(const std::vector<std::string>& v) {
    std::string out;
    for (const std::string& s : v) out += "[" + s + "]";
    return out;
}

TEST(SortCore, StringsInUtf16CodeUnitOrder) {
    // Ordinal and case-sensitive: the empty text first, capitals before small letters.
    EXPECT_EQ(Join(SortStrings({"b", "B", "a", ""}, false)), "[][B][a][b]");
    EXPECT_EQ(Join(SortStrings({"ab", "a", "abc", "a"}, false)), "[a][a][ab][abc]");

    // U+FF21 (EF BC A1) against U+1F600 (F0 9F 98 80): bytes put the fullwidth A first, UTF-16
    // the emoji (surrogate D83D). Checked at the start and after eight equal bytes (cached
    // prefix), after sixteen (tail comparison), straddling the prefix's end, and against the
    // characters around the swapped ranges.
    const std::string fullA = "\uFF21", emoji = "\U0001F600", priv = "\uE000", hangul = "\uD7A3";
    EXPECT_LT(CompareUtf16Order(emoji, fullA), 0);
    EXPECT_LT(CompareUtf16Order(emoji, priv), 0);
    EXPECT_LT(CompareUtf16Order(hangul, emoji), 0);
    EXPECT_EQ(CompareUtf16Order("same", "same"), 0);
    EXPECT_EQ(Join(SortStrings({fullA, "z", emoji, priv, hangul, ""}, false)),
              "[][z][" + hangul + "][" + emoji + "][" + priv + "][" + fullA + "]");
    EXPECT_EQ(Join(SortStrings({"12345678" + fullA, "12345678" + emoji, "12345678"}, false)),
              "[12345678][12345678" + emoji + "][12345678" + fullA + "]");
    EXPECT_EQ(Join(SortStrings({"1234567" + fullA, "1234567" + emoji}, true)),
              "[1234567" + fullA + "][1234567" + emoji + "]");
    const std::string p16 = "0123456789abcdef", p15 = "0123456789abcde";
    EXPECT_EQ(Join(SortStrings({p16 + fullA, p16 + emoji, p16, p16 + "z"}, false)),
              "[" + p16 + "][" + p16 + "z][" + p16 + emoji + "][" + p16 + fullA + "]");
    EXPECT_EQ(Join(SortStrings({p15 + fullA, p15 + emoji}, false)),
              "[" + p15 + emoji + "][" + p15 + fullA + "]");
    // Embedded NUL bytes order as code unit 0, not as the end of the text.
    const std::string nul1("a\0", 2), nul2("a\0\0", 3), nul17 = p16 + std::string(1, '\0');
    EXPECT_EQ(SortStrings({nul2, "a", nul17, nul1, p16, nul17 + "x", nul17 + '\0'}, false),
              (std::vector<std::string>{p16, nul17, nul17 + '\0', nul17 + "x", "a", nul1, nul2}));
}

TEST(SortCore, CompareUtf16OrderMatchesUtf16OnRandomText) {
    const std::vector<std::string> pieces = {"a",          "Z",          "\u00E9",     "\u0800",
                                             "\uD7FF",     "\uE000",     "\uFFFD",     "\uFF21",
                                             "\U00010000", "\U0001F600", "\U0010FFFF", "\u07FF"};
    std::mt19937 rng(7);
    const auto randomText = [&] {
        std::string s;
        const size_t n = rng() % 6;
        for (size_t i = 0; i < n; ++i) s += pieces[rng() % pieces.size()];
        return s;
    };
    for (int round = 0; round < 5000; ++round) {
        const std::string prefix = round % 2 ? "" : "shared-prefix";
        const std::string a = prefix + randomText(), b = prefix + randomText();
        const std::u16string ua = ToUtf16(a), ub = ToUtf16(b);
        const int expected = ua < ub ? -1 : (ub < ua ? 1 : 0);
        const int got = CompareUtf16Order(a, b);
        ASSERT_EQ((got > 0) - (got < 0), expected) << a << " vs " << b;
    }
}

// ---- against a plain transcription of the algorithm ------------------------------------------

// The algorithm as written, on 1-based positions with the index array read for every key: the
// engine's slot copies, loop-on-the-larger-side and scan guards must not change its result.
template <class Key, class Less>
std::vector<int32_t> ReferenceSort(const std::vector<Key>& keys, bool descending, int64_t lo,
                                   Less less) {
    const int64_t hi = lo + static_cast<int64_t>(keys.size()) - 1;
    std::vector<int32_t> index(keys.size());
    std::iota(index.begin(), index.end(), 0);
    const auto slot = [&](int64_t p) -> int32_t& { return index[static_cast<size_t>(p - lo)]; };
    const auto key = [&](int64_t p) -> const Key& { return keys[static_cast<size_t>(slot(p))]; };
    const auto greater = [&](const Key& x, const Key& y) { return less(y, x); };
    std::function<void(int64_t, int64_t)> quick = [&](int64_t l, int64_t h) {
        if (h - l <= 4) return;
        const int64_t sum = l + h;
        int64_t mid = sum / 2;
        if (sum % 2 != 0 && mid % 2 != 0) ++mid;
        if (greater(key(l), key(mid))) std::swap(slot(l), slot(mid));
        if (greater(key(l), key(h))) std::swap(slot(l), slot(h));
        if (greater(key(mid), key(h))) std::swap(slot(mid), slot(h));
        int64_t j = h - 1;
        std::swap(slot(mid), slot(j));
        int64_t i = l;
        const Key pivot = key(j);
        for (;;) {
            do ++i;
            while (less(key(i), pivot));
            do --j;
            while (greater(key(j), pivot));
            if (j < i) break;
            std::swap(slot(i), slot(j));
        }
        std::swap(slot(i), slot(h - 1));
        quick(l, j);
        quick(i + 1, h);
    };
    quick(lo, hi);
    for (int64_t s = lo + 1; s <= hi; ++s) {
        const int32_t t = slot(s);
        int64_t gap = s;
        while (gap > lo &&
               greater(keys[static_cast<size_t>(slot(gap - 1))], keys[static_cast<size_t>(t)])) {
            slot(gap) = slot(gap - 1);
            --gap;
        }
        slot(gap) = t;
    }
    if (descending) std::reverse(index.begin(), index.end());
    return index;
}

// The result is a permutation, ordered by key, equal to the reference, and the descending
// result is the ascending one reversed.
template <class Key, class Less, class Sort>
void CheckAgainstReference(const std::vector<Key>& keys, int64_t first, Less less, Sort sort) {
    std::vector<int32_t> up(keys.size()), down(keys.size());
    ASSERT_TRUE(sort(up, false));
    ASSERT_TRUE(sort(down, true));
    std::vector<int32_t> seen = up;
    std::sort(seen.begin(), seen.end());
    for (size_t k = 0; k < seen.size(); ++k) ASSERT_EQ(seen[k], static_cast<int32_t>(k));
    for (size_t k = 1; k < up.size(); ++k) {
        ASSERT_FALSE(less(keys[static_cast<size_t>(up[k])], keys[static_cast<size_t>(up[k - 1])]));
    }
    ASSERT_EQ(up, ReferenceSort(keys, false, first, less));
    std::reverse(down.begin(), down.end());
    ASSERT_EQ(up, down);
}

TEST(SortCore, RandomArraysMatchTheAlgorithm) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 400; ++round) {
        const size_t n = rng() % 201;
        const int64_t first = 1 + static_cast<int64_t>(rng() % 50);
        const uint32_t distinct = 1 + rng() % 12;  // few distinct values: many duplicates
        SCOPED_TRACE("round " + std::to_string(round) + " n " + std::to_string(n));

        std::vector<double> doubles(n);
        std::vector<int32_t> ints(n);
        std::vector<std::string> strings(n);
        for (size_t k = 0; k < n; ++k) {
            const uint32_t v = rng() % distinct;
            doubles[k] = v * 0.5 - 2;
            ints[k] = static_cast<int32_t>(v) - 5;
            // Long shared prefixes reach the tail comparison; the suffixes cross the swapped
            // UTF-8 ranges.
            const std::string prefix = v % 3 == 0 ? "a-common-prefix-of-29-bytes--" : "";
            strings[k] = prefix + (v % 2 ? "\U0001F600" : "\uFF21") + std::to_string(v);
        }
        CheckAgainstReference(
            doubles, first, std::less<double>(), [&](std::vector<int32_t>& ix, bool d) {
                return SortIndexes(std::span<const double>(doubles), ix, d, first);
            });
        CheckAgainstReference(ints, first, std::less<int32_t>(),
                              [&](std::vector<int32_t>& ix, bool d) {
                                  return SortIndexes(std::span<const int32_t>(ints), ix, d, first);
                              });
        StringKeys keys;
        for (const std::string& s : strings) keys.Add(s);
        CheckAgainstReference(
            strings, first,
            [](const std::string& a, const std::string& b) { return CompareUtf16Order(a, b) < 0; },
            [&](std::vector<int32_t>& ix, bool d) { return SortIndexes(keys, ix, d, first); });
    }
}

TEST(SortCore, AdversarialShapesStaySortedWithoutDeepRecursion) {
    // Organ pipe, sawtooth, sorted and reversed inputs of 200k keys: the loop on the larger side
    // keeps the recursion shallow whatever the partitions.
    const int n = 200000;
    std::vector<std::vector<int32_t>> shapes(4, std::vector<int32_t>(n));
    for (int k = 0; k < n; ++k) {
        shapes[0][static_cast<size_t>(k)] = std::min(k, n - k);
        shapes[1][static_cast<size_t>(k)] = k % 17;
        shapes[2][static_cast<size_t>(k)] = k;
        shapes[3][static_cast<size_t>(k)] = n - k;
    }
    for (const auto& keys : shapes) {
        std::vector<int32_t> index(keys.size());
        ASSERT_TRUE(SortIndexes(std::span<const int32_t>(keys), index, false));
        for (size_t k = 1; k < index.size(); ++k) {
            ASSERT_LE(keys[static_cast<size_t>(index[k - 1])], keys[static_cast<size_t>(index[k])]);
        }
    }
}

}  // namespace
}  // namespace glv
