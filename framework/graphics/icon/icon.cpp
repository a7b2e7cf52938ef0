#include "framework/graphics/icon/icon.h"

#include "framework/core/native/native_args.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/graphics_port.h"
#include "framework/graphics/image_name.h"

namespace vorpex {

using rt::Value;

const rt::Class& XIcon::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XIcon", &TWinObject::classRecord(), rt::factoryOf<XIcon>());
        kName = b.addProperty({.name = "cName", .initial = "", .scope = Published, .setter = &XIcon::SetName});
        kWidth = b.addProperty({.name = "nWidth", .initial = 32, .type = "N"});
        kHeight = b.addProperty({.name = "nHeight", .initial = 32, .type = "N"});
        addMembers<XIcon>(b);
        b.addMethod("Load", rt::method(&XIcon::Load));
        b.addMethod("LoadFromResource", rt::method(&XIcon::LoadFromResource));
        b.addMethod("LoadFromFile", rt::method(&XIcon::LoadFromFile));
        b.addMethod("Destroy", rt::method(&XIcon::Destroy));
        return b.create();
    }();
    return c;
}

intptr_t XIcon::loadSystem(int64_t id) { return gfx::graphicsPort().loadSystemIcon(id); }

intptr_t XIcon::loadResource(const std::string& name) {
    return gfx::graphicsPort().loadResourceIcon(name, nWidth(), nHeight());
}

intptr_t XIcon::loadFile(const std::string& file, rt::Args args) {
    return gfx::graphicsPort().extractIcon(file, native::intArg(args, 1));
}

void XIcon::destroyHandle(intptr_t handle) { gfx::graphicsPort().destroyIcon(handle); }

Value XIcon::Create(rt::Args args) {
    XComponent::Create({});
    if (!rt::arg(args, 0).isNil()) field(kName) = rt::arg(args, 0);
    if (native::isNumberArg(args, 1)) field(kWidth) = rt::arg(args, 1);
    if (native::isNumberArg(args, 2)) field(kHeight) = rt::arg(args, 2);
    if (gfx::imageSource(cName()) != gfx::ImageSource::None) Load({});
    return selfValue();
}

Value XIcon::Clone(rt::Args) {
    auto copy = std::static_pointer_cast<XIcon>(TIcon::classRecord().instantiate());
    const Value name = cName();
    return copy->Create(rt::Args(&name, 1));
}

Value XIcon::Paint(rt::Args args) {
    const intptr_t dc = native::handleArg(args, 0);
    if (!Handle() || !dc) return Value(false);
    const int64_t left = native::intArg(args, 1), top = native::intArg(args, 2);
    const int64_t right = native::intArg(args, 3), bottom = native::intArg(args, 4);
    return Value(gfx::graphicsPort().drawIcon(dc, left, top, Handle(), right - left, bottom - top));
}

}  // namespace vorpex
