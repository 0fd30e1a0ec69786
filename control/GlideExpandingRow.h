#pragma once
// GlideExpandingRow: the library's second control, a plain container that the host fills with
// its own child windows and hands to a GlideListView (SetExpandingRowRTControls), which shows it
// as an extra band under the current item.
//
// Its position and size are kept in twips, as the host's form keeps those of every control;
// the window itself is placed in pixels (twips / twips per pixel, truncated). While the host
// allows updates (AllowUpdate), every change of size raises ExpandingRowResize with the inner
// width in twips, so the host can lay its child windows out again.

#include <cstdint>
#include <string>

#include "platform/Container.h"
#include "platform/Platform.h"
#include "platform/Surface.h"
#include "platform/Variant.h"

namespace glv {

class PropertyBag;

class GlideExpandingRowEvents {
public:
    virtual ~GlideExpandingRowEvents() = default;
    virtual void ExpandingRowResize(int32_t lWidth) = 0;
};

class GlideExpandingRow final : public Object {
public:
    static constexpr OLE_COLOR kDefaultBackColor = 0xFFFFFF;

    // A new row control named `name` (the host's name for it) on `parent`, at a position and
    // size in pixels.
    GlideExpandingRow(Platform& platform, Container& container, HWND parent, std::string name,
                      int32_t width = 300, int32_t height = 60);
    ~GlideExpandingRow() override;
    GlideExpandingRow(const GlideExpandingRow&) = delete;
    GlideExpandingRow& operator=(const GlideExpandingRow&) = delete;

    std::string TypeName() const override { return "GlideExpandingRow"; }
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;

    void SetEventSink(GlideExpandingRowEvents* events) { events_ = events; }
    HWND hwnd() const { return hwnd_; }

    OLE_COLOR BackColor() const { return backColor_; }
    void SetBackColor(OLE_COLOR color);
    const std::string& ctrlName() const { return name_; }
    float ctrlLeft() const { return left_; }
    void SetctrlLeft(float twips);
    float ctrlTop() const { return top_; }
    void SetctrlTop(float twips);
    int32_t ctrlWidth() const { return width_; }
    void SetctrlWidth(int32_t twips);
    int32_t ctrlHeight() const { return height_; }
    void SetctrlHeight(int32_t twips);
    void SetctrlVisible(bool visible);
    bool Visible() const;
    // Stores the flag; True runs the resize handling at once.
    void SetAllowUpdate(bool allow);
    bool AllowUpdate() const { return allowUpdate_; }

    // "BackColor" is its one persisted property.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

private:
    void Place();
    void Paint();
    void Resized();

    Platform& platform_;
    Container& container_;
    HWND hwnd_ = 0;
    std::string name_;
    Surface surface_;
    GlideExpandingRowEvents* events_ = nullptr;
    OLE_COLOR backColor_ = kDefaultBackColor;
    float left_ = 0, top_ = 0;          // twips
    int32_t width_ = 0, height_ = 0;    // twips
    bool allowUpdate_ = false;
};

}  // namespace glv
