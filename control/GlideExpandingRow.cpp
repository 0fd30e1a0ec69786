#include "control/GlideExpandingRow.h"

#include <cmath>

#include "core/Dispatch.h"
#include "platform/Form.h"
#include "platform/GeometryLimits.h"
#include "platform/PropertyBag.h"

namespace glv {

GlideExpandingRow::GlideExpandingRow(Platform& platform, Container& container, HWND parent,
                                     std::string name, int32_t width, int32_t height)
    : platform_(platform), container_(container), name_(std::move(name)) {
    hwnd_ = platform_.windows.CreateWindow(parent, "GlideExpandingRow", {0, 0, width, height});
    platform_.windows.SetFocusable(hwnd_, false);
    RegisterSurface(platform_.windows, hwnd_, &surface_);
    width_ = width * container_.TwipsPerPixelX;
    height_ = height * container_.TwipsPerPixelY;
    Place();
}

GlideExpandingRow::~GlideExpandingRow() { platform_.windows.DestroyWindow(hwnd_); }

void GlideExpandingRow::SetBackColor(OLE_COLOR color) {
    backColor_ = color;
    container_.PropertyChanged("BackColor");
    Paint();
}

void GlideExpandingRow::SetctrlLeft(float twips) {
    left_ = twips;
    Place();
}

void GlideExpandingRow::SetctrlTop(float twips) {
    top_ = twips;
    Place();
}

void GlideExpandingRow::SetctrlWidth(int32_t twips) {
    const bool changed = twips != width_;
    width_ = twips;
    Place();
    if (changed) Resized();
}

void GlideExpandingRow::SetctrlHeight(int32_t twips) {
    const bool changed = twips != height_;
    height_ = twips;
    Place();
    if (changed) Resized();
}

void GlideExpandingRow::SetctrlVisible(bool visible) { platform_.windows.SetVisible(hwnd_, visible); }

bool GlideExpandingRow::Visible() const { return platform_.windows.IsVisible(hwnd_); }

void GlideExpandingRow::SetAllowUpdate(bool allow) {
    allowUpdate_ = allow;
    if (allow) Resized();
}

void GlideExpandingRow::ReadProperties(const PropertyBag& bag) {
    const Variant value = bag.ReadProperty("BackColor", Variant(static_cast<int32_t>(kDefaultBackColor)));
    backColor_ = static_cast<OLE_COLOR>(value.ToLong(DefaultLocale()));
    Paint();
}

void GlideExpandingRow::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty("BackColor", Variant(static_cast<int32_t>(backColor_)),
                      Variant(static_cast<int32_t>(kDefaultBackColor)));
}

// Twips to pixels of the window, truncated as the form places its controls.
// The window follows the host's twips, no larger than a surface can be (ctrlWidth and
// ctrlHeight keep what the host set).
void GlideExpandingRow::Place() {
    const int32_t tx = std::max(container_.TwipsPerPixelX, 1);
    const int32_t ty = std::max(container_.TwipsPerPixelY, 1);
    const WindowPlacement placement{static_cast<int32_t>(std::trunc(left_ / static_cast<float>(tx))),
                                    static_cast<int32_t>(std::trunc(top_ / static_cast<float>(ty))),
                                    ClampSurfaceSide(width_ / tx), ClampSurfaceSide(height_ / ty)};
    const WindowPlacement old = platform_.windows.Placement(hwnd_);
    platform_.windows.SetPlacement(hwnd_, placement);
    if (old.width != placement.width || old.height != placement.height || surface_.Width() != placement.width ||
        surface_.Height() != placement.height) {
        surface_ = Surface(placement.width, placement.height);
        Paint();
    }
}

void GlideExpandingRow::Paint() { surface_.FillRect(surface_.Bounds(), platform_.system.Resolve(backColor_)); }

// The host lays its child windows out in the row's inner width, in twips.
void GlideExpandingRow::Resized() {
    if (allowUpdate_ && events_) events_->ExpandingRowResize(width_);
}

namespace {

using R = GlideExpandingRow;

// clang-format off
constexpr Member<R> kRowMembers[] = {
    {"BackColor", MemberKind::Property, 0, 0, [](R& r, Args) { return Variant(static_cast<int32_t>(r.BackColor())); },
     [](R& r, Args, const Variant& v) { r.SetBackColor(static_cast<OLE_COLOR>(v.ToLong(DefaultLocale()))); }},
    {"ctrlName", MemberKind::Property, 0, 0, [](R& r, Args) { return Variant(r.ctrlName()); }},
    {"ctrlLeft", MemberKind::Property, 0, 0, [](R& r, Args) { return Variant(r.ctrlLeft()); },
     [](R& r, Args, const Variant& v) { r.SetctrlLeft(v.ToSingle(DefaultLocale())); }},
    {"ctrlTop", MemberKind::Property, 0, 0, [](R& r, Args) { return Variant(r.ctrlTop()); },
     [](R& r, Args, const Variant& v) { r.SetctrlTop(v.ToSingle(DefaultLocale())); }},
    {"ctrlWidth", MemberKind::Property, 0, 0, [](R& r, Args) { return Variant(r.ctrlWidth()); },
     [](R& r, Args, const Variant& v) { r.SetctrlWidth(v.ToLong(DefaultLocale())); }},
    {"ctrlHeight", MemberKind::Property, 0, 0, [](R& r, Args) { return Variant(r.ctrlHeight()); },
     [](R& r, Args, const Variant& v) { r.SetctrlHeight(v.ToLong(DefaultLocale())); }},
    {"ctrlVisible", MemberKind::Property, 0, 0, [](R& r, Args) { return Variant(r.Visible()); },
     [](R& r, Args, const Variant& v) { r.SetctrlVisible(v.ToBoolean(DefaultLocale())); }},
    {"AllowUpdate", MemberKind::Property, 0, 0, [](R& r, Args) { return Variant(r.AllowUpdate()); },
     [](R& r, Args, const Variant& v) { r.SetAllowUpdate(v.ToBoolean(DefaultLocale())); }},
};
// clang-format on

}  // namespace

Variant GlideExpandingRow::Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) {
    return InvokeFromTable<R>(kRowMembers, *this, member, kind, args);
}

}  // namespace glv
