#include "framework/graphics/graphics_port.h"

namespace vorpex::gfx {

namespace {
GraphicsPort* installed = nullptr;
}

GraphicsPort& graphicsPort() { return installed ? *installed : platformGraphicsPort(); }

void setGraphicsPort(GraphicsPort* port) { installed = port; }

}  // namespace vorpex::gfx
