#include "framework/controls/image/image.h"

#include <windows.h>

#include <optional>

#include "framework/controls/image/image_rules.h"
#include "framework/controls/painters/painter_support.h"
#include "framework/core/native/casts.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/paint/control_paint.h"
#include "framework/graphics/picture/picture.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;

std::optional<image::Extent> pictureExtent(const Value& picture) {
    if (!picture.isObject()) return std::nullopt;
    return image::Extent{rt::send(picture, "nWidth").asInteger(), rt::send(picture, "nHeight").asInteger()};
}

// The picture painter: the background, then the picture fitted into the client area or over the scrolled
// virtual area.
Value paintImage(rt::Object& self, const rt::Method&, rt::Args args) {
    return painters::inPaintFrame(self, args, [&self](HWND window, HDC dc) {
        const RECT client = painters::clientRect(window);
        VP_DrawControlBackground(self, dc, client);
        auto& control = static_cast<XImage&>(self);
        const Value picture = control.oPicture();
        const std::optional<image::Extent> size = pictureExtent(picture);
        if (!size) return;
        const image::Box box =
            control.lAutoFit()
                ? image::fittedBox(*size, {client.right - client.left, client.bottom - client.top})
                : image::scrolledBox(control.nClientLeft(), control.nClientTop(),
                                     {control.nVirtualWidth(), control.nVirtualHeight()});
        rt::send(picture, "Paint",
                 {native::handleValue(reinterpret_cast<intptr_t>(dc)), number(box.left), number(box.top),
                  number(box.right), number(box.bottom), rt::send(self, "lTransparent"),
                  rt::send(self, "lSmooth")});
    });
}

Value answer(int64_t n) { return Value(n); }

}  // namespace

const rt::Class& XImage::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XImage;
        VPClass b("XImage", &TScrollingWinControl::classRecord(), rt::factoryOf<XImage>());
        b.addProperty({.name = "nWidth", .initial = 100, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 100, .scope = Published});
        b.addProperty({.name = "nClrPane", .initial = 0xFFFFFF, .scope = Published});
        b.addProperty({.name = "lTabStop", .initial = true, .scope = Published});
        kPicture = b.addProperty({.name = "oPicture", .type = "TPicture", .scope = Published, .setter = &X::SetPicture});
        kZoom = b.addProperty({.name = "nZoom", .initial = 100, .type = "N", .scope = Published, .setter = &X::SetZoom});
        b.addProperty({.name = "nBorderStyle", .initial = 4, .scope = Published});
        b.addProperty({.name = "lTransparent", .initial = false, .scope = Published});
        kSmooth = b.addProperty({.name = "lSmooth", .initial = false, .type = "L", .scope = Published});
        kAutoFit = b.addProperty(
            {.name = "lAutoFit", .initial = false, .type = "L", .scope = Published, .setter = &X::SetAutoFit});
        b.record().redeclareField(kCtlStyle, number(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP), "N");
        b.addProperty({.name = "cText", .scope = Protected});
        for (const char* unused : {"lBorder", "l3D", "lParentFont", "nClrText", "oFont", "nBkgndMode", "oBkgnd"})
            b.addProperty({.name = unused, .scope = Hidden});
        addMembers<XImage>(b);
        b.addMethod("WMEraseBkgnd", [](rt::Object&, const rt::Method&, rt::Args) { return answer(1); });
        b.addMethod("WMPaint", paintImage);
        b.addMethod("WMPrintClient", paintImage);
        return b.create();
    }();
    return c;
}

Value XImage::SetPicture(rt::Args args) {
    const Value& given = rt::arg(args, 0);
    if (given.isObject() && given.sameAs(oPicture())) {
        updateVirtualSize();
        return oPicture();
    }
    Value next;
    bool made = false;
    if (given.isObject()) {
        next = given;
    } else if (!given.isNil()) {
        next = rt::send(Value(TPicture::classRecord().instantiate()), "Create", {given});
        made = true;
    }
    dropPicture();
    field(kPicture) = next;
    ownsPicture_ = made;
    updateVirtualSize();
    Redraw({});
    return next;
}

void XImage::dropPicture() {
    const Value old = oPicture();
    field(kPicture) = Value();
    if (ownsPicture_ && old.isObject()) rt::send(old, "Destroy");
    ownsPicture_ = false;
}

Value XImage::SetZoom(rt::Args args) {
    const Value& zoom = rt::arg(args, 0);
    if (zoom.isNumber() && image::zoomAccepted(zoom.asInteger())) {
        field(kZoom) = number(zoom.asInteger());
        updateVirtualSize();
    }
    return field(kZoom);
}

Value XImage::SetAutoFit(rt::Args args) {
    if (rt::arg(args, 0).isLogical()) field(kAutoFit) = rt::arg(args, 0);
    updateVirtualSize();
    Redraw({});
    return field(kAutoFit);
}

void XImage::updateVirtualSize() {
    const image::Extent v = image::virtualSize(lAutoFit(), pictureExtent(oPicture()), nZoom(), painters::appScale());
    SetVirtualSize(std::vector<Value>{number(v.width), number(v.height)});
}

Value XImage::AlignControls(rt::Args args) {
    Redraw({});
    return XScrollingWinControl::AlignControls(args);
}

Value XImage::Free(rt::Args args) {
    dropPicture();
    return TScrollingWinControl::Free(args);
}

// A click takes the focus, as a control in the tab order does.
Value XImage::WMLButtonDown(rt::Args args) {
    if (field(kTabStop).asLogical() && windowExists()) ::SetFocus(reinterpret_cast<HWND>(Handle()));
    return TScrollingWinControl::WMLButtonDown(args);
}

}  // namespace vorpex
