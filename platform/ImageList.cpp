#include "platform/ImageList.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <string>

namespace glv {
namespace {

// c1 and c2 (0x00RRGGBB) mixed per channel, with `quarters` quarters of c2, rounded.
uint32_t Mix(uint32_t c1, uint32_t c2, uint32_t quarters) {
    uint32_t out = 0;
    for (uint32_t shift = 0; shift <= 16; shift += 8) {
        const uint32_t a = (c1 >> shift) & 0xFFu;
        const uint32_t b = (c2 >> shift) & 0xFFu;
        out |= ((a * (4 - quarters) + b * quarters + 2) / 4) << shift;
    }
    return out;
}

void CheckImageSize(int32_t width, int32_t height) {
    if (width < 1 || height < 1 || int64_t{width} * height > Surface::kMaxPixels) {
        throw std::invalid_argument("image list image size " + std::to_string(width) + "x" +
                                    std::to_string(height) + " is out of range");
    }
}

}  // namespace

ImageList::ImageList(int32_t imageWidth, int32_t imageHeight)
    : width_(imageWidth), height_(imageHeight) {
    CheckImageSize(imageWidth, imageHeight);
}

ImageList ImageList::FromStrip(const Image& strip, int32_t imageWidth) {
    if (imageWidth < 1 || imageWidth > strip.Width) {
        throw std::invalid_argument("image width " + std::to_string(imageWidth) +
                                    " does not fit a strip " + std::to_string(strip.Width) +
                                    " pixels wide");
    }
    ImageList list(imageWidth, strip.Height);
    const int32_t count = strip.Width / imageWidth;
    list.pixels_.reserve(static_cast<size_t>(count) * imageWidth * strip.Height);
    for (int32_t i = 0; i < count; ++i) {
        for (int32_t y = 0; y < strip.Height; ++y) {
            const auto row = strip.Pixels.begin() +
                             static_cast<ptrdiff_t>(y) * strip.Width + i * imageWidth;
            list.pixels_.insert(list.pixels_.end(), row, row + imageWidth);
        }
    }
    list.count_ = count;
    return list;
}

ImageList ImageList::FromImages(const std::vector<Image>& images) {
    if (images.empty()) throw std::invalid_argument("an image list needs at least one image");
    ImageList list(images.front().Width, images.front().Height);
    for (const Image& image : images) list.Add(image);
    return list;
}

int32_t ImageList::Add(const Image& image) {
    if (image.Width != width_ || image.Height != height_) {
        throw std::invalid_argument("image " + std::to_string(image.Width) + "x" +
                                    std::to_string(image.Height) + " does not match the list's " +
                                    std::to_string(width_) + "x" + std::to_string(height_));
    }
    pixels_.insert(pixels_.end(), image.Pixels.begin(), image.Pixels.end());
    return count_++;
}

std::optional<Image> ImageList::GetImage(int32_t index) const {
    if (index < 0 || index >= count_) return std::nullopt;
    Image image(width_, height_);
    const auto first = pixels_.begin() + static_cast<ptrdiff_t>(index) * width_ * height_;
    std::copy(first, first + static_cast<ptrdiff_t>(width_) * height_, image.Pixels.begin());
    return image;
}

std::optional<RECT> ImageList::GetImageRect(int32_t index) const {
    if (index < 0 || index >= count_) return std::nullopt;
    return RECT{index * width_, 0, (index + 1) * width_, height_};
}

bool ImageList::Draw(Surface& target, int32_t index, int32_t x, int32_t y, uint32_t style,
                     COLORREF fg, COLORREF bk, int32_t w, int32_t h) const {
    if (index < 0 || index >= count_) return false;
    const int32_t dw = w > 0 ? std::min(w, width_) : width_;
    const int32_t dh = h > 0 ? std::min(h, height_) : height_;
    const RECT r = IntersectRect(RectFrom64(x, y, int64_t{x} + dw, int64_t{y} + dh),
                                 target.ClipBox());
    if (IsRectEmpty(r)) return true;
    // Quarters of the foreground colour mixed into each pixel; 50% wins over 25%.
    const uint32_t quarters =
        fg == CLR_NONE ? 0 : (style & ILD_BLEND50) ? 2 : (style & ILD_BLEND25) ? 1 : 0;
    const uint32_t fgPixel = ToPixel(fg);
    const COLORREF background = bk == CLR_DEFAULT ? bkColor_ : bk;
    const bool opaque = (style & ILD_TRANSPARENT) == 0 && background != CLR_NONE;
    const uint32_t bkPixel = ToPixel(background);
    const uint32_t* image = pixels_.data() + static_cast<size_t>(index) * width_ * height_;
    for (int32_t py = r.Top; py < r.Bottom; ++py) {
        const uint32_t* src = image + static_cast<size_t>(py - y) * width_ + (r.Left - x);
        uint32_t* dst = target.Pixels() + static_cast<size_t>(py) * target.Width();
        for (int32_t px = r.Left; px < r.Right; ++px, ++src) {
            uint32_t alpha = *src >> 24;
            uint32_t rgb = *src & 0x00FFFFFFu;
            if (alpha == 0 && !opaque) continue;
            if (quarters) rgb = Mix(rgb, fgPixel, quarters);
            if (opaque) {
                rgb = BlendPixel(bkPixel, rgb, alpha);
                alpha = 255;
            }
            dst[px] = alpha == 255 ? rgb : BlendPixel(dst[px], rgb, alpha);
        }
    }
    return true;
}

uint32_t ImageListRegistry::Register(ImageList list) {
    if (next_ > 0x7FFFFFFFu) throw std::length_error("image list handles exhausted");
    const uint32_t handle = next_++;
    lists_.emplace(handle, std::make_unique<ImageList>(std::move(list)));
    return handle;
}

ImageList* ImageListRegistry::Find(uint32_t handle) {
    auto it = lists_.find(handle);
    return it == lists_.end() ? nullptr : it->second.get();
}

const ImageList* ImageListRegistry::Find(uint32_t handle) const {
    auto it = lists_.find(handle);
    return it == lists_.end() ? nullptr : it->second.get();
}

bool ImageListRegistry::Destroy(uint32_t handle) { return lists_.erase(handle) != 0; }

bool DrawIcon(const ImageListRegistry& lists, Surface& target, uint32_t handle, int32_t index,
              int32_t x, int32_t y, bool selected, bool focus, COLORREF selectColor) {
    const ImageList* list = lists.Find(handle);
    if (!list) return false;
    uint32_t style = ILD_TRANSPARENT;
    if (selected) style |= ILD_SELECTED;
    if (focus) style |= ILD_FOCUS;
    return list->Draw(target, index == 0 ? 0 : index - 1, x, y, style, selectColor, CLR_NONE);
}

bool DrawDisabledIcon(const ImageListRegistry& lists, Surface& target, uint32_t handle,
                      int32_t index, int32_t x, int32_t y, COLORREF windowColor) {
    const ImageList* list = lists.Find(handle);
    if (!list) return false;
    return list->Draw(target, index == 0 ? 0 : index - 1, x, y, ILD_TRANSPARENT | ILD_BLEND50,
                      windowColor, CLR_NONE);
}

void DrawEmbossed(Surface& target, const Image& picture, int32_t x, int32_t y, COLORREF highlight,
                  COLORREF shadow) {
    auto inShape = [](uint32_t argb) {
        const uint32_t r = (argb >> 16) & 0xFFu, g = (argb >> 8) & 0xFFu, b = argb & 0xFFu;
        return (argb >> 24) >= 128 && (r * 30 + g * 59 + b * 11) / 100 < 224;
    };
    for (const auto& [dx, color] : {std::pair{1, highlight}, std::pair{0, shadow}}) {
        for (int32_t py = 0; py < picture.Height; ++py) {
            for (int32_t px = 0; px < picture.Width; ++px) {
                if (inShape(picture.At(px, py)))
                    target.SetPixel(ClampToInt32(int64_t{x} + px + dx),
                                    ClampToInt32(int64_t{y} + py + dx), color);
            }
        }
    }
}

ImageList MakeSyntheticImageList(int32_t width, int32_t height, int32_t count) {
    static constexpr uint32_t kPalette[8] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                             0xFFFF00FF, 0xFF00FFFF, 0xFF800000, 0xFF008000};
    if (count < 0 || int64_t{count} * width * height > Surface::kMaxPixels)
        throw std::invalid_argument("synthetic image list count " + std::to_string(count) +
                                    " is out of range");
    ImageList list(width, height);
    for (int32_t i = 0; i < count; ++i) {
        Image image(width, height);
        for (int32_t py = 1; py < height - 1; ++py)
            for (int32_t px = 1; px < width - 1; ++px) image.At(px, py) = kPalette[i % 8];
        list.Add(image);
    }
    return list;
}

}  // namespace glv
