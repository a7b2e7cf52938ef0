// Where there are no enhanced metafiles, nothing records, loads or plays.
#include "framework/graphics/metafile/metafile_port.h"

namespace vorpex::gfx {

MetafilePort& platformMetafilePort() {
    static MetafilePort none;
    return none;
}

}  // namespace vorpex::gfx
