// The control's image-list slots and the icon primitives, bound by handle and through an
// image-list object.
//
// Test ideas not yet written: a header-image slot bound by object drawn by the header painter;
// ListImage.Picture through dispatch once pictures are automation objects.
#include <gtest/gtest.h>

#include "tests/support/list_fixture.h"
#include "platform/AutomationError.h"
#include "platform/ImageListObject.h"
#include "render/ImageLists.h"

namespace glv {
namespace {

using test::ListFixture;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

int32_t ErrorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        return e.Number;
    }
    return 0;
}

std::string SlotText(const ImageListSlot& s) {
    return std::to_string(s.handle != 0) + (s.object ? " object " : " handle ") +
           std::to_string(s.width) + "x" + std::to_string(s.height);
}

// A host object that is not the common-controls list: probed like one, kept by handle only.
class OtherList : public Object {
public:
    OtherList(int32_t handle, bool failProbe) : handle_(handle), failProbe_(failProbe) {}
    std::string TypeName() const override { return "GlideImageList"; }
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override {
        if (member == "ListImages") {
            if (failProbe_) RaiseRuntimeError(runtime_error::kSubscriptOutOfRange);
            return ObjectPtr(std::make_shared<OtherList>(handle_, false));
        }
        if (member == "Draw") return Variant();
        if (member == "hImagelist") return handle_;
        return Object::Invoke(member, kind, args);
    }

private:
    int32_t handle_;
    bool failProbe_;
};

TEST(ImageListSlots, BindingByHandleObjectAndBadValues) {
    ListFixture f;
    GlideListView& l = *f;
    const auto handle = static_cast<int32_t>(f.platform.imageLists.Register(MakeSyntheticImageList(16, 12, 4)));
    auto slot = [&] { return SlotText(l.ImageListSlotAt(LVSmallIcon)); };

    l.SetImageList(int32_t{LVSmallIcon}, handle);
    EXPECT_EQ(slot(), "1 handle 16x12");
    EXPECT_EQ(l.SmallIconHeight(), 12);
    EXPECT_EQ(l.SmallIconWidth(), 16);

    // A slot outside 0..3 changes nothing.
    EXPECT_EQ(ErrorNumber([&] { l.SetImageList(int32_t{4}, handle); }), 9);
    EXPECT_EQ(ErrorNumber([&] { l.SetImageList(int32_t{-1}, int32_t{0}); }), 9);
    EXPECT_EQ(slot(), "1 handle 16x12");

    // Neither an object nor a Long: the documented error, and the slot is left cleared.
    try {
        l.SetImageList(int32_t{LVSmallIcon}, "a list");
        ADD_FAILURE() << "a string was bound";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number, static_cast<int32_t>(0x80040419u));
        EXPECT_EQ(e.Description, "ImageList property expects GlideImageList object or Long hImageList handle.");
        EXPECT_TRUE(e.Source.ends_with("GlideSuite ListView.")) << e.Source;
    }
    EXPECT_EQ(slot(), "0 handle 0x0");
    EXPECT_EQ(ErrorNumber([&] { l.SetImageList(int32_t{LVSmallIcon}, int16_t{1}); }), static_cast<int32_t>(0x80040419u));

    // An unknown handle is stored as it is, with no size to read.
    l.SetImageList(int32_t{LVSmallIcon}, int32_t{12345});
    EXPECT_EQ(slot(), "1 handle 0x0");
    l.SetImageList(int32_t{LVSmallIcon}, int32_t{0});
    EXPECT_EQ(slot(), "0 handle 0x0");

    // The common-controls list object is kept; another object by its handle only; a probe that
    // fails, an empty list and Nothing leave the slot empty.
    auto object = std::make_shared<ImageListObject>(f.platform, static_cast<uint32_t>(handle));
    l.SetImageList(int32_t{LVHeaderImages}, ObjectPtr(object));
    EXPECT_EQ(SlotText(l.ImageListSlotAt(LVHeaderImages)), "1 object 16x12");
    EXPECT_EQ(l.ImageListSlotAt(LVHeaderImages).handle, static_cast<uint32_t>(handle));
    l.SetImageList(int32_t{LVHeaderImages}, ObjectPtr(std::make_shared<OtherList>(handle, false)));
    EXPECT_EQ(SlotText(l.ImageListSlotAt(LVHeaderImages)), "1 handle 16x12");
    l.SetImageList(int32_t{LVHeaderImages}, ObjectPtr(std::make_shared<OtherList>(handle, true)));
    EXPECT_EQ(SlotText(l.ImageListSlotAt(LVHeaderImages)), "0 handle 0x0");
    const auto emptyHandle = f.platform.imageLists.Register(ImageList(16, 16));
    l.SetImageList(int32_t{LVHeaderImages}, ObjectPtr(std::make_shared<ImageListObject>(f.platform, emptyHandle)));
    EXPECT_EQ(SlotText(l.ImageListSlotAt(LVHeaderImages)), "0 handle 0x0");
    l.SetImageList(int32_t{LVHeaderImages}, ObjectPtr());
    EXPECT_EQ(SlotText(l.ImageListSlotAt(LVHeaderImages)), "0 handle 0x0");
}

struct IconCanvas {
    Platform platform;
    Surface surface{40, 12, RGB(255, 255, 255)};
    HDC hdc = platform.deviceContexts.Register(surface);
    uint32_t handle = platform.imageLists.Register(MakeSyntheticImageList(8, 8, 4));
    IconTarget target{platform, surface, hdc, 15, 15, 0x80000000u | syscolor::kHighlight};
    ImageListSlot byHandle{handle, nullptr, 8, 8};
    ImageListSlot byObject{handle, std::make_shared<ImageListObject>(platform, handle), 8, 8};
    // The centre pixel of an 8 x 8 icon drawn at (x, 2).
    COLORREF At(int32_t x) const { return surface.GetPixel(x + 4, 6); }
};

TEST(IconDrawing, HandleBoundIconsIndexesAndBlends) {
    IconCanvas c;
    DrawSlotIcon(c.target, c.byHandle, 0, 0, 2, false, false);
    DrawSlotIcon(c.target, c.byHandle, 1, 10, 2, false, false);
    DrawSlotIcon(c.target, c.byHandle, 2, 20, 2, false, false);
    EXPECT_EQ(c.At(0), kRed);  // 0 and 1 both draw the first image
    EXPECT_EQ(c.At(10), kRed);
    EXPECT_EQ(c.At(20), kGreen);
    EXPECT_EQ(c.surface.GetPixel(20, 2), kWhite);  // the transparent margin

    // Selected: half the selection colour (system highlight, #316AC5) blended in.
    DrawSlotIcon(c.target, c.byHandle, 1, 30, 2, true, false);
    const COLORREF selected = c.At(30);
    EXPECT_GT(GetRValue(selected), 49);
    EXPECT_LT(GetRValue(selected), 255);
    EXPECT_GT(GetBValue(selected), 0);
    // Disabled: half the window colour (white).
    c.surface.FillRect(c.surface.Bounds(), RGB(0, 0, 0));
    DrawSlotDisabledIcon(c.target, c.byHandle, 1, 0, 2);
    EXPECT_EQ(c.At(0), RGB(255, 128, 128));

    // An empty slot draws nothing.
    DrawSlotIcon(c.target, ImageListSlot{}, 1, 10, 2, false, false);
    EXPECT_EQ(c.At(10), RGB(0, 0, 0));
}

TEST(IconDrawing, ObjectBoundIconsDrawThroughListImagesInTwips) {
    IconCanvas c;
    DrawSlotIcon(c.target, c.byObject, 2, 10, 2, true, true);  // flags have no effect here
    EXPECT_EQ(c.At(10), kGreen);
    EXPECT_EQ(c.surface.GetPixel(11, 3), kGreen);  // its top-left opaque pixel: (x + 1, y + 1)
    DrawSlotIcon(c.target, c.byObject, 0, 20, 2, false, false);  // no ListImages(0): nothing
    EXPECT_EQ(c.At(20), kWhite);

    // Disabled through an object: the picture embossed in the 3-D colours.
    DrawSlotDisabledIcon(c.target, c.byObject, 1, 30, 2);
    EXPECT_EQ(c.At(30), c.platform.system.Resolve(0x80000000u | syscolor::kBtnShadow));
}

TEST(IconDrawing, ImageListObjectMembersByName) {
    IconCanvas c;
    ObjectPtr list = c.byObject.object;
    auto call = [&](const ObjectPtr& o, std::string_view member, std::vector<Variant> args) {
        return o->Invoke(member, CallKind::Method, args);
    };
    EXPECT_EQ(list->TypeName(), "ImageList");
    EXPECT_EQ(call(list, "hImagelist", {}).ToLong(), static_cast<int32_t>(c.handle));
    EXPECT_EQ(call(list, "imagewidth", {}).ToLong(), 8);
    EXPECT_EQ(call(list, "ImageHeight", {}).ToLong(), 8);
    EXPECT_EQ(ErrorNumber([&] { call(list, "ListImages", {int32_t{0}}); }), 9);
    EXPECT_EQ(ErrorNumber([&] { call(list, "ListImages", {int32_t{5}}); }), 9);
    EXPECT_EQ(ErrorNumber([&] { call(list, "ListImages", {}); }), 450);
    EXPECT_EQ(ErrorNumber([&] { call(list, "Nonsense", {}); }), 438);

    const ObjectPtr image = call(list, "ListImages", {int32_t{3}}).ToObject();
    EXPECT_EQ(image->TypeName(), "ListImage");
    EXPECT_EQ(call(image, "Index", {}).ToLong(), 3);
    EXPECT_EQ(ErrorNumber([&] { call(image, "Draw", {c.hdc, 0, 0, int32_t{9}}); }), 5);
    call(image, "Draw", {c.hdc, int32_t{150}, int32_t{30}, int32_t{imlTransparent}});  // (10, 2)
    EXPECT_EQ(c.At(10), RGB(0, 0, 255));
    call(image, "Draw", {int32_t{0}, 0, 0});  // no such device context: nothing, no error
    EXPECT_EQ(c.surface.GetPixel(4, 6), kWhite);
}

}  // namespace
}  // namespace glv
