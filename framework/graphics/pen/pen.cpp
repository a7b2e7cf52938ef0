#include "framework/graphics/pen/pen.h"

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/graphics_port.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

int64_t gfx::penDeviceWidth(int64_t width, int64_t deviceDpi, int64_t screenDpi) {
    if (screenDpi == 0) return 0;
    return deviceDpi * width / screenDpi;
}

const rt::Class& XPen::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XPen", &TWinObject::classRecord(), rt::factoryOf<XPen>());
        kDevice = b.addData("oDevice", Value(), "O", Exported | ReadOnly);
        auto store = [](int& position) {
            return rt::NativeMethod([&position](rt::Object& self, const rt::Method&, rt::Args a) {
                return static_cast<XPen&>(self).StoreAndRecreate(position, rt::arg(a, 0));
            });
        };
        kStyle = b.addProperty({.name = "nStyle", .initial = 0, .type = "N", .setter = store(kStyle)});
        kColor = b.addProperty({.name = "nColor", .initial = 0, .type = "N", .setter = store(kColor)});
        kWidth = b.addProperty({.name = "nWidth", .initial = 1, .type = "N", .setter = store(kWidth)});
        addMembers<XPen>(b);
        return b.create();
    }();
    return c;
}

Value XPen::New(rt::Args args) { return Create(args); }

Value XPen::Create(rt::Args args) {
    const int positions[] = {kStyle, kWidth, kColor};
    for (size_t i = 0; i < 3; ++i)
        if (!rt::arg(args, i).isNil()) field(positions[i]) = rt::arg(args, i);
    if (rt::arg(args, 3).isObject()) field(kDevice) = rt::arg(args, 3);
    Destroy({});
    setHandle(gfx::graphicsPort().createPen(field(kStyle).asInteger(), deviceWidth(), field(kColor).asInteger()));
    return selfValue();
}

int64_t XPen::deviceWidth() const {
    const int64_t width = field(kWidth).asInteger();
    const Value& device = oDevice();
    if (!device.isObject()) return width;
    const Value resolution = rt::send(device, "Resolution");
    const int64_t deviceDpi = resolution.isArray() ? resolution.asArray()->at1(1).asInteger() : 0;
    const Value screen = rt::publicVar("Screen");
    const int64_t screenDpi = screen.isObject() ? rt::send(screen, "nPixelsPerInch").asInteger() : 0;
    return gfx::penDeviceWidth(width, deviceDpi, screenDpi);
}

Value XPen::Destroy(rt::Args) {
    if (Handle()) gfx::graphicsPort().deleteObject(Handle());
    setHandle(0);
    return {};
}

Value XPen::Clone(rt::Args args) {
    const Value device = rt::arg(args, 0).isObject() ? rt::arg(args, 0) : oDevice();
    auto copy = std::static_pointer_cast<XPen>(TPen::classRecord().instantiate());
    const Value createArgs[] = {field(kStyle), field(kWidth), field(kColor), device};
    return copy->Create(createArgs);
}

Value XPen::StoreAndRecreate(int position, const Value& v) {
    field(position) = v;
    if (Handle()) Create({});
    return v;
}

}  // namespace vorpex
