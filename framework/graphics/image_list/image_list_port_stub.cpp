// Where there are no common controls, every list operation gives its neutral answer.
#include "framework/graphics/image_list/image_list_port.h"

namespace vorpex::gfx {

ImageListPort& platformImageListPort() {
    static ImageListPort none;
    return none;
}

}  // namespace vorpex::gfx
