// What a canvas asks of a device context, behind one interface, so that its rules (nothing drawn on no
// context, which brushes it makes and deletes, which font and pen each call uses) are tested natively over a
// recording stand-in; the Windows build draws with GDI. Every call gives back what it selected or changed in
// the context, except the current position that MoveTo and LineTo move on purpose. Handles cross as integers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/graphics/graphics_port.h"

namespace vorpex::gfx {

struct PixelRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    int64_t height() const { return bottom - top; }
};

// How text is drawn: its font (0: the context's), background, colour and the context's text alignment.
struct TextLook {
    intptr_t font = 0;
    bool transparent = true;
    std::optional<int64_t> background;
    std::optional<int64_t> color;
    int64_t alignment = 0;
};

enum class Shape { Rectangle, Ellipse, RoundRect };

class CanvasPort {
public:
    virtual ~CanvasPort() = default;
    virtual bool moveTo(intptr_t /*dc*/, int64_t /*x*/, int64_t /*y*/) { return false; }
    // A line from the current position with `pen` (0: the context's).
    virtual bool lineTo(intptr_t /*dc*/, int64_t /*x*/, int64_t /*y*/, intptr_t /*pen*/) { return false; }
    virtual bool textOut(intptr_t /*dc*/, int64_t /*x*/, int64_t /*y*/, const std::string& /*text*/,
                         const TextLook& /*look*/) {
        return false;
    }
    // DrawText: the height of the text in pixels (measured only, with DT_CALCRECT among the flags); 0 on failure.
    virtual int64_t drawText(intptr_t /*dc*/, const PixelRect& /*r*/, const std::string& /*text*/,
                             uint32_t /*flags*/, const TextLook& /*look*/) {
        return 0;
    }
    virtual TextExtent textExtent(intptr_t /*dc*/, intptr_t /*font*/, const std::string& /*text*/) { return {}; }
    virtual bool fillRect(intptr_t /*dc*/, const PixelRect& /*r*/, intptr_t /*brush*/) { return false; }
    // A shape outlined with `pen` (0: the context's) and filled with `brush`; the corner sizes are RoundRect's.
    virtual bool drawShape(intptr_t /*dc*/, Shape /*shape*/, const PixelRect& /*r*/, intptr_t /*pen*/,
                           intptr_t /*brush*/, int64_t /*cornerWidth*/, int64_t /*cornerHeight*/) {
        return false;
    }
    virtual bool floodFill(intptr_t /*dc*/, int64_t /*x*/, int64_t /*y*/, int64_t /*color*/, int64_t /*type*/) {
        return false;
    }
};

CanvasPort& canvasPort();
// Installs a port (tests); nullptr goes back to the platform's. The caller keeps it alive while installed.
void setCanvasPort(CanvasPort* port);
CanvasPort& platformCanvasPort();

}  // namespace vorpex::gfx
