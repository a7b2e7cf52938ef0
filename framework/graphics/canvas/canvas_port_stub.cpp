// Where there is no GDI, nothing is drawn and nothing measures.
#include "framework/graphics/canvas/canvas_port.h"

namespace vorpex::gfx {

CanvasPort& platformCanvasPort() {
    static CanvasPort none;
    return none;
}

}  // namespace vorpex::gfx
