#include "scrollbar/ScrollModel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "platform/Variant.h"

namespace glv {

namespace {

// A finite quotient, or nullopt: the geometry keeps its previous state rather than take an
// infinity or NaN from a zero-sized range.
std::optional<double> Divide(double numerator, double denominator) {
    if (denominator == 0) return std::nullopt;
    const double q = numerator / denominator;
    if (!std::isfinite(q)) return std::nullopt;
    return q;
}

std::string Num(double v) {
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, result.ptr);
}

}  // namespace

int32_t CellSizeFromMetric(int32_t systemArrowWidth) {
    return std::max(systemArrowWidth, kMinCellPixels);
}

double MinimumBarLength(double firstArrow, double secondArrow) {
    return firstArrow + secondArrow + kMinThumbTwips;
}

std::optional<ThumbLength> ComputeThumbLength(double barLength, double firstArrow,
                                              double secondArrow, int32_t itemsVisible,
                                              int32_t totalItems) {
    // The ratio is taken in single precision, so thumb lengths come out as the bars always drew
    // them (a 1/3 ratio is 0.333333343, not 0.333...).
    if (totalItems == 0) return std::nullopt;
    const float ratio = static_cast<float>(itemsVisible) / static_cast<float>(totalItems);
    ThumbLength length;
    length.raw = (barLength - firstArrow - secondArrow) * static_cast<double>(ratio);
    length.clamped = std::max(length.raw, kMinThumbTwips);
    return length;
}

std::optional<double> ThumbPositionForGeometry(const ScrollGeometry& g, const ScrollValues& v) {
    if (v.Value <= v.Min) return g.firstArrow;
    const auto scaled = Divide((g.barLength - 2 * g.firstArrow - g.thumbLength) * v.Value, v.Max);
    if (!scaled) return std::nullopt;
    return g.firstArrow + *scaled;
}

std::optional<double> ThumbPositionFromValue(const ScrollGeometry& g, const ScrollValues& v) {
    const auto fromMax = Divide(v.Max - v.Value, v.Max - v.Min);
    if (!fromMax) return std::nullopt;
    return g.firstArrow + g.Travel() * (1 - *fromMax);
}

std::optional<double> ValueFromThumbPosition(const ScrollGeometry& g, const ScrollValues& v,
                                             double thumbPosition) {
    const auto share = Divide((v.Max - v.Min) * (thumbPosition - g.firstArrow), g.Travel());
    if (!share) return std::nullopt;
    return *share + v.Min;
}

ScrollHit HitTest(const ScrollGeometry& g, std::optional<double> position) {
    if (!position) return ScrollHit::None;
    const double p = *position;
    if (p <= g.firstArrow) return ScrollHit::FirstArrow;
    if (p >= g.trackEnd) return ScrollHit::SecondArrow;
    if (p >= g.thumbPosition && p <= g.ThumbEnd()) return ScrollHit::Thumb;
    return ScrollHit::Track;
}

std::optional<double> TwipsPerUnit(const ScrollGeometry& g, const ScrollValues& v) {
    const auto perUnit = Divide(g.Travel(), v.Max - v.Min);
    if (!perUnit || *perUnit <= 0) return std::nullopt;
    return perUnit;
}

// --- the model --------------------------------------------------------------------------------

std::optional<double> ScrollModel::Stored(double value) const {
    if (std::isnan(value)) return std::nullopt;
    if (!vertical()) return value;
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    return std::clamp(RoundHalfEven(value), lo, hi);
}

int32_t ScrollModel::Reported(double value) {
    if (std::isnan(value)) return 0;
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(RoundHalfEven(value), lo, hi));
}

bool ScrollModel::SetValue(double value) {
    const auto stored = Stored(value);
    if (!stored) return false;
    const double clamped = std::clamp(*stored, values_.Min, values_.Max);
    if (clamped == values_.Value) return false;
    values_.Value = clamped;
    return true;
}

// The range rules judge the value as given; only what is stored is rounded. A fraction just
// below Min is below Min, even though it would round to it.
void ScrollModel::SetMin(double value) {
    if (std::isnan(value)) return;
    values_.Min = *Stored(std::min(value, values_.Max));
    values_.Value = std::max(values_.Value, values_.Min);
}

void ScrollModel::SetMax(double value) {
    if (std::isnan(value)) return;
    values_.Max = value < values_.Min ? values_.Min + 1 : *Stored(value);
    values_.Value = std::min(values_.Value, values_.Max);
}

bool ScrollModel::SetSmallChange(double value) {
    if (std::isnan(value) || value > values_.Max - values_.Min) return false;
    values_.SmallChange = *Stored(value);
    return true;
}

bool ScrollModel::SetLargeChange(double value) {
    if (std::isnan(value) || value > values_.Max - values_.Min) return false;
    values_.LargeChange = *Stored(value);
    return true;
}

double ScrollModel::Layout(double barLength, double arrowLength) {
    geometry_.firstArrow = arrowLength;
    geometry_.secondArrow = arrowLength;
    geometry_.barLength = std::max(barLength, MinimumBarLength(arrowLength, arrowLength));
    return geometry_.barLength;
}

bool ScrollModel::ComputeThumb() {
    values_.TotalItems = std::max(values_.TotalItems, values_.ItemsVisible);
    const auto length = ComputeThumbLength(geometry_.barLength, geometry_.firstArrow,
                                           geometry_.secondArrow, values_.ItemsVisible,
                                           values_.TotalItems);
    if (!length) return false;
    ScrollGeometry next = geometry_;
    next.rawThumbLength = length->raw;
    next.thumbLength = length->clamped;
    next.trackEnd = next.barLength - next.secondArrow;
    const auto position = ThumbPositionForGeometry(next, values_);
    if (!position) return false;
    next.thumbPosition = *position;
    geometry_ = next;
    return true;
}

bool ScrollModel::PlaceThumbFromValue() {
    const auto position = ThumbPositionFromValue(geometry_, values_);
    if (!position) return false;
    geometry_.thumbPosition = *position;
    return true;
}

bool ScrollModel::DragThumbTo(double thumbPosition) {
    const auto value = ValueFromThumbPosition(geometry_, values_, thumbPosition);
    if (!value) return false;
    const auto stored = Stored(*value);
    if (!stored) return false;
    geometry_.thumbPosition = thumbPosition;
    values_.Value = std::clamp(*stored, values_.Min, values_.Max);
    return true;
}

void ScrollModel::PinThumb(bool toFirstEnd) {
    if (toFirstEnd) {
        geometry_.thumbPosition = geometry_.firstArrow;
        values_.Value = values_.Min;
    } else {
        geometry_.thumbPosition = geometry_.barLength - geometry_.secondArrow - geometry_.thumbLength;
        values_.Value = values_.Max;
    }
}

std::string ScrollModel::Describe() const {
    const ScrollValues& v = values_;
    return "v=" + Num(v.Value) + " min=" + Num(v.Min) + " max=" + Num(v.Max) +
           " small=" + Num(v.SmallChange) + " large=" + Num(v.LargeChange) +
           " items=" + std::to_string(v.ItemsVisible) + "/" + std::to_string(v.TotalItems);
}

std::string ScrollModel::DescribeGeometry() const {
    const ScrollGeometry& g = geometry_;
    return "bar=" + Num(g.barLength) + " arrows=" + Num(g.firstArrow) + "," + Num(g.secondArrow) +
           " thumb=" + Num(g.thumbPosition) + "+" + Num(g.thumbLength) +
           " raw=" + Num(g.rawThumbLength) + " end=" + Num(g.trackEnd);
}

}  // namespace glv
