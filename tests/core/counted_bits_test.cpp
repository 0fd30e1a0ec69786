// The counted flag set against a plain vector<bool> under random edits, at sizes around the
// word and block edges, and the item store's gap against a plain list of the same removals and
// insertions.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/CountedBits.h"
#include "core/ItemStore.h"

using namespace glv;

namespace {

// The answers of CountedBits, worked out by walking the reference.
struct Reference {
    std::vector<bool> bits;
    std::size_t Rank(std::size_t pos) const {
        std::size_t n = 0;
        for (std::size_t i = 0; i < pos && i < bits.size(); ++i) n += bits[i];
        return n;
    }
    std::optional<std::size_t> Select(std::size_t n) const {
        for (std::size_t i = 0; i < bits.size(); ++i)
            if (bits[i] && n-- == 0) return i;
        return std::nullopt;
    }
    std::optional<std::size_t> Next(std::size_t pos) const {
        for (std::size_t i = pos; i < bits.size(); ++i)
            if (bits[i]) return i;
        return std::nullopt;
    }
    std::optional<std::size_t> Prev(std::size_t pos) const {
        if (bits.empty()) return std::nullopt;
        for (std::size_t i = std::min(pos, bits.size() - 1) + 1; i-- > 0;)
            if (bits[i]) return i;
        return std::nullopt;
    }
};

void ExpectSame(const CountedBits& b, const Reference& r, std::mt19937& rng) {
    ASSERT_EQ(b.Size(), r.bits.size());
    ASSERT_EQ(b.Count(), r.Rank(r.bits.size()));
    const std::size_t size = r.bits.size();
    for (int probe = 0; probe < 40; ++probe) {
        const std::size_t pos = size == 0 ? 0 : rng() % (size + 2);
        ASSERT_EQ(b.Rank(pos), r.Rank(pos)) << "rank " << pos;
        ASSERT_EQ(b.NextSet(pos), r.Next(pos)) << "next " << pos;
        ASSERT_EQ(b.PrevSet(pos), r.Prev(pos)) << "prev " << pos;
        const std::size_t n = rng() % (b.Count() + 2);
        ASSERT_EQ(b.Select(n), r.Select(n)) << "select " << n;
    }
}

}  // namespace

TEST(CountedBits, MatchesAPlainWalkUnderRandomEdits) {
    // Dense, sparse and half-set patterns; sizes cross words (64) and blocks (512).
    for (const unsigned density : {2u, 10u, 90u}) {
        for (const std::size_t size : {0u, 1u, 63u, 64u, 65u, 511u, 512u, 513u, 3000u}) {
            SCOPED_TRACE(std::to_string(size) + " rows, " + std::to_string(density) + "% set");
            std::mt19937 rng(static_cast<unsigned>(size * 131 + density));
            CountedBits b;
            Reference r;
            b.Reset(size, false);
            r.bits.assign(size, false);
            for (std::size_t i = 0; i < size; ++i) {
                const bool v = rng() % 100 < density;
                b.Assign(i, v);
                r.bits[i] = v;
            }
            ExpectSame(b, r, rng);
            for (int edit = 0; edit < 60; ++edit) {
                const bool v = rng() % 100 < density;
                const std::size_t pos = rng() % (r.bits.size() + 1);
                switch (rng() % 4) {
                    case 0:
                        b.Insert(pos, v);
                        r.bits.insert(r.bits.begin() + static_cast<std::ptrdiff_t>(pos), v);
                        break;
                    case 1:
                        if (pos < r.bits.size()) {
                            b.Erase(pos);
                            r.bits.erase(r.bits.begin() + static_cast<std::ptrdiff_t>(pos));
                        }
                        break;
                    case 2:
                        b.PushBack(v);
                        r.bits.push_back(v);
                        break;
                    default:
                        if (pos < r.bits.size()) {
                            EXPECT_EQ(b.Assign(pos, v), r.bits[pos] != v);
                            r.bits[pos] = v;
                        }
                }
                ExpectSame(b, r, rng);
            }
        }
    }
    CountedBits full;
    full.Reset(700, true);
    EXPECT_EQ(full.Count(), 700u);
    EXPECT_EQ(full.Select(699), 699u);
    EXPECT_EQ(full.NextSet(700), std::nullopt);
}

TEST(ItemStoreGap, RemovalsAndInsertionsAnywhereKeepEveryIndexRight) {
    std::mt19937 rng(7);
    ItemStore store;
    std::vector<std::string> texts;                 // the reference list
    std::vector<bool> hidden, selected;
    int next = 0;
    auto make = [&] {
        tListItemInfo item = store.NewItem(NewItemDefaults{}, 2);
        item.cLIText = "i" + std::to_string(next++);
        return item;
    };
    for (int i = 0; i < 300; ++i) {
        store.Append(make());
        texts.push_back(store.Item(store.Count()).cLIText);
        hidden.push_back(false);
        selected.push_back(false);
    }
    for (int step = 0; step < 2000; ++step) {
        const auto count = static_cast<int32_t>(texts.size());
        const int32_t index = 1 + static_cast<int32_t>(rng() % static_cast<unsigned>(count + 1));
        const auto at = static_cast<std::ptrdiff_t>(index - 1);
        switch (rng() % 8) {
            case 0:
            case 1:
            case 2:  // removals mostly near the last one, as a deleting scan makes them
                if (index <= count) {
                    ASSERT_TRUE(store.Remove(index));
                    texts.erase(texts.begin() + at);
                    hidden.erase(hidden.begin() + at);
                    selected.erase(selected.begin() + at);
                }
                break;
            case 3: {
                tListItemInfo item = make();
                texts.insert(texts.begin() + at, item.cLIText);
                ASSERT_TRUE(store.InsertAt(index, std::move(item)));
                hidden.insert(hidden.begin() + at, false);
                selected.insert(selected.begin() + at, false);
                break;
            }
            case 4:
                store.Append(make());
                texts.push_back(store.Item(store.Count()).cLIText);
                hidden.push_back(false);
                selected.push_back(false);
                break;
            case 5:
                if (index <= count) {
                    store.SetVisible(index, hidden[static_cast<std::size_t>(at)]);
                    hidden[static_cast<std::size_t>(at)] = !hidden[static_cast<std::size_t>(at)];
                }
                break;
            case 6:
                if (index <= count) {
                    const bool v = !selected[static_cast<std::size_t>(at)];
                    store.SetSelected(index, v);
                    selected[static_cast<std::size_t>(at)] = v;
                }
                break;
            default:
                if (rng() % 10 == 0) store.CloseGap();
        }
        ASSERT_EQ(store.Count(), static_cast<int32_t>(texts.size()));
        int32_t shown = 0, selectedShown = 0, selectedAll = 0;
        for (int32_t i = 1; i <= store.Count(); ++i) {
            const auto k = static_cast<std::size_t>(i - 1);
            ASSERT_EQ(store.Item(i).cLIText, texts[k]) << "step " << step << " index " << i;
            ASSERT_EQ(store.Group(i).Visible, !hidden[k]);
            ASSERT_EQ(store.IsShown(i), !hidden[k]);
            ASSERT_EQ(store.IsSelected(i), selected[k]);
            ASSERT_EQ(store.ShownBefore(i), shown);
            if (!hidden[k]) {
                ASSERT_EQ(store.NthShown(++shown), i);
            }
            selectedAll += selected[k];
            selectedShown += selected[k] && !hidden[k];
        }
        ASSERT_EQ(store.VisibleCount(), shown);
        ASSERT_EQ(store.SelectedFlagCount(), selectedAll);
        ASSERT_EQ(store.SelectedShownCount(), selectedShown);
        std::vector<int32_t> listed;
        store.ForEachSelected([&](int32_t i) { listed.push_back(i); });
        ASSERT_EQ(listed.size(), static_cast<std::size_t>(selectedAll));
        for (int32_t i : listed) ASSERT_TRUE(selected[static_cast<std::size_t>(i - 1)]);
    }
}
