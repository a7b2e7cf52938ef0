#include "framework/graphics/metafile/metafile_port.h"

#include <cmath>

namespace vorpex::gfx {

namespace {
MetafilePort* installedMetafilePort = nullptr;
}

MetafilePort& metafilePort() { return installedMetafilePort ? *installedMetafilePort : platformMetafilePort(); }
void setMetafilePort(MetafilePort* port) { installedMetafilePort = port; }

std::string storedDescription(const std::string& application, const std::string& picture) {
    std::string d = application;
    d += '\0';
    d += picture;
    d += '\0';
    d += '\0';
    return d;
}

std::string readableDescription(std::string stored) {
    while (!stored.empty() && stored.back() == '\0') stored.pop_back();
    if (stored.size() <= 1) return stored;
    if (const size_t nul = stored.find('\0'); nul != std::string::npos) stored[nul] = '#';
    return stored;
}

int64_t referencePixels(int64_t frame, int64_t devicePixels, int64_t deviceMillimetres) {
    if (deviceMillimetres <= 0) return 0;
    return std::llround(static_cast<double>(frame) * static_cast<double>(devicePixels) /
                            (static_cast<double>(deviceMillimetres) * 100) +
                        1);
}

}  // namespace vorpex::gfx
