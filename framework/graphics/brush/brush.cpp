#include "framework/graphics/brush/brush.h"

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/graphics_port.h"

namespace vorpex {

using rt::Value;

namespace gfx {

constexpr int64_t kHollowStyle = 1;  // BS_NULL

// "Empty" here means unset: 0 is a hatch style (HS_HORIZONTAL) and a colour (black) like any other.
BrushRecipe brushRecipe(const Value& style, const Value& color, const Value& bitmap) {
    if (!style.isNil()) return {BrushKind::Hatch, style.asInteger(), color.asInteger(), 0};
    if (!bitmap.isNil()) return {BrushKind::Pattern, 0, 0, static_cast<intptr_t>(bitmap.asInteger())};
    if (!color.isNil()) return {BrushKind::Solid, 0, color.asInteger(), 0};
    return {BrushKind::Hollow, kHollowStyle, 0, 0};
}

intptr_t makeBrush(const BrushRecipe& r) {
    GraphicsPort& port = graphicsPort();
    switch (r.kind) {
        case BrushKind::Hatch: return port.createHatchBrush(r.style, r.color);
        case BrushKind::Pattern: return port.createPatternBrush(r.bitmap);
        case BrushKind::Solid: return port.createSolidBrush(r.color);
        case BrushKind::Hollow: return port.createBrushIndirect(kHollowStyle, 0, 0);
    }
    return 0;
}

}  // namespace gfx

const rt::Class& XBrush::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XBrush", &TWinObject::classRecord(), rt::factoryOf<XBrush>());
        auto store = [](int& position) {
            return rt::NativeMethod([&position](rt::Object& self, const rt::Method&, rt::Args a) {
                return static_cast<XBrush&>(self).StoreAndRecreate(position, rt::arg(a, 0));
            });
        };
        kStyle = b.addProperty({.name = "nStyle", .type = "N", .scope = Published, .setter = store(kStyle)});
        kColor = b.addProperty({.name = "nColor", .type = "N", .scope = Published, .setter = store(kColor)});
        kBitmap = b.addProperty({.name = "hBitmap", .type = "N", .scope = Published, .setter = store(kBitmap)});
        addMembers<XBrush>(b);
        return b.create();
    }();
    return c;
}

Value XBrush::Create(rt::Args args) {
    const int positions[] = {kStyle, kColor, kBitmap};
    for (size_t i = 0; i < 3; ++i)
        if (!rt::arg(args, i).isNil()) field(positions[i]) = rt::arg(args, i);
    Destroy({});
    setHandle(gfx::makeBrush(gfx::brushRecipe(field(kStyle), field(kColor), field(kBitmap))));
    return selfValue();
}

Value XBrush::Destroy(rt::Args) {
    if (Handle()) gfx::graphicsPort().deleteObject(Handle());
    setHandle(0);
    return {};
}

Value XBrush::Clone(rt::Args) {
    auto copy = std::static_pointer_cast<XBrush>(TBrush::classRecord().instantiate());
    const Value args[] = {field(kStyle), field(kColor), field(kBitmap)};
    return copy->Create(args);
}

Value XBrush::StoreAndRecreate(int position, const Value& v) {
    field(position) = v;
    if (Handle()) Create({});
    return v;
}

}  // namespace vorpex
