// Everything a picture asks of the platform, behind one interface: the class's rules (what loads from where,
// what is tried next, what is kept and released) are tested natively over a stand-in, and the Windows build
// answers with OLE picture objects. Handles cross as integers; 0 is none. Every answer defaults to the
// neutral one, which is what a platform without OLE pictures gives.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vorpex::gfx {

// The picture types: 1 bitmap, 2 metafile, 3 icon, 4 enhanced metafile.
inline constexpr int64_t kPictureBitmap = 1, kPictureMetafile = 2, kPictureIcon = 3, kPictureEnhMetafile = 4;

// One loaded picture and everything it owns: the OLE object, the memory block of the bytes it was read from
// (0 when made from a handle), and the screen bitmap rendered from it once.
struct PictureFacts {
    intptr_t image = 0;
    intptr_t memory = 0;
    int64_t memorySize = 0;  // the bytes in it
    intptr_t picture = 0;  // the GDI handle inside the OLE object; it owns it
    intptr_t rendered = 0;
    intptr_t palette = 0;
    int64_t width = 0, height = 0;
    int64_t logicalWidth = 0, logicalHeight = 0;
    int64_t type = 0;
    bool scalable = false, transparent = false;
};

// A picture read through the outside image library, and the page count of a multi-page file (GIF, TIFF) it
// came from; 0 pages when the library is absent or the file has no pages it counts.
struct LibraryPicture {
    std::optional<PictureFacts> picture;
    int64_t pages = 0;
};

// Where and how to paint: the target rectangle, right and bottom exclusive (a picture drawn at its size has
// right = left + nWidth), and the caller's wishes.
struct PicturePaint {
    intptr_t dc = 0;
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    bool transparent = false, smooth = false;
};

class PicturePort {
public:
    virtual ~PicturePort() = default;

    // A picture from the bytes of an image file (kept in a new memory block); nothing when they are not one.
    virtual std::optional<PictureFacts> fromBytes(const std::string& /*bytes*/) { return std::nullopt; }
    // The same bytes read through the outside image library when it is present (kept in a new memory block).
    virtual LibraryPicture libraryBytes(const std::string& /*bytes*/) { return {}; }
    // Page `page` (from 1) of a multi-page file through the outside image library; no picture when the library
    // is absent, the file is no multi-page GIF or TIFF, or it has no such page.
    virtual LibraryPicture libraryPage(const std::string& /*file*/, int64_t /*page*/) { return {}; }
    // A picture that takes ownership of a GDI handle of the given type.
    virtual std::optional<PictureFacts> fromHandle(int64_t /*type*/, intptr_t /*handle*/, int64_t /*extra1*/,
                                                   int64_t /*extra2*/) {
        return std::nullopt;
    }
    // An icon picture from an icon file, or from the icon resource of that name ("#n" for a number).
    virtual std::optional<PictureFacts> iconFile(const std::string& /*file*/) { return std::nullopt; }
    virtual std::optional<PictureFacts> iconResource(const std::string& /*name*/) { return std::nullopt; }
    // The bytes of the resource of that name and type ("#n" for numbers), from the program's module or the
    // first registered resource module that has it.
    virtual std::optional<std::string> resource(const std::string& /*name*/, const std::string& /*type*/) {
        return std::nullopt;
    }
    // Releases everything the picture owns.
    virtual void release(const PictureFacts&) {}
    // The bytes the picture was loaded from; a picture made from a handle writes itself.
    virtual std::optional<std::string> save(const PictureFacts&) { return std::nullopt; }
    virtual bool paint(const PictureFacts&, const PicturePaint&) { return false; }
};

// The port in use: the one installed by setPicturePort, else the platform's.
PicturePort& picturePort();
// Installs a port (tests); nullptr goes back to the platform's. The caller keeps it alive while installed.
void setPicturePort(PicturePort* port);
// Defined once per platform.
PicturePort& platformPicturePort();

// The resource type of bitmaps, as the resource look-up names it.
inline constexpr const char* kBitmapResourceType = "#2";

// Whether the OLE picture reads the format of these bytes. PNG and TIFF are left to the image library: some
// OLE implementations read them and others do not, and a program must behave the same on each.
bool oleReadsFormat(const std::string& bytes);

// A .bmp file made from the bytes of a bitmap resource (a packed DIB without the file header); nothing when
// the bytes are too short for the header they declare.
std::optional<std::string> bitmapFileFromResource(const std::string& resource);

}  // namespace vorpex::gfx
