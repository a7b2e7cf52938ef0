// Everything the image list asks of the platform, behind one interface: the class's rules (numbering from 1,
// what is remembered for re-creation, when the owner is told) are tested natively over a stand-in, and the
// Windows build answers with real common-controls image lists. Lists cross as integers; 0 is no list. A
// handle that is not a live list answers like 0. Indexes here are the platform's own (zero-based, -1 = none
// or all). Every answer defaults to the neutral one, which is what a platform without image lists gives.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/core/value.h"

namespace vorpex::gfx {

struct ImageSize {
    int64_t width = 0;
    int64_t height = 0;
};

struct ImageInfo {
    intptr_t image = 0;
    intptr_t mask = 0;
};

// The system drag image: its list, the drag position and the hot spot.
struct DragImage {
    intptr_t list = 0;
    int64_t x = 0, y = 0;
    int64_t hotX = 0, hotY = 0;
};

// The colour values of the common controls: no colour, and the list's own default.
inline constexpr int64_t kColorNone = 0xFFFFFFFF;
inline constexpr int64_t kColorDefault = 0xFF000000;

class ImageListPort {
public:
    virtual ~ImageListPort() = default;

    virtual int64_t screenColorBits() { return 0; }
    virtual intptr_t create(int64_t, int64_t, int64_t /*flags*/, int64_t /*initial*/, int64_t /*grow*/) { return 0; }
    virtual bool destroy(intptr_t) { return false; }

    // A named image (text) or a bitmap handle (number), greyed when asked; the new index or -1.
    virtual int64_t add(intptr_t, const rt::Value& /*image*/, bool /*disabled*/) { return -1; }
    // Icon `name` of the list's size from the resources, else icon `index` of the file `name`.
    virtual int64_t addIcon(intptr_t, const std::string&, int64_t /*index*/, int64_t /*width*/, int64_t /*height*/) {
        return -1;
    }
    virtual int64_t addMasked(intptr_t, const rt::Value& /*image*/, int64_t /*maskColor*/) { return -1; }
    // A bitmap of the caller's own, copied (0 when it is no bitmap); and such a copy let go. `add` deletes a
    // bitmap handle it is given, so the list keeps a copy of each to rebuild itself from.
    virtual intptr_t copyBitmap(intptr_t /*bitmap*/) { return 0; }
    virtual void deleteBitmap(intptr_t /*bitmap*/) {}
    virtual bool remove(intptr_t, int64_t /*index; -1 all*/) { return false; }
    virtual int64_t count(intptr_t) { return 0; }
    virtual std::optional<ImageSize> iconSize(intptr_t) { return std::nullopt; }
    virtual bool setIconSize(intptr_t, int64_t, int64_t) { return false; }

    virtual intptr_t icon(intptr_t, int64_t /*index*/, int64_t /*flags*/) { return 0; }
    virtual int64_t replaceIcon(intptr_t, int64_t /*index; -1 appends*/, intptr_t /*icon*/) { return -1; }
    virtual std::optional<ImageInfo> imageInfo(intptr_t, int64_t) { return std::nullopt; }
    virtual int64_t bkColor(intptr_t) { return kColorNone; }
    virtual int64_t setBkColor(intptr_t, int64_t) { return kColorNone; }
    virtual intptr_t duplicate(intptr_t) { return 0; }
    virtual bool draw(intptr_t, int64_t /*index*/, intptr_t /*dc*/, int64_t /*x*/, int64_t /*y*/, int64_t /*style*/) {
        return false;
    }
    virtual bool drawEx(intptr_t, int64_t, intptr_t, int64_t, int64_t, int64_t /*width*/, int64_t /*height*/,
                        int64_t /*bk*/, int64_t /*fg*/, int64_t /*style*/) {
        return false;
    }
    // Image `src` over `dst`, or the two swapped.
    virtual bool copy(intptr_t, int64_t /*dst*/, int64_t /*src*/, bool /*swap*/) { return false; }
    // A new screen-compatible bitmap of the image size with the image drawn at 0, 0.
    virtual intptr_t bitmap(intptr_t, int64_t /*index*/, int64_t /*style*/) { return 0; }

    virtual bool setOverlayImage(intptr_t, int64_t, int64_t) { return false; }
    virtual intptr_t merge(intptr_t, int64_t, intptr_t, int64_t, int64_t, int64_t) { return 0; }
    virtual bool beginDrag(intptr_t, int64_t, int64_t, int64_t) { return false; }
    virtual bool setDragCursorImage(intptr_t, int64_t, int64_t, int64_t) { return false; }
    virtual bool endDrag() { return false; }
    virtual bool dragEnter(intptr_t /*window*/, int64_t, int64_t) { return false; }
    virtual bool dragLeave(intptr_t /*window*/) { return false; }
    virtual bool dragMove(int64_t, int64_t) { return false; }
    virtual bool dragShowNolock(bool) { return false; }
    virtual DragImage dragImage() { return {}; }

    // The list in the common controls' stream format, and a new list from such bytes (0 when they are not one).
    virtual std::optional<std::string> save(intptr_t) { return std::nullopt; }
    virtual intptr_t load(const std::string&) { return 0; }
};

// The port in use: the one installed by setImageListPort, else the platform's.
ImageListPort& imageListPort();
// Installs a port (tests); nullptr goes back to the platform's. The caller keeps it alive while installed.
void setImageListPort(ImageListPort* port);
// Defined once per platform.
ImageListPort& platformImageListPort();

// The creation flags of a list made without any: the screen's colour depth, no mask.
int64_t colorFlagsForScreen(int64_t colorBits);

// Registers IMAGELIST_CREATE, IMAGELIST_ADD, IMAGELIST_DESTROY and IMAGELIST_GETICON.
void registerImageListFunctions();

}  // namespace vorpex::gfx
