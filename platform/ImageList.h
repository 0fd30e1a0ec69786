#pragma once
// Image lists: a row of equally sized images with alpha, registered under a 32-bit handle so
// that an hImagelist value can be stored in a slot and looked up when an icon is drawn.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/Image.h"
#include "platform/Surface.h"

namespace glv {

// Draw styles, with the common-controls values.
inline constexpr uint32_t ILD_NORMAL = 0x0;       // transparent parts show the list's background
inline constexpr uint32_t ILD_TRANSPARENT = 0x1;  // transparent parts leave the target alone
inline constexpr uint32_t ILD_BLEND25 = 0x2;      // a quarter of the foreground colour blended in
inline constexpr uint32_t ILD_FOCUS = ILD_BLEND25;
inline constexpr uint32_t ILD_BLEND50 = 0x4;      // half the foreground colour blended in
inline constexpr uint32_t ILD_SELECTED = ILD_BLEND50;

class ImageList {
public:
    // An empty list of images of this size. Throws std::invalid_argument for a size < 1.
    ImageList(int32_t imageWidth, int32_t imageHeight);
    // Images cut left to right from a strip: as many whole images of imageWidth as fit, each
    // as tall as the strip. Throws std::invalid_argument when imageWidth is not in
    // 1..strip width.
    static ImageList FromStrip(const Image& strip, int32_t imageWidth);
    // Throws std::invalid_argument when the list is empty or the sizes differ.
    static ImageList FromImages(const std::vector<Image>& images);

    int32_t ImageWidth() const { return width_; }
    int32_t ImageHeight() const { return height_; }
    int32_t Count() const { return count_; }
    COLORREF BkColor() const { return bkColor_; }
    void SetBkColor(COLORREF c) { bkColor_ = c; }

    // Appends an image of the list's size; returns its 0-based index. Throws
    // std::invalid_argument for another size.
    int32_t Add(const Image& image);
    // Image i (0-based) as its own picture; std::nullopt when i is out of range.
    std::optional<Image> GetImage(int32_t index) const;
    // Where image i sits in the list's strip; std::nullopt when i is out of range.
    std::optional<RECT> GetImageRect(int32_t index) const;

    // Draws image i (0-based) with its top-left at (x, y), common-controls style: alpha is
    // respected (ILD_TRANSPARENT, or a list background of CLR_NONE) or composited over bk;
    // ILD_BLEND50 / ILD_BLEND25 mix fg into the image's own pixels by half / a quarter first
    // (fg = CLR_NONE: no mix). A positive w or h draws only that much of the image from its
    // top-left. Returns false, drawing nothing, when i is out of range.
    bool Draw(Surface& target, int32_t index, int32_t x, int32_t y, uint32_t style,
              COLORREF fg = CLR_NONE, COLORREF bk = CLR_NONE, int32_t w = 0,
              int32_t h = 0) const;

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t count_ = 0;
    COLORREF bkColor_ = CLR_NONE;
    std::vector<uint32_t> pixels_;  // image after image, each width_ x height_ (0xAARRGGBB)
};

// The lists of one host, by handle. Handles are non-zero, positive as a 32-bit signed value,
// and never reused, so a stale handle finds nothing.
class ImageListRegistry {
public:
    uint32_t Register(ImageList list);
    ImageList* Find(uint32_t handle);
    const ImageList* Find(uint32_t handle) const;
    bool Destroy(uint32_t handle);
    size_t Count() const { return lists_.size(); }

private:
    std::map<uint32_t, std::unique_ptr<ImageList>> lists_;
    uint32_t next_ = 0x00010001;
};

// The two icon primitives the painters call for a list bound by handle. The index is the
// painters' 1-based one; 0 is taken as 1. A selected icon is blended half with the selection
// colour (focus adds nothing when selected, a quarter blend otherwise); the disabled icon is
// blended half with the window colour. A missing list or image draws nothing.
bool DrawIcon(const ImageListRegistry& lists, Surface& target, uint32_t handle, int32_t index,
              int32_t x, int32_t y, bool selected, bool focus, COLORREF selectColor);
bool DrawDisabledIcon(const ImageListRegistry& lists, Surface& target, uint32_t handle,
                      int32_t index, int32_t x, int32_t y, COLORREF windowColor);

// The embossed disabled look of a picture (state-drawing an icon as disabled): the picture's
// shape - its opaque pixels that are not near white - drawn in highlight one pixel down and
// right, then in shadow at (x, y).
void DrawEmbossed(Surface& target, const Image& picture, int32_t x, int32_t y, COLORREF highlight,
                  COLORREF shadow);

// The synthetic list scenarios use: image i is a square of palette colour i mod 8 (red, green,
// blue, yellow, magenta, cyan, maroon, dark green) with a one-pixel transparent margin.
ImageList MakeSyntheticImageList(int32_t width = 16, int32_t height = 16, int32_t count = 8);

}  // namespace glv
