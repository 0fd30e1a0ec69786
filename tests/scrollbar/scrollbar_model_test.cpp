// The scroll bar model: setter rules and the thumb geometry, without windows or painting.
//
// Geometry below is at 15 twips per pixel with 17-pixel arrows (255 twips): a 300-pixel bar is
// 4500 twips long and its track 3990.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "scrollbar/ScrollModel.h"

using namespace glv;

namespace {

constexpr double kArrow = 255;

struct BarSetup {
    int32_t lengthPx = 300;
    int32_t itemsVisible = 10;
    int32_t totalItems = 40;
    double max = 30;
    double value = 0;
};

ScrollModel Model(const BarSetup& s, ScrollAxis axis = ScrollAxis::Vertical) {
    ScrollModel m(axis);
    m.Layout(s.lengthPx * 15.0, kArrow);
    m.SetItemsVisible(s.itemsVisible);
    m.SetTotalItems(s.totalItems);
    m.SetMax(s.max);
    m.SetValue(s.value);
    m.ComputeThumb();
    return m;
}

std::string Thumb(const ScrollModel& m) {
    const ScrollGeometry& g = m.geometry();
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.10g+%.10g end=%.10g", g.thumbPosition, g.thumbLength, g.trackEnd);
    return buf;
}

}  // namespace

TEST(ScrollModel, ThumbLengthAndPositionFollowValuesMaxAndSize) {
    struct Row {
        BarSetup setup;
        const char* expected;
    };
    const Row rows[] = {
        // A quarter of the content visible: a quarter of the track.
        {{300, 10, 40, 30, 0}, "255+997.5 end=4245"},
        {{300, 10, 40, 30, 15}, "1751.25+997.5 end=4245"},
        {{300, 10, 40, 30, 30}, "3247.5+997.5 end=4245"},  // trailing edge at the track end
        // A larger Max spreads the same value over more travel.
        {{300, 10, 40, 60, 15}, "1003.125+997.5 end=4245"},
        // A shorter bar: shorter track, shorter thumb.
        {{150, 10, 40, 30, 15}, "907.5+435 end=1995"},
        // Very long content: never shorter than 240 twips; the travel shrinks accordingly.
        {{300, 1, 1000, 30, 15}, "2130+240 end=4245"},
        // Less content than the window: the thumb fills the track at the first arrow.
        {{300, 50, 20, 30, 0}, "255+3990 end=4245"},
    };
    for (const Row& row : rows) {
        const ScrollModel m = Model(row.setup);
        EXPECT_EQ(Thumb(m), row.expected) << m.Describe();
    }
    // The ratio is single precision: a third is 0.333333343.
    const ScrollModel third = Model({300, 10, 30, 30, 0});
    EXPECT_DOUBLE_EQ(third.geometry().rawThumbLength, 3990 * static_cast<double>(1.0f / 3.0f));
    EXPECT_NE(third.geometry().rawThumbLength, 1330.0);
    // Raising TotalItems to ItemsVisible is kept.
    EXPECT_EQ(Model({300, 50, 20, 30, 0}).values().TotalItems, 50);
    // The minimum applies to the thumb, not to the raw length.
    EXPECT_DOUBLE_EQ(Model({300, 1, 1000, 30, 0}).geometry().rawThumbLength,
                     3990 * static_cast<double>(1.0f / 1000.0f));
}

TEST(ScrollModel, PositionAndValueConvertBothWaysWithRounding) {
    ScrollModel m = Model({300, 10, 40, 30, 0});
    // Every value lands on a position that reads back as the same value.
    for (int v = 0; v <= 30; ++v) {
        m.SetValue(v);
        ASSERT_TRUE(m.PlaceThumbFromValue());
        const auto back = ValueFromThumbPosition(m.geometry(), m.values(), m.geometry().thumbPosition);
        ASSERT_TRUE(back);
        EXPECT_NEAR(*back, v, 1e-9);
    }
    // The geometry pass and the value placement agree while Min is 0.
    m.SetValue(17);
    m.ComputeThumb();
    const double fromGeometry = m.geometry().thumbPosition;
    m.PlaceThumbFromValue();
    EXPECT_DOUBLE_EQ(m.geometry().thumbPosition, fromGeometry);

    // 99.75 twips of travel per unit: half a unit past 2 rounds to 2, past 3 to 4 (half to even).
    const double perUnit = *TwipsPerUnit(m.geometry(), m.values());
    EXPECT_DOUBLE_EQ(perUnit, 99.75);
    ASSERT_TRUE(m.DragThumbTo(kArrow + 2.5 * perUnit));
    EXPECT_EQ(m.values().Value, 2);
    ASSERT_TRUE(m.DragThumbTo(kArrow + 3.5 * perUnit));
    EXPECT_EQ(m.values().Value, 4);
    EXPECT_DOUBLE_EQ(m.geometry().thumbPosition, kArrow + 3.5 * perUnit);  // the thumb is where dragged

    // The horizontal bar keeps the fraction.
    ScrollModel h = Model({300, 10, 40, 30, 0}, ScrollAxis::Horizontal);
    ASSERT_TRUE(h.DragThumbTo(kArrow + 2.5 * perUnit));
    EXPECT_EQ(h.values().Value, 2.5);

    // Pinning puts the thumb at either end of its travel.
    m.PinThumb(false);
    EXPECT_EQ(Thumb(m), "3247.5+997.5 end=4245");
    EXPECT_EQ(m.values().Value, 30);
    m.PinThumb(true);
    EXPECT_EQ(Thumb(m), "255+997.5 end=4245");
    EXPECT_EQ(m.values().Value, 0);
}

TEST(ScrollModel, UndefinedRatiosKeepThePreviousGeometry) {
    ScrollModel m = Model({300, 10, 40, 30, 15});
    const std::string before = m.DescribeGeometry();
    // No content at all: the ratio 0/0 is undefined.
    m.SetItemsVisible(0);
    m.SetTotalItems(0);
    EXPECT_FALSE(m.ComputeThumb());
    EXPECT_EQ(m.DescribeGeometry(), before);
    // Max equal to Min: no position for a value.
    ScrollModel flat = Model({300, 10, 40, 30, 15});
    flat.SetValue(0);
    flat.SetMax(0);
    EXPECT_FALSE(flat.PlaceThumbFromValue());
    EXPECT_FALSE(TwipsPerUnit(flat.geometry(), flat.values()));
    // A thumb that fills the track has no travel: no value for a position, nothing changes.
    ScrollModel full = Model({300, 50, 50, 30, 0});
    EXPECT_FALSE(ValueFromThumbPosition(full.geometry(), full.values(), kArrow));
    EXPECT_FALSE(full.DragThumbTo(kArrow));
    EXPECT_EQ(full.values().Value, 0);
    // Value above Min with Max 0 (negative range) cannot be scaled by Value / Max.
    ScrollModel negative(ScrollAxis::Vertical);
    negative.Layout(4500, kArrow);
    negative.SetMin(-10);
    negative.SetMax(0);
    negative.SetItemsVisible(1);
    negative.SetTotalItems(2);
    negative.SetValue(-5);
    EXPECT_FALSE(negative.ComputeThumb());
}

TEST(ScrollModel, SettersClampRoundAndReject) {
    ScrollModel v(ScrollAxis::Vertical);
    EXPECT_EQ(v.Describe(), "v=0 min=0 max=32767 small=1 large=1 items=0/0");
    EXPECT_TRUE(v.SetValue(40000));
    EXPECT_EQ(v.values().Value, 32767);
    EXPECT_FALSE(v.SetValue(32767));  // unchanged: the control repaints nothing
    EXPECT_FALSE(v.SetValue(std::nan("")));
    v.SetValue(-4);
    EXPECT_EQ(v.values().Value, 0);
    v.SetValue(2.5);
    EXPECT_EQ(v.values().Value, 2);  // half to even
    v.SetValue(3.5);
    EXPECT_EQ(v.values().Value, 4);
    v.SetValue(1e12);  // beyond 32 bits: clamped before it is stored
    EXPECT_EQ(v.values().Value, 32767);

    // Steps larger than the range keep the old value; the range itself is accepted.
    EXPECT_FALSE(v.SetSmallChange(40000));
    EXPECT_TRUE(v.SetLargeChange(32767));
    EXPECT_FALSE(v.SetLargeChange(32768));
    EXPECT_EQ(v.Describe(), "v=32767 min=0 max=32767 small=1 large=32767 items=0/0");

    // Min above Max becomes Max; Value follows Min up.
    v.SetValue(5);
    v.SetMax(100);
    v.SetMin(500);
    EXPECT_EQ(v.Describe(), "v=100 min=100 max=100 small=1 large=32767 items=0/0");
    // Max below Min becomes Min + 1; Value follows Max down.
    v.SetMin(10);
    v.SetMax(50);
    v.SetValue(40);
    v.SetMax(3);
    EXPECT_EQ(v.Describe(), "v=11 min=10 max=11 small=1 large=32767 items=0/0");
    // The step limit is measured against the current range.
    EXPECT_FALSE(v.SetSmallChange(2));
    EXPECT_TRUE(v.SetSmallChange(1));

    // The horizontal bar keeps doubles and reads them back rounded half to even.
    ScrollModel h(ScrollAxis::Horizontal);
    h.SetValue(10);
    EXPECT_EQ(ScrollModel::Reported(h.values().Value), 10);
    h.SetValue(10.5);
    EXPECT_EQ(h.values().Value, 10.5);
    EXPECT_EQ(ScrollModel::Reported(h.values().Value), 10);
    h.SetValue(11.5);
    EXPECT_EQ(ScrollModel::Reported(h.values().Value), 12);
    EXPECT_EQ(ScrollModel::Reported(1e300), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ScrollModel::Reported(std::nan("")), 0);
}

TEST(ScrollModel, HitRegionsAndLayout) {
    const ScrollModel m = Model({300, 10, 40, 30, 15});  // thumb 1751.25 .. 2748.75
    struct Row {
        std::optional<double> position;
        ScrollHit hit;
    };
    const Row rows[] = {
        {std::nullopt, ScrollHit::None},       // pointer outside the bar's window
        {0, ScrollHit::FirstArrow},
        {255, ScrollHit::FirstArrow},          // the arrow's end belongs to the arrow
        {270, ScrollHit::Track},
        {1751.25, ScrollHit::Thumb},
        {2748.75, ScrollHit::Thumb},
        {2760, ScrollHit::Track},
        {4245, ScrollHit::SecondArrow},        // the track end belongs to the second arrow
        {4499, ScrollHit::SecondArrow},
    };
    for (const Row& row : rows)
        EXPECT_EQ(static_cast<int>(HitTest(m.geometry(), row.position)), static_cast<int>(row.hit))
            << (row.position ? *row.position : -1);
    // Tested in order: a thumb overlapping the first arrow still loses to the arrow.
    ScrollGeometry g = m.geometry();
    g.thumbPosition = 100;
    EXPECT_EQ(HitTest(g, 200.0), ScrollHit::FirstArrow);

    // A bar shorter than two arrows and a minimum thumb grows back to that length.
    ScrollModel shortBar(ScrollAxis::Horizontal);
    EXPECT_EQ(shortBar.Layout(600, kArrow), 750);
    EXPECT_EQ(shortBar.Layout(900, kArrow), 900);
    EXPECT_EQ(CellSizeFromMetric(10), 13);
    EXPECT_EQ(CellSizeFromMetric(24), 24);
}

TEST(ScrollModel, VerticalRulesJudgeTheGivenValueBeforeItIsRounded) {
    // The vertical bar's setters take fractions and round only what they store, so a fraction
    // that is out of range is treated as out of range even when it would round into it.
    ScrollModel v(ScrollAxis::Vertical);
    v.SetMin(10);
    v.SetMax(12);
    v.SetMax(9.6);  // below Min, though it rounds to Min
    EXPECT_EQ(v.Describe(), "v=10 min=10 max=11 small=1 large=1 items=0/0");
    EXPECT_FALSE(v.SetSmallChange(1.4));  // more than the range of 1, though it rounds to 1
    EXPECT_FALSE(v.SetLargeChange(1.2));
    EXPECT_TRUE(v.SetSmallChange(0.6));   // within the range: stored rounded
    EXPECT_EQ(v.Describe(), "v=10 min=10 max=11 small=1 large=1 items=0/0");
    v.SetMin(11.4);  // above Max: replaced by Max
    EXPECT_EQ(v.Describe(), "v=11 min=11 max=11 small=1 large=1 items=0/0");
}
