// The selected-row index against a plain vector of flags, through random edits of every kind.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/RowBits.h"

namespace glv {
namespace {

std::optional<std::size_t> PlainNext(const std::vector<bool>& v, std::size_t pos) {
    for (std::size_t i = pos; i < v.size(); ++i)
        if (v[i]) return i;
    return std::nullopt;
}

std::optional<std::size_t> PlainPrev(const std::vector<bool>& v, std::size_t pos) {
    if (v.empty()) return std::nullopt;
    for (std::size_t i = std::min(pos, v.size() - 1) + 1; i-- > 0;)
        if (v[i]) return i;
    return std::nullopt;
}

void ExpectSame(const RowBits& bits, const std::vector<bool>& plain, std::mt19937& rng) {
    ASSERT_EQ(bits.Size(), plain.size());
    std::size_t count = 0;
    for (bool b : plain) count += b ? 1 : 0;
    ASSERT_EQ(bits.Count(), count);
    std::vector<std::size_t> seen, expected;
    bits.ForEachSet([&](std::size_t pos) { seen.push_back(pos); });
    for (std::size_t i = 0; i < plain.size(); ++i)
        if (plain[i]) expected.push_back(i);
    ASSERT_EQ(seen, expected);
    for (int probe = 0; probe < 20 && !plain.empty(); ++probe) {
        const std::size_t pos = rng() % (plain.size() + 70);
        ASSERT_EQ(bits.NextSet(pos), PlainNext(plain, pos)) << "next from " << pos;
        ASSERT_EQ(bits.PrevSet(pos), PlainPrev(plain, pos)) << "prev from " << pos;
    }
}

TEST(RowBits, FollowsAPlainFlagVectorThroughInsertEraseAssignAndClear) {
    // Densities from sparse to full, sizes that cross word and summary-word edges.
    for (const double density : {0.001, 0.05, 0.5, 1.0}) {
        std::mt19937 rng(7);
        std::bernoulli_distribution flag(density);
        RowBits bits;
        std::vector<bool> plain;
        for (int step = 0; step < 6000; ++step) {
            const int op = static_cast<int>(rng() % 10);
            const std::size_t at = plain.empty() ? 0 : rng() % (plain.size() + 1);
            if (op < 4) {
                const bool v = flag(rng);
                bits.Insert(at, v);
                plain.insert(plain.begin() + static_cast<std::ptrdiff_t>(at), v);
            } else if (op < 6) {
                const bool v = flag(rng);
                bits.PushBack(v);
                plain.push_back(v);
            } else if (op < 8 && !plain.empty()) {
                const std::size_t pos = at % plain.size();
                bits.Erase(pos);
                plain.erase(plain.begin() + static_cast<std::ptrdiff_t>(pos));
            } else if (!plain.empty()) {
                const std::size_t pos = at % plain.size();
                const bool v = flag(rng);
                EXPECT_EQ(bits.Assign(pos, v), plain[pos] != v);
                plain[pos] = v;
            }
            if (step % 997 == 0) {
                bits.ClearAll();
                plain.assign(plain.size(), false);
            }
            if (step % 50 == 0) ExpectSame(bits, plain, rng);
        }
        ExpectSame(bits, plain, rng);
    }
}

TEST(RowBits, EdgesOfWordsAndEmptySets) {
    RowBits bits;
    EXPECT_EQ(bits.NextSet(0), std::nullopt);
    EXPECT_EQ(bits.PrevSet(5), std::nullopt);
    bits.Reset(64 * 64 * 2 + 1);  // three summary words
    for (std::size_t pos : {std::size_t{0}, std::size_t{63}, std::size_t{64}, std::size_t{4095},
                            std::size_t{4096}, std::size_t{8192}}) {
        bits.Assign(pos, true);
        EXPECT_EQ(bits.NextSet(pos), pos);
        EXPECT_EQ(bits.PrevSet(pos), pos);
        if (pos > 0) {
            EXPECT_EQ(bits.NextSet(pos - 1), pos);
        }
        EXPECT_EQ(bits.PrevSet(pos + 1), pos);
        bits.Assign(pos, false);
    }
    EXPECT_EQ(bits.Count(), 0u);
    bits.Assign(8192, true);
    bits.Erase(0);  // the last row moves down into the previous word
    EXPECT_EQ(bits.NextSet(0), std::size_t{8191});
    bits.Insert(0, false);
    EXPECT_EQ(bits.PrevSet(100000), std::size_t{8192});
}

}  // namespace
}  // namespace glv
