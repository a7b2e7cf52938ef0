// Where there are no OLE pictures, nothing loads and nothing paints.
#include "framework/graphics/picture/picture_port.h"

namespace vorpex::gfx {

PicturePort& platformPicturePort() {
    static PicturePort none;
    return none;
}

}  // namespace vorpex::gfx
