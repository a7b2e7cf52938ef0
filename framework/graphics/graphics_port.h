// Everything the graphics classes ask of the platform, behind one interface: the classes' rules (use counts,
// re-creation, which creator is called with what) are tested natively over a recording stand-in, and the
// Windows build answers with real GDI and USER objects. Handles cross as integers; 0 is no handle.
#pragma once

#include <cstdint>
#include <string>

namespace vorpex::gfx {

// The platform's font record, as the font class fills it.
struct LogFont {
    int64_t height = 0;
    int64_t width = 0;
    int64_t escapement = 0;
    int64_t orientation = 0;
    int64_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int64_t charSet = 1;
    int64_t outPrecision = 0;
    std::string faceName;  // at most 31 characters
    friend bool operator==(const LogFont&, const LogFont&) = default;
};

struct TextExtent {
    int64_t cx = 0;
    int64_t cy = 0;
};

class GraphicsPort {
public:
    virtual ~GraphicsPort() = default;

    // Fonts and devices.
    virtual intptr_t createFont(const LogFont& font) = 0;
    // LOGPIXELSY of a device context; 0 means the screen.
    virtual int64_t logPixelsY(intptr_t dc) = 0;
    // The extent of `text` in `font` (0: the DC's own) on the window's DC (0: the desktop window).
    virtual TextExtent textExtent(intptr_t font, const std::string& text, intptr_t window) = 0;

    // Brushes and pens.
    virtual intptr_t createSolidBrush(int64_t color) = 0;
    virtual intptr_t createHatchBrush(int64_t style, int64_t color) = 0;
    virtual intptr_t createPatternBrush(intptr_t bitmap) = 0;
    virtual intptr_t createBrushIndirect(int64_t style, int64_t color, int64_t hatch) = 0;
    virtual intptr_t createPen(int64_t style, int64_t width, int64_t color) = 0;
    virtual bool deleteObject(intptr_t object) = 0;

    // Cursors: a system cursor by id, a resource of the program or its registered modules (then a system
    // cursor of that name), a .cur/.ani file.
    virtual intptr_t loadSystemCursor(int64_t id) = 0;
    virtual intptr_t loadResourceCursor(const std::string& name) = 0;
    virtual intptr_t loadCursorFile(const std::string& file) = 0;
    virtual bool destroyCursor(intptr_t cursor) = 0;

    // Icons: a system icon by id, a resource icon of the asked size, icon `index` of a file.
    virtual intptr_t loadSystemIcon(int64_t id) = 0;
    virtual intptr_t loadResourceIcon(const std::string& name, int64_t width, int64_t height) = 0;
    virtual intptr_t extractIcon(const std::string& file, int64_t index) = 0;
    virtual bool destroyIcon(intptr_t icon) = 0;
    virtual bool drawIcon(intptr_t dc, int64_t x, int64_t y, intptr_t icon, int64_t width, int64_t height) = 0;
};

// The port in use: the one installed by setGraphicsPort, else the platform's.
GraphicsPort& graphicsPort();
// Installs a port (tests); nullptr goes back to the platform's. The caller keeps it alive while installed.
void setGraphicsPort(GraphicsPort* port);
// Defined once per platform.
GraphicsPort& platformGraphicsPort();

}  // namespace vorpex::gfx
