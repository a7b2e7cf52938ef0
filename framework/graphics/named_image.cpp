#include "framework/graphics/named_image.h"

#include "framework/graphics/image_name.h"

namespace vorpex {

using rt::Value;

Value XNamedImage::nameFrom(rt::Args args) const {
    return rt::arg(args, 0).isNil() ? cName() : rt::arg(args, 0);
}

Value XNamedImage::renameFrom(rt::Args args) {
    const Value name = nameFrom(args);
    release();
    field(nameField()) = name;
    return name;
}

void XNamedImage::release() {
    if (Handle() && !shared_) destroyHandle(Handle());
    setHandle(0);
    shared_ = false;
}

Value XNamedImage::SetName(rt::Args args) {
    Load(args.empty() ? rt::Args() : args.first(1));
    return rt::arg(args, 0);
}

Value XNamedImage::Load(rt::Args args) {
    const Value name = nameFrom(args);
    switch (gfx::imageSource(name)) {
        case gfx::ImageSource::None:
            release();
            field(nameField()) = name;
            return selfValue();
        case gfx::ImageSource::File: return LoadFromFile(rt::Args(&name, 1));
        default: return LoadFromResource(rt::Args(&name, 1));
    }
}

Value XNamedImage::LoadFromResource(rt::Args args) {
    const Value name = renameFrom(args);
    switch (gfx::resourceSource(name)) {
        case gfx::ImageSource::System:
            setHandle(loadSystem(name.asInteger()));
            shared_ = Handle() != 0;
            break;
        case gfx::ImageSource::Resource:
            setHandle(loadResource(name.asString()));
            shared_ = sharesResources() && Handle() != 0;
            break;
        default: break;
    }
    return selfValue();
}

Value XNamedImage::LoadFromFile(rt::Args args) {
    const Value name = renameFrom(args);
    if (name.isString() && !name.asString().empty()) setHandle(loadFile(name.asString(), args));
    return selfValue();
}

Value XNamedImage::Destroy(rt::Args) {
    if (!Handle()) return selfValue();
    release();
    field(nameField()) = Value("");
    return selfValue();
}

}  // namespace vorpex
