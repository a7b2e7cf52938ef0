#include "framework/graphics/canvas/canvas_port.h"

namespace vorpex::gfx {

namespace {
CanvasPort* installedCanvasPort = nullptr;
}

CanvasPort& canvasPort() { return installedCanvasPort ? *installedCanvasPort : platformCanvasPort(); }
void setCanvasPort(CanvasPort* port) { installedCanvasPort = port; }

}  // namespace vorpex::gfx
