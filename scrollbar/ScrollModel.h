#pragma once
// The scroll bar model: the values a bar holds, the rules its setters apply, and the thumb
// geometry that follows from them. Nothing here paints or takes input.
//
// Vocabulary, shared by both bars:
//  - the axis: vertical bars run top to bottom, horizontal ones left to right; "along" is the
//    axis, "across" the other dimension;
//  - the first arrow is the up or left button, the second arrow the down or right button;
//  - all geometry is in twips along the axis, measured from the bar's start;
//  - the track is everything between the two arrows; the thumb slides on it.
//
// The two bars keep their values in different number types: the vertical bar rounds every value
// it is given to a 32-bit integer (half to even); the horizontal bar keeps doubles, because its
// paging arithmetic may leave a fractional value, and reads them back rounded.

#include <cstdint>
#include <optional>
#include <string>

namespace glv {

enum class ScrollAxis : uint8_t { Vertical, Horizontal };

// Which part is hovered or pressed; the painter picks its bitmaps from this.
namespace hotpart {
inline constexpr int32_t kNone = -1;  // pointer moved over no part
inline constexpr int32_t kInitial = 0;
inline constexpr int32_t kFirstArrowHot = 1;
inline constexpr int32_t kFirstArrowPressed = 2;
inline constexpr int32_t kSecondArrowHot = 3;
inline constexpr int32_t kSecondArrowPressed = 4;
inline constexpr int32_t kThumbHot = 5;
inline constexpr int32_t kThumbPressed = 6;
}  // namespace hotpart

enum class ScrollHit : uint8_t { None, FirstArrow, SecondArrow, Thumb, Track };

// A thumb never gets shorter than this, so it stays grabbable on very long content.
inline constexpr double kMinThumbTwips = 240;
// Arrow buttons are square; the system's arrow width is raised to this when smaller.
inline constexpr int32_t kMinCellPixels = 13;

struct ScrollValues {
    double Min = 0;
    double Max = 32767;
    double Value = 0;
    double SmallChange = 1;
    double LargeChange = 1;
    int32_t ItemsVisible = 0;  // the visible window, in the host's units
    int32_t TotalItems = 0;    // the whole content, same units
};

// Along the axis, in twips.
struct ScrollGeometry {
    double barLength = 0;
    double firstArrow = 0;
    double secondArrow = 0;
    double rawThumbLength = 0;  // before the minimum length applies
    double thumbLength = 0;
    double thumbPosition = 0;   // the thumb's leading edge
    double trackEnd = 0;        // where the second arrow begins

    double ThumbEnd() const { return thumbPosition + thumbLength; }
    // The room the thumb can travel: track length less the thumb.
    double Travel() const { return barLength - firstArrow - secondArrow - thumbLength; }
};

// --- pure geometry ----------------------------------------------------------------------------

// The side of an arrow button in pixels, from the system's arrow width.
int32_t CellSizeFromMetric(int32_t systemArrowWidth);
// The shortest a bar may be along its axis: both arrows and a minimum thumb.
double MinimumBarLength(double firstArrow, double secondArrow);

struct ThumbLength {
    double raw = 0;
    double clamped = 0;
};
// The thumb's length for a window of itemsVisible out of totalItems (totalItems already raised
// to itemsVisible). nullopt when totalItems is 0: the ratio is undefined and the caller keeps
// what it had.
std::optional<ThumbLength> ComputeThumbLength(double barLength, double firstArrow,
                                              double secondArrow, int32_t itemsVisible,
                                              int32_t totalItems);

// The thumb's leading edge for a value, as the geometry pass places it (scaled by Value / Max).
std::optional<double> ThumbPositionForGeometry(const ScrollGeometry& g, const ScrollValues& v);
// The thumb's leading edge for a value over the whole Min..Max range; the two agree when Min is
// 0, which is how the list always leaves it.
std::optional<double> ThumbPositionFromValue(const ScrollGeometry& g, const ScrollValues& v);
// The value a thumb position stands for (unrounded); nullopt when the thumb fills the track.
std::optional<double> ValueFromThumbPosition(const ScrollGeometry& g, const ScrollValues& v,
                                             double thumbPosition);

// Which part lies under a position along the axis; tested in the order first arrow, second
// arrow, thumb, track. nullopt (the pointer is outside the bar's window) hits nothing.
ScrollHit HitTest(const ScrollGeometry& g, std::optional<double> position);

// Twips per value unit of thumb travel; nullopt when Max equals Min or the thumb fills the track.
std::optional<double> TwipsPerUnit(const ScrollGeometry& g, const ScrollValues& v);

// --- the model --------------------------------------------------------------------------------

// One bar's values and geometry with the setter rules. Setters report whether the stored value
// changed; the control decides what to recompute and repaint.
class ScrollModel {
public:
    explicit ScrollModel(ScrollAxis axis) : axis_(axis) {}

    ScrollAxis axis() const { return axis_; }
    bool vertical() const { return axis_ == ScrollAxis::Vertical; }
    const ScrollValues& values() const { return values_; }
    const ScrollGeometry& geometry() const { return geometry_; }

    // A value as this bar stores it: a 32-bit integer (half to even) on the vertical bar, the
    // value itself on the horizontal bar. nullopt for NaN, which neither bar accepts.
    std::optional<double> Stored(double value) const;
    // A stored value as the events and the horizontal bar's getters report it.
    static int32_t Reported(double value);

    // Clamped into Min..Max; true when the stored value changed. NaN is ignored.
    bool SetValue(double value);
    // A Min above Max becomes Max; Value is raised to the new Min.
    void SetMin(double value);
    // A Max below Min becomes Min + 1; Value is lowered to the new Max.
    void SetMax(double value);
    // Accepted only up to Max - Min; otherwise the old step stays. True when accepted.
    bool SetSmallChange(double value);
    bool SetLargeChange(double value);
    void SetItemsVisible(int32_t items) { values_.ItemsVisible = items; }
    void SetTotalItems(int32_t items) { values_.TotalItems = items; }

    // Layout along the axis: the arrows' lengths and the bar's length (twips). The bar is
    // lengthened to the minimum when shorter; the length used is returned.
    double Layout(double barLength, double arrowLength);

    // Recomputes the thumb's length, the track end and the thumb position (the geometry pass).
    // On an undefined ratio or division the previous geometry stays and false is returned.
    bool ComputeThumb();
    // Places the thumb for the current value; false (geometry unchanged) when Max equals Min.
    bool PlaceThumbFromValue();
    // Moves the thumb and writes the value it stands for (rounded on the vertical bar); false
    // when that value is undefined, in which case nothing changes.
    bool DragThumbTo(double thumbPosition);
    // Pins the thumb to one end of its travel with Value at Min (first) or Max (second).
    void PinThumb(bool toFirstEnd);

    // "v=.. min=.. max=.. small=.. large=.. items=../.." for tests and diagnostics.
    std::string Describe() const;
    // "bar=.. arrows=..,.. thumb=..+.. raw=.. end=.." in twips.
    std::string DescribeGeometry() const;

private:
    ScrollAxis axis_;
    ScrollValues values_;
    ScrollGeometry geometry_;
};

}  // namespace glv
