// The searches over shown rows answer from the store's counts; here they are held against the
// plain walks over the Visible flags that define them, on random visibility patterns (sparse,
// dense, long hidden runs) with every start and count near the edges.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/ItemStore.h"
#include "render/Layout.h"

using namespace glv;

namespace {

// The definitions, walked row by row.
namespace walk {

bool Shown(const ItemStore& items, int32_t i) { return items.Group(i).Visible; }

int32_t First(const ItemStore& items) {
    for (int32_t i = 1; i <= items.Count(); ++i)
        if (Shown(items, i)) return i;
    return 0;
}

int32_t Next(const ItemStore& items, int32_t start, bool down) {
    if (!items.Contains(start)) return start;
    if (down) {
        for (int32_t i = start + 1; i <= items.Count(); ++i)
            if (Shown(items, i)) return i;
    } else {
        for (int32_t i = start - 1; i >= 1; --i)
            if (Shown(items, i)) return i;
    }
    return 0;
}

int32_t ByRange(const ItemStore& items, int32_t start, int32_t count, bool down) {
    const int64_t low = int64_t{start} - count, high = int64_t{start} + count;
    if (low < 1 || high > items.Count()) return start;
    if (down) {
        for (int64_t i = high; i >= start; --i)
            if (Shown(items, static_cast<int32_t>(i))) return static_cast<int32_t>(i);
    } else {
        for (int64_t i = low; i <= start; ++i)
            if (Shown(items, static_cast<int32_t>(i))) return static_cast<int32_t>(i);
    }
    return 0;
}

int32_t Between(const ItemStore& items, int32_t start, int32_t end) {
    if (start == end) return start;
    const int32_t step = start > end ? -1 : 1;
    int32_t shown = 0;
    for (int32_t i = start; items.Contains(i); i += step) {
        if (Shown(items, i)) ++shown;
        if (i == end) break;
    }
    return shown;
}

int32_t Offset(const ItemStore& items, int32_t top, int32_t count, bool down) {
    int32_t moved = 1, result = top;
    auto visit = [&](int32_t i) {
        if (!Shown(items, i)) return false;
        result = i;
        return ++moved >= count;
    };
    if (down) {
        for (int32_t i = std::max(top + 1, 1); i <= items.Count(); ++i)
            if (visit(i)) break;
    } else {
        for (int32_t i = std::min(top - 1, items.Count()); i >= 1; --i)
            if (visit(i)) break;
    }
    return result;
}

int32_t Nth(const ItemStore& items, int32_t n) {
    int32_t shown = 0;
    for (int32_t i = 1; i <= items.Count(); ++i)
        if (Shown(items, i) && ++shown == n) return i;
    return 0;
}

}  // namespace walk

}  // namespace

TEST(ShownRows, SearchesMatchThePlainWalk) {
    struct Pattern {
        const char* name;
        int32_t rows;
        unsigned hiddenPercent;
        int32_t hiddenRunFrom, hiddenRunTo;  // a run hidden on top of the random ones
    };
    const Pattern patterns[] = {
        {"none hidden", 700, 0, 0, -1},   {"every row hidden", 300, 100, 0, -1},
        {"sparse", 1500, 5, 0, -1},       {"half", 1500, 50, 0, -1},
        {"dense", 1500, 95, 0, -1},       {"long run", 5000, 10, 120, 4700},
        {"run to the end", 2000, 0, 1000, 2000}, {"one row", 1, 50, 0, -1},
    };
    for (const Pattern& p : patterns) {
        SCOPED_TRACE(p.name);
        std::mt19937 rng(static_cast<unsigned>(p.rows * 7 + static_cast<int32_t>(p.hiddenPercent)));
        ItemStore items;
        for (int32_t i = 1; i <= p.rows; ++i) {
            items.Append(items.NewItem(NewItemDefaults{}, 0));
            const bool inRun = i >= p.hiddenRunFrom && i <= p.hiddenRunTo;
            if (inRun || rng() % 100 < p.hiddenPercent) items.SetVisible(i, false);
        }
        // Every few rows, and the edges around the list, as starts.
        std::vector<int32_t> starts = {-1, 0, 1, 2, p.rows - 1, p.rows, p.rows + 1, p.rows + 2};
        for (int32_t k = 0; k < 60; ++k) starts.push_back(static_cast<int32_t>(rng() % static_cast<unsigned>(p.rows)) + 1);
        ASSERT_EQ(FindFirstVisible(items), walk::First(items));
        for (int32_t n = -1; n <= items.VisibleCount() + 1; n += std::max(1, items.VisibleCount() / 50))
            ASSERT_EQ(items.NthShown(n), walk::Nth(items, n)) << "n " << n;
        for (int32_t start : starts) {
            for (bool down : {true, false}) {
                ASSERT_EQ(FindNextVisible(items, start, down), walk::Next(items, start, down))
                    << "next from " << start << (down ? " down" : " up");
                for (int32_t count : {0, 1, 2, 3, 7, 40, 999, p.rows}) {
                    ASSERT_EQ(FindVisibleByRange(items, start, count, down),
                              walk::ByRange(items, start, count, down))
                        << start << " by " << count << (down ? " down" : " up");
                    ASSERT_EQ(OffsetTop(items, start, count, down), walk::Offset(items, start, count, down))
                        << "offset " << start << " by " << count << (down ? " down" : " up");
                }
            }
            for (int32_t end : {-3, 0, 1, start - 5, start + 1, start + 333, p.rows, p.rows + 4})
                ASSERT_EQ(CountVisibleBetween(items, start, end), walk::Between(items, start, end))
                    << start << " to " << end;
        }
    }
}

// A page walk from a top above a long hidden run reaches the rows below it, as the plain walk
// does; the rows it counts are the shown ones.
TEST(ShownRows, PageWalkStepsOverLongHiddenRuns) {
    ItemStore items;
    for (int32_t i = 1; i <= 200000; ++i) items.Append(items.NewItem(NewItemDefaults{}, 0));
    for (int32_t i = 3; i <= 199990; ++i) items.SetVisible(i, false);
    const PageFrame frame{120, 20, 0, false, {}};  // room for 97 / 16 rows: 6 of them
    const PageWalk page = WalkPage(items, 1, frame, PageWalkFor::PageCount);
    EXPECT_EQ(page.rowsCounted, 7);
    EXPECT_EQ(page.lastFitting, 199994);
    EXPECT_EQ(page.firstNotFitting, 199995);
    EXPECT_EQ(PageCount(items, page), 6);
    EXPECT_EQ(OffsetTop(items, 2, 3, true), 199992);
    EXPECT_EQ(CountVisibleBetween(items, 1, 200000), 12);
}
