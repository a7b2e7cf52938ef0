// Where there is no Windows nothing can be made: every handle is 0.
#include "framework/graphics/graphics_port.h"

namespace vorpex::gfx {

namespace {

class NoGraphics final : public GraphicsPort {
public:
    intptr_t createFont(const LogFont&) override { return 0; }
    int64_t logPixelsY(intptr_t) override { return 0; }
    TextExtent textExtent(intptr_t, const std::string&, intptr_t) override { return {}; }
    intptr_t createSolidBrush(int64_t) override { return 0; }
    intptr_t createHatchBrush(int64_t, int64_t) override { return 0; }
    intptr_t createPatternBrush(intptr_t) override { return 0; }
    intptr_t createBrushIndirect(int64_t, int64_t, int64_t) override { return 0; }
    intptr_t createPen(int64_t, int64_t, int64_t) override { return 0; }
    bool deleteObject(intptr_t) override { return false; }
    intptr_t loadSystemCursor(int64_t) override { return 0; }
    intptr_t loadResourceCursor(const std::string&) override { return 0; }
    intptr_t loadCursorFile(const std::string&) override { return 0; }
    bool destroyCursor(intptr_t) override { return false; }
    intptr_t loadSystemIcon(int64_t) override { return 0; }
    intptr_t loadResourceIcon(const std::string&, int64_t, int64_t) override { return 0; }
    intptr_t extractIcon(const std::string&, int64_t) override { return 0; }
    bool destroyIcon(intptr_t) override { return false; }
    bool drawIcon(intptr_t, int64_t, int64_t, intptr_t, int64_t, int64_t) override { return false; }
};

}  // namespace

GraphicsPort& platformGraphicsPort() {
    static NoGraphics none;
    return none;
}

}  // namespace vorpex::gfx
