#include "framework/graphics/cursor/cursor.h"

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/graphics_port.h"
#include "framework/graphics/image_name.h"

namespace vorpex {

using rt::Value;

const rt::Class& XCursor::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XCursor", &TWinObject::classRecord(), rt::factoryOf<XCursor>());
        kName = b.addProperty({.name = "cName", .initial = "", .scope = Published, .setter = &XCursor::SetName});
        b.addMethod("New", rt::method(&XCursor::New), Exported | Constructor);
        b.addMethod("Create", rt::method(&XCursor::Create), Exported | Constructor);
        b.addMethod("Load", rt::method(&XCursor::Load));
        b.addMethod("LoadFromResource", rt::method(&XCursor::LoadFromResource));
        b.addMethod("LoadFromFile", rt::method(&XCursor::LoadFromFile));
        b.addMethod("Destroy", rt::method(&XCursor::Destroy));
        b.addMethod("Clone", rt::method(&XCursor::Clone));
        return b.create();
    }();
    return c;
}

const rt::Class& TCursor::classRecord() {
    static const rt::Class& c = userClass<TCursor>("TCursor", XCursor::classRecord());
    return c;
}

Value XCursor::nameFrom(rt::Args args) const { return rt::arg(args, 0).isNil() ? cName() : rt::arg(args, 0); }

void XCursor::release() {
    if (Handle() && !shared_) gfx::graphicsPort().destroyCursor(Handle());
    setHandle(0);
    shared_ = false;
}

Value XCursor::New(rt::Args args) {
    XComponent::New({});
    return Load(args);
}

Value XCursor::Create(rt::Args args) { return New(args); }

Value XCursor::SetName(rt::Args args) {
    Load(args.empty() ? rt::Args() : args.first(1));
    return rt::arg(args, 0);
}

Value XCursor::Load(rt::Args args) {
    const Value name = nameFrom(args);
    switch (gfx::imageSource(name)) {
        case gfx::ImageSource::None:
            release();
            field(kName) = name;
            return selfValue();
        case gfx::ImageSource::File: return LoadFromFile(rt::Args(&name, 1));
        default: return LoadFromResource(rt::Args(&name, 1));
    }
}

Value XCursor::LoadFromResource(rt::Args args) {
    const Value name = nameFrom(args);
    release();
    field(kName) = name;
    gfx::GraphicsPort& port = gfx::graphicsPort();
    switch (gfx::resourceSource(name)) {
        case gfx::ImageSource::System: setHandle(port.loadSystemCursor(name.asInteger())); break;
        case gfx::ImageSource::Resource: setHandle(port.loadResourceCursor(name.asString())); break;
        default: break;
    }
    shared_ = Handle() != 0;
    return selfValue();
}

Value XCursor::LoadFromFile(rt::Args args) {
    const Value name = nameFrom(args);
    release();
    field(kName) = name;
    if (name.isString() && !name.asString().empty()) setHandle(gfx::graphicsPort().loadCursorFile(name.asString()));
    return selfValue();
}

Value XCursor::Destroy(rt::Args) {
    if (!Handle()) return selfValue();
    release();
    field(kName) = Value("");
    return selfValue();
}

Value XCursor::Clone(rt::Args) {
    auto copy = std::static_pointer_cast<XCursor>(TCursor::classRecord().instantiate());
    const Value name = cName();
    return copy->Create(rt::Args(&name, 1));
}

}  // namespace vorpex
