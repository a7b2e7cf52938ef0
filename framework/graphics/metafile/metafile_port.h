// Everything an enhanced metafile asks of the platform, behind one interface, so the class's rules (what a
// recording, a load and a failure leave behind) are tested natively over a stand-in; the Windows build answers
// with the EMF API. Handles cross as integers; 0 is none, and every default answer is that of a platform
// without metafiles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vorpex::gfx {

// The facts of a metafile's header; the description as readableDescription gives it.
struct EmfHeader {
    int64_t type = 0, bytes = 0;
    int64_t boundsWidth = 0, boundsHeight = 0;  // pixels
    int64_t frameWidth = 0, frameHeight = 0;    // hundredths of a millimetre
    int64_t version = 0, records = 0;
    std::string description;
    int64_t devicePixelsX = 0, devicePixelsY = 0;
    int64_t deviceMillimetresX = 0, deviceMillimetresY = 0;
};

class MetafilePort {
public:
    virtual ~MetafilePort() = default;
    // A recording context against the reference context (0: the screen), into the file or memory (""), with
    // the frame {0, 0, width, height} in hundredths of a millimetre and the stored description.
    virtual intptr_t record(intptr_t /*refDc*/, const std::string& /*file*/, int64_t /*width*/, int64_t /*height*/,
                            const std::string& /*description*/) {
        return 0;
    }
    // Ends a recording: the metafile, which the caller then owns.
    virtual intptr_t close(intptr_t /*dc*/) { return 0; }
    virtual intptr_t load(const std::string& /*file*/) { return 0; }
    virtual bool remove(intptr_t /*emf*/) { return false; }
    // Plays the metafile stretched to the rectangle {left, top, right, bottom}.
    virtual bool play(intptr_t /*dc*/, intptr_t /*emf*/, int64_t /*left*/, int64_t /*top*/, int64_t /*right*/,
                      int64_t /*bottom*/) {
        return false;
    }
    // A copy, into the file or memory ("").
    virtual intptr_t copy(intptr_t /*emf*/, const std::string& /*file*/) { return 0; }
    virtual std::optional<EmfHeader> header(intptr_t /*emf*/) { return std::nullopt; }
    virtual bool fileExists(const std::string& /*file*/) { return false; }
};

MetafilePort& metafilePort();
// Installs a port (tests); nullptr goes back to the platform's. The caller keeps it alive while installed.
void setMetafilePort(MetafilePort* port);
MetafilePort& platformMetafilePort();

// The two-part description a recording stores: the application, then the picture, each ended by a NUL, and
// a NUL after both.
std::string storedDescription(const std::string& application, const std::string& picture);
// A stored description as one text: trailing NULs dropped, the NUL between its two parts shown as "#".
std::string readableDescription(std::string stored);
// A frame width in hundredths of a millimetre as pixels of the reference device that is `devicePixels` wide
// over `deviceMillimetres`, plus one, rounded; 0 without a device size.
int64_t referencePixels(int64_t frame, int64_t devicePixels, int64_t deviceMillimetres);

}  // namespace vorpex::gfx
