// XCanvas: a drawing surface over the device context of an output device (the screen, the printer, or a
// preview page recorded against the printer). Coordinates are given in its map mode and converted to device
// pixels with the device's measures; each operation selects the canvas's font and pen for the call and gives
// the context back as it found it. A plain value object: the caller assigns the context to draw on (`hDC`),
// and nothing is drawn while it is 0. TCanvas is its user class; TRect is the small rectangle object of the
// conversions.
#pragma once

#include <cstdint>
#include <optional>

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/graphics/canvas/canvas_geometry.h"
#include "framework/graphics/canvas/canvas_port.h"
#include "runtime/core/class.h"
#include "runtime/core/object.h"

namespace vorpex {

class XCanvas : public rt::Object {
public:
    explicit XCanvas(const rt::Class& cls) : rt::Object(cls) {}
    static const rt::Class& classRecord();
    // ([oDevice]) -> Self; the screen when none is given. New is the same.
    rt::Value Create(rt::Args args);
    VP_METHODS(Reset, Destroy, SelectFont, SelectPen, MoveTo, LineTo, TextOut, TextRect, FillRect, Rectangle,
               Ellipse, RoundRect, ExtFloodFill, DrawPicture, DrawRichEdit, TextExtent, TextWidth, TextHeight,
               TextLines, PointToPixels, RectToPixels, PixelsToMapMode, PixelsToTwips)

    intptr_t hDC() const { return static_cast<intptr_t>(field(kDC).asInteger()); }
    void setDC(intptr_t dc) { field(kDC) = rt::Value(static_cast<int64_t>(dc)); }
    // False when the device reported no paper: every millimetre or inch on it would be 0 pixels.
    bool measured() const { return field(kPhyHorzRes).asInteger() > 0; }
    const rt::Value& oFont() const { return field(kFont); }
    const rt::Value& oPen() const { return field(kPen); }

private:
    static inline int kLogPixelsX = -1, kLogPixelsY = -1, kHorzRes = -1, kVertRes = -1, kHorzSize = -1,
                      kVertSize = -1, kPhyHorzRes = -1, kPhyVertRes = -1, kPhyHorzSize = -1, kPhyVertSize = -1,
                      kHorzOffset = -1, kVertOffset = -1, kOwnFont = -1, kOwnPen = -1, kDevice = -1, kPenPos = -1,
                      kFont = -1, kPen = -1, kMapMode = -1, kClrPane = -1, kTextAlignment = -1,
                      kTextVAlignment = -1, kTransparent = -1, kDC = -1;

    rt::Value SetFont(rt::Args args);
    rt::Value SetPen(rt::Args args);

    void measure(const rt::Value& device);
    gfx::CanvasMetrics metrics() const;
    gfx::MapMode mapMode() const;
    gfx::TextExtent characterSize();
    double toPixels(double value, gfx::Axis axis);
    double toMapMode(double pixels, gfx::Axis axis);
    gfx::PixelRect rectToPixels(const rt::Value& rect);
    intptr_t fontHandle() const;
    intptr_t penHandle() const;
    gfx::TextLook textLook(const rt::Value& color, int64_t alignment) const;
    std::optional<int64_t> paneColor() const;
    void setPenPos(const rt::Value& x, const rt::Value& y);
    void setPenPosToCorner(const rt::Value& rect);
    void dropOwned(int object, int owned);
    rt::Value drawShape(gfx::Shape shape, const rt::Value& rect, const rt::Value& brush, int64_t cornerWidth = 0,
                        int64_t cornerHeight = 0);
};

using TCanvas = UserClass<XCanvas, "TCanvas">;

class XRect : public rt::Object {
public:
    explicit XRect(const rt::Class& cls) : rt::Object(cls) {}
    static const rt::Class& classRecord();
    rt::Value New(rt::Args args);  // (aRect) -> Self
    VP_QUERIES(AsArray)

private:
    static inline int kLeft = -1, kTop = -1, kRight = -1, kBottom = -1;
};

using TRect = UserClass<XRect, "TRect">;

}  // namespace vorpex
