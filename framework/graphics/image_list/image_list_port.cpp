#include "framework/graphics/image_list/image_list_port.h"

#include "framework/core/native/native_args.h"

namespace vorpex::gfx {

namespace {
ImageListPort* installed = nullptr;
}

ImageListPort& imageListPort() { return installed ? *installed : platformImageListPort(); }
void setImageListPort(ImageListPort* port) { installed = port; }

int64_t colorFlagsForScreen(int64_t colorBits) {
    if (colorBits <= 4) return 4;
    if (colorBits <= 8) return 8;
    if (colorBits <= 16) return 16;
    return 24;
}

void registerImageListFunctions() {
    using namespace native;
    registerCallable("IMAGELIST_CREATE", [](Args a) -> Value {
        ImageListPort& port = imageListPort();
        const int64_t flags = isNumberArg(a, 2) ? intArg(a, 2) : colorFlagsForScreen(port.screenColorBits());
        return Value(static_cast<int64_t>(port.create(intArg(a, 0), intArg(a, 1), flags, intArg(a, 3), intArg(a, 4))));
    });
    registerCallable("IMAGELIST_ADD", [](Args a) -> Value {
        return Value(imageListPort().add(handleArg(a, 0), rt::arg(a, 1), logicalArg(a, 2)) + 1);
    });
    registerCallable("IMAGELIST_DESTROY", [](Args a) -> Value { return Value(imageListPort().destroy(handleArg(a, 0))); });
    registerCallable("IMAGELIST_GETICON", [](Args a) -> Value {
        return Value(static_cast<int64_t>(imageListPort().icon(handleArg(a, 0), intArg(a, 1) - 1, intArg(a, 2))));
    });
}

}  // namespace vorpex::gfx
