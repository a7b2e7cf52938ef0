// XScreen: the display as one object (the public `Screen`): its size, work area, resolution, monitors and the
// three shared cursors controls use, plus the output-device calls it shares with the printer object so that
// fonts, pens and the canvas measure against either. TScreen is its user class; TDisplayMonitor describes one
// monitor.
#pragma once

#include <array>
#include <cstdint>

#include "framework/core/object/component.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/screen/display_source.h"

namespace vorpex {

class TDisplayMonitor : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();

    intptr_t Handle() const { return static_cast<intptr_t>(field(kHandle).asInteger()); }
    bool lPrimary() const { return field(kPrimary).asLogical(); }
    void fill(const MonitorFacts& facts);

    rt::Value Initialize(rt::Args args);  // (hMonitor) -> Self

private:
    static inline int kHandle = -1, kName = -1, kPrimary = -1, kLeft = -1, kTop = -1, kWidth = -1, kHeight = -1,
                      kClientLeft = -1, kClientTop = -1, kClientWidth = -1, kClientHeight = -1;
};

class XScreen : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    VP_METHODS(End, GetValues, AddMonitor, Resolution, PaperRes, PaperSize, PhysicalOffset, CreateDC, DeleteDC)

    // Typed reads for framework code.
    int64_t nWidth() const { return field(kWidth).asInteger(); }
    int64_t nHeight() const { return field(kHeight).asInteger(); }
    int64_t nPixelsPerInch() const { return field(kPixelsPerInch).asInteger(); }
    int64_t nMonitors() const { return field(kMonitors).asInteger(); }
    const rt::Value& aMonitors() const { return field(kMonitorList); }
    intptr_t hDC() const { return static_cast<intptr_t>(field(kDC).asInteger()); }
    const rt::Value& oCursorArrow() const { return field(kCursorArrow); }
    const rt::Value& oCursorDropYes() const { return field(kCursorDropYes); }
    const rt::Value& oCursorDropNo() const { return field(kCursorDropNo); }

    // The entry of aMonitors with that monitor handle, else the first entry; NIL when the list is empty.
    rt::Value monitorFor(intptr_t monitor) const;
    // The monitor entry of a window (MonitorFromWindow with `flags`, 2 = nearest) by the rule above.
    rt::Value monitorOfWindow(intptr_t window, int flags = 2) const;

    rt::Value Initialize(rt::Args args);

private:
    static inline int kWidth = -1, kHeight = -1, kClientLeft = -1, kClientTop = -1, kClientWidth = -1,
                      kClientHeight = -1, kCaptionHeight = -1, kPixelsPerInch = -1, kBitsPerPixel = -1,
                      kColorPlanes = -1, kMonitors = -1, kMonitorList = -1, kHandle = -1, kDC = -1,
                      kCursorArrow = -1, kCursorDropYes = -1, kCursorDropNo = -1;
};

using TScreen = UserClass<XScreen, "TScreen">;

// A cursor object made through the cursor class by name (`TCursor():New(x)`); NIL while the graphics
// library has not registered it.
rt::Value makeCursorObject(const rt::Value& name);

// The first entry of `monitors` whose Handle is `monitor`, else the first entry; NIL for an empty list.
rt::Value pickMonitor(const rt::Value& monitors, intptr_t monitor);

// Registers MONITORFROMWINDOW and the class functions TScreen and TDisplayMonitor.
void registerScreen();

}  // namespace vorpex
