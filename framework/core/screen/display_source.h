// What the Screen object reads from the display, behind one interface so that the object's rules can be
// tested without a display. The Windows build reads the real display; elsewhere there is none.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/native/geometry.h"

namespace vorpex {

struct ScreenMetrics {
    intptr_t desktop = 0;  // the desktop window
    Rect workArea;         // the screen without the task bar
    int64_t width = 0;
    int64_t height = 0;
    int64_t smallCaptionHeight = 0;
};

// Device capabilities of a display device context.
struct DisplayCaps {
    int64_t pixelsPerInchX = 0;
    int64_t pixelsPerInchY = 0;
    int64_t bitsPerPixel = 0;
    int64_t planes = 0;
    int64_t horzRes = 0;   // pixels
    int64_t vertRes = 0;
    int64_t horzSize = 0;  // millimetres
    int64_t vertSize = 0;
};

struct MonitorFacts {
    intptr_t handle = 0;
    std::string name;
    bool primary = false;
    Rect bounds;
    Rect work;
};

class DisplaySource {
public:
    virtual ~DisplaySource() = default;
    virtual ScreenMetrics metrics() = 0;
    // Read from a temporary memory DC; nothing when none can be made.
    virtual std::optional<DisplayCaps> caps() = 0;
    virtual std::vector<intptr_t> monitors() = 0;
    virtual std::optional<MonitorFacts> monitorInfo(intptr_t monitor) = 0;
    virtual intptr_t monitorFromWindow(intptr_t window, int flags) = 0;
    virtual intptr_t createDisplayDC() = 0;
    virtual bool deleteDC(intptr_t dc) = 0;
};

// The source in use: the one installed by setDisplaySource, else the platform's.
DisplaySource& displaySource();
// Installs a source (tests); nullptr goes back to the platform's. The caller keeps it alive while installed.
void setDisplaySource(DisplaySource* source);
// Defined once per platform.
DisplaySource& platformDisplaySource();

}  // namespace vorpex
