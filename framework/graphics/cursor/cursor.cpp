#include "framework/graphics/cursor/cursor.h"

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/graphics_port.h"

namespace vorpex {

using rt::Value;

const rt::Class& XCursor::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XCursor", &TWinObject::classRecord(), rt::factoryOf<XCursor>());
        kName = b.addProperty({.name = "cName", .initial = "", .scope = Published, .setter = &XCursor::SetName});
        addMembers<XCursor>(b);
        b.addMethod("Load", rt::method(&XCursor::Load));
        b.addMethod("LoadFromResource", rt::method(&XCursor::LoadFromResource));
        b.addMethod("LoadFromFile", rt::method(&XCursor::LoadFromFile));
        b.addMethod("Destroy", rt::method(&XCursor::Destroy));
        return b.create();
    }();
    return c;
}

intptr_t XCursor::loadSystem(int64_t id) { return gfx::graphicsPort().loadSystemCursor(id); }

intptr_t XCursor::loadResource(const std::string& name) { return gfx::graphicsPort().loadResourceCursor(name); }

intptr_t XCursor::loadFile(const std::string& file, rt::Args) { return gfx::graphicsPort().loadCursorFile(file); }

void XCursor::destroyHandle(intptr_t handle) { gfx::graphicsPort().destroyCursor(handle); }

Value XCursor::New(rt::Args args) {
    XComponent::New({});
    return Load(args);
}

Value XCursor::Create(rt::Args args) { return New(args); }

Value XCursor::Clone(rt::Args) {
    auto copy = std::static_pointer_cast<XCursor>(TCursor::classRecord().instantiate());
    const Value name = cName();
    return copy->Create(rt::Args(&name, 1));
}

}  // namespace vorpex
