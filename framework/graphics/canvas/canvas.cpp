#include "framework/graphics/canvas/canvas.h"

#include <array>
#include <cmath>

#include "framework/core/native/casts.h"
#include "framework/core/native/value_readers.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/object/win_object.h"
#include "framework/graphics/font/font.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using gfx::Axis;

namespace {

using native::numberOf;

constexpr int64_t kWhite = 0xFFFFFF, kBlack = 0;
constexpr uint32_t kDtCalcRect = 0x400;

gfx::CanvasPort& port() { return gfx::canvasPort(); }

// A whole number stays an integer; a fraction (hundredths of an inch, characters) stays a fraction.
Value numberValue(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 9e15) return Value(static_cast<int64_t>(v));
    return Value(v);
}

std::array<double, 4> rectItems(const Value& rect) {
    std::array<double, 4> items{};
    if (!rect.isArray()) return items;
    const auto& list = rect.asArray()->items;
    for (size_t i = 0; i < items.size() && i < list.size(); ++i) items[i] = numberOf(list[i]);
    return items;
}

intptr_t handleOf(const Value& object) {
    auto o = rt::objectAs<XWinObject>(object);
    return o ? o->Handle() : 0;
}

Value pairValue(double a, double b) { return Value::array({numberValue(a), numberValue(b)}); }

}  // namespace

const rt::Class& XCanvas::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XCanvas;
        VPClass b("XCanvas", nullptr, rt::factoryOf<XCanvas>());
        const auto measureData = [&b](const char* name) { return b.addData(name, 0, "N", Exported | ReadOnly); };
        kLogPixelsX = measureData("nLogPixelsX");
        kLogPixelsY = measureData("nLogPixelsY");
        kHorzRes = measureData("nHorzRes");
        kVertRes = measureData("nVertRes");
        kHorzSize = measureData("nHorzSize");
        kVertSize = measureData("nVertSize");
        kPhyHorzRes = measureData("nPhyHorzRes");
        kPhyVertRes = measureData("nPhyVertRes");
        kPhyHorzSize = measureData("nPhyHorzSize");
        kPhyVertSize = measureData("nPhyVertSize");
        kHorzOffset = measureData("nHorzOffset");
        kVertOffset = measureData("nVertOffset");
        kOwnFont = b.addData("lOwnFont", false, "L");
        kOwnPen = b.addData("lOwnPen", false, "L");
        kDevice = b.addData("oDevice", Value(), "O");
        kPenPos = b.addData("aPenPos", pairValue(0, 0), "A");
        kFont = b.addProperty({.name = "oFont", .type = "O", .setter = &X::SetFont});
        kPen = b.addProperty({.name = "oPen", .type = "O", .setter = &X::SetPen});
        kMapMode = b.addProperty({.name = "nMapMode", .initial = 0, .type = "N"});
        kClrPane = b.addProperty({.name = "nClrPane", .type = "N"});
        kTextAlignment = b.addProperty({.name = "nTextAlignment", .initial = 0, .type = "N"});
        kTextVAlignment = b.addProperty({.name = "nTextVAlignment", .initial = 1, .type = "N"});
        kTransparent = b.addProperty({.name = "lTransparent", .initial = true, .type = "L"});
        kDC = b.addProperty({.name = "hDC", .initial = 0, .type = "N"});
        b.addMethod("New", rt::method(&X::Create), Exported | Constructor);
        b.addMethod("Create", rt::method(&X::Create), Exported | Constructor);
        b.addMethod("SetFont", rt::method(&X::SetFont), Protected);
        b.addMethod("SetPen", rt::method(&X::SetPen), Protected);
        addMembers<XCanvas>(b);
        return b.create();
    }();
    return c;
}

// ---- device measures

Value XCanvas::Create(rt::Args args) {
    const Value& given = rt::arg(args, 0);
    field(kDevice) = given.isObject() ? given : rt::publicVar("Screen");
    measure(field(kDevice));
    MoveTo(std::vector<Value>{Value(0), Value(0)});
    return Value(self());
}

Value XCanvas::Reset(rt::Args) { return Create(std::vector<Value>{field(kDevice)}); }

// A device without a context of its own gets one for the measuring only.
void XCanvas::measure(const Value& device) {
    if (!device.isObject()) return;
    const bool madeDC = rt::send(device, "hDC").asInteger() == 0;
    if (madeDC) rt::send(device, "CreateDC");
    const Value resolution = rt::send(device, "Resolution"), paperRes = rt::send(device, "PaperRes"),
                paperSize = rt::send(device, "PaperSize"), physical = rt::send(device, "PaperPhysicalSize"),
                offset = rt::send(device, "PhysicalOffset");
    if (madeDC) rt::send(device, "DeleteDC");
    const gfx::DeviceMeasures d{native::arrayNumber(resolution, 0), native::arrayNumber(resolution, 1), native::arrayNumber(paperRes, 0),
                                native::arrayNumber(paperRes, 1),   native::arrayNumber(paperSize, 0),  native::arrayNumber(paperSize, 1),
                                native::arrayNumber(physical, 0),   native::arrayNumber(physical, 1),   native::arrayNumber(offset, 0),
                                native::arrayNumber(offset, 1)};
    // Without paper the sheet's measures stay 0 and measured() says so; what the device did report is kept.
    const gfx::CanvasMetrics m = gfx::canvasMetrics(d).value_or(gfx::CanvasMetrics{
        d.dpiX, d.dpiY, d.printableWidthPx, d.printableHeightPx, d.printableWidth, d.printableHeight});
    const std::pair<int, int64_t> values[] = {
        {kLogPixelsX, m.nLogPixelsX}, {kLogPixelsY, m.nLogPixelsY},   {kHorzRes, m.nHorzRes},
        {kVertRes, m.nVertRes},       {kHorzSize, m.nHorzSize},       {kVertSize, m.nVertSize},
        {kPhyHorzRes, m.nPhyHorzRes}, {kPhyVertRes, m.nPhyVertRes},   {kPhyHorzSize, m.nPhyHorzSize},
        {kPhyVertSize, m.nPhyVertSize}, {kHorzOffset, m.nHorzOffset}, {kVertOffset, m.nVertOffset}};
    for (const auto& [position, value] : values) field(position) = Value(value);
}

gfx::CanvasMetrics XCanvas::metrics() const {
    const auto at = [this](int position) { return field(position).asInteger(); };
    return {at(kLogPixelsX), at(kLogPixelsY), at(kHorzRes),     at(kVertRes),     at(kHorzSize),   at(kVertSize),
            at(kPhyHorzRes), at(kPhyVertRes), at(kPhyHorzSize), at(kPhyVertSize), at(kHorzOffset), at(kVertOffset)};
}

// ---- units

gfx::MapMode XCanvas::mapMode() const { return gfx::mapModeOf(field(kMapMode).asInteger()); }

gfx::TextExtent XCanvas::characterSize() {
    if (mapMode() != gfx::MapMode::Characters || !hDC()) return {};
    return port().textExtent(hDC(), fontHandle(), "B");
}

double XCanvas::toPixels(double value, Axis axis) {
    const gfx::CanvasMetrics m = metrics();
    const gfx::TextExtent b = characterSize();
    return gfx::toPixels(value, mapMode(), axis, {m, static_cast<double>(b.cx), static_cast<double>(b.cy)});
}

double XCanvas::toMapMode(double pixels, Axis axis) {
    const gfx::CanvasMetrics m = metrics();
    const gfx::TextExtent b = characterSize();
    return gfx::toMapMode(pixels, mapMode(), axis, {m, static_cast<double>(b.cx), static_cast<double>(b.cy)});
}

// GDI takes whole pixels: a fraction is cut, as a number passed to it always was.
gfx::PixelRect XCanvas::rectToPixels(const Value& rect) {
    const auto r = rectItems(rect);
    return {static_cast<int64_t>(toPixels(r[0], Axis::Horizontal)), static_cast<int64_t>(toPixels(r[1], Axis::Vertical)),
            static_cast<int64_t>(toPixels(r[2], Axis::Horizontal)), static_cast<int64_t>(toPixels(r[3], Axis::Vertical))};
}

Value XCanvas::PointToPixels(rt::Args args) {
    const double x = toPixels(numberOf(rt::arg(args, 0)), Axis::Horizontal);
    const double y = toPixels(numberOf(rt::arg(args, 1)), Axis::Vertical);
    if (args.size() > 0 && args[0].isReference()) args[0].assign(numberValue(x));
    if (args.size() > 1 && args[1].isReference()) args[1].assign(numberValue(y));
    return pairValue(x, y);
}

Value XCanvas::RectToPixels(rt::Args args) {
    const auto r = rectItems(rt::arg(args, 0));
    return Value::array({numberValue(toPixels(r[0], Axis::Horizontal)), numberValue(toPixels(r[1], Axis::Vertical)),
                         numberValue(toPixels(r[2], Axis::Horizontal)), numberValue(toPixels(r[3], Axis::Vertical))});
}

Value XCanvas::PixelsToMapMode(rt::Args args) {
    return pairValue(toMapMode(numberOf(rt::arg(args, 0)), Axis::Horizontal),
                     toMapMode(numberOf(rt::arg(args, 1)), Axis::Vertical));
}

Value XCanvas::PixelsToTwips(rt::Args args) {
    const auto r = rectItems(rt::arg(args, 0));
    const gfx::CanvasMetrics m = metrics();
    const Axis axes[] = {Axis::Horizontal, Axis::Vertical, Axis::Horizontal, Axis::Vertical};
    std::vector<Value> items;
    for (size_t i = 0; i < r.size(); ++i) items.push_back(numberValue(gfx::pixelsToTwips(r[i], axes[i], m)));
    return Value::array(std::move(items));
}

// ---- fonts and pens

intptr_t XCanvas::fontHandle() const { return handleOf(oFont()); }
intptr_t XCanvas::penHandle() const { return handleOf(oPen()); }

void XCanvas::dropOwned(int object, int owned) {
    if (field(owned).asLogical() && field(object).isObject()) rt::send(field(object), "Destroy");
    field(object) = Value();
    field(owned) = Value(false);
}

// The canvas draws with its own copy sized for its device. The font it was given is destroyed only when
// nobody shares it: a control's or the application's font (nCount > 0) is not the canvas's to end.
Value XCanvas::SetFont(rt::Args args) {
    dropOwned(kFont, kOwnFont);
    const Value& font = rt::arg(args, 0);
    if (!font.isObject()) return Value();
    field(kFont) = rt::send(font, "Clone", {field(kDevice)});
    field(kOwnFont) = Value(true);
    auto given = rt::objectAs<XFont>(font);
    if (!given || given->nCount() == 0) rt::send(font, "Destroy");
    return field(kFont);
}

Value XCanvas::SelectFont(rt::Args args) {
    dropOwned(kFont, kOwnFont);
    field(kFont) = rt::arg(args, 0);
    return field(kFont);
}

// Pens keep no count of their users, so a pen given to oPen is taken over like an unshared font (its copy
// is sized for the device and the original destroyed); SelectPen lends one instead.
Value XCanvas::SetPen(rt::Args args) {
    dropOwned(kPen, kOwnPen);
    const Value& pen = rt::arg(args, 0);
    if (!pen.isObject()) return Value();
    field(kPen) = rt::send(pen, "Clone", {field(kDevice)});
    field(kOwnPen) = Value(true);
    rt::send(pen, "Destroy");
    return field(kPen);
}

Value XCanvas::SelectPen(rt::Args args) {
    dropOwned(kPen, kOwnPen);
    field(kPen) = rt::arg(args, 0);
    return field(kPen);
}

Value XCanvas::Destroy(rt::Args) {
    dropOwned(kFont, kOwnFont);
    dropOwned(kPen, kOwnPen);
    return Value();
}

// ---- drawing

void XCanvas::setPenPos(const Value& x, const Value& y) { field(kPenPos) = Value::array({x, y}); }

void XCanvas::setPenPosToCorner(const Value& rect) {
    const auto r = rectItems(rect);
    setPenPos(numberValue(r[2]), numberValue(r[3]));
}

Value XCanvas::MoveTo(rt::Args args) {
    if (!hDC()) return Value(false);
    setPenPos(rt::arg(args, 0), rt::arg(args, 1));
    return Value(port().moveTo(hDC(), static_cast<int64_t>(toPixels(numberOf(rt::arg(args, 0)), Axis::Horizontal)),
                               static_cast<int64_t>(toPixels(numberOf(rt::arg(args, 1)), Axis::Vertical))));
}

Value XCanvas::LineTo(rt::Args args) {
    if (!hDC()) return Value(false);
    setPenPos(rt::arg(args, 0), rt::arg(args, 1));
    return Value(port().lineTo(hDC(), static_cast<int64_t>(toPixels(numberOf(rt::arg(args, 0)), Axis::Horizontal)),
                               static_cast<int64_t>(toPixels(numberOf(rt::arg(args, 1)), Axis::Vertical)),
                               penHandle()));
}

std::optional<int64_t> XCanvas::paneColor() const {
    const Value& pane = field(kClrPane);
    return pane.isNumber() ? std::optional<int64_t>(pane.asInteger()) : std::nullopt;
}

gfx::TextLook XCanvas::textLook(const Value& color, int64_t alignment) const {
    gfx::TextLook look;
    look.font = fontHandle();
    look.transparent = field(kTransparent).asLogical();
    if (!look.transparent) look.background = paneColor();
    if (color.isNumber()) look.color = color.asInteger();
    look.alignment = alignment;
    return look;
}

Value XCanvas::TextOut(rt::Args args) {
    if (!hDC()) return Value(false);
    const double x = numberOf(rt::arg(args, 0));
    const Value& y = rt::arg(args, 1);
    const std::string text = rt::arg(args, 2).isString() ? rt::arg(args, 2).asString() : std::string();
    const Value& width = rt::arg(args, 3);
    int64_t widthPx = 0;
    if (width.isNumber()) {
        setPenPos(numberValue(x + width.asDouble()), y);
        widthPx = static_cast<int64_t>(toPixels(width.asDouble(), Axis::Horizontal));
    } else {
        widthPx = port().textExtent(hDC(), fontHandle(), text).cx;
        setPenPos(numberValue(x + toMapMode(static_cast<double>(widthPx), Axis::Horizontal)), y);
    }
    const int64_t alignment = field(kTextAlignment).asInteger();
    const int64_t xPx = static_cast<int64_t>(toPixels(x, Axis::Horizontal));
    const int64_t yPx = static_cast<int64_t>(toPixels(numberOf(y), Axis::Vertical));
    return Value(port().textOut(hDC(), gfx::alignedTextX(xPx, widthPx, alignment), yPx, text,
                                textLook(rt::arg(args, 4), alignment)));
}

// Wrapped text is placed vertically by moving its rectangle down, after measuring it, since DrawText places
// only single lines; the result is the drawn text's height in map units.
Value XCanvas::TextRect(rt::Args args) {
    if (!hDC()) return Value(false);
    gfx::PixelRect r = rectToPixels(rt::arg(args, 0));
    const std::string text = rt::arg(args, 1).isString() ? rt::arg(args, 1).asString() : std::string();
    const gfx::TextLook look = textLook(rt::arg(args, 2), gfx::kTaLeft);
    const bool wordBreak = rt::arg(args, 3).isLogical() ? rt::arg(args, 3).asLogical() : true;
    const uint32_t given = static_cast<uint32_t>(numberOf(rt::arg(args, 4)));
    const int64_t alignment = field(kTextAlignment).asInteger(), vAlignment = field(kTextVAlignment).asInteger();
    const uint32_t flags = gfx::textRectFlags(given, wordBreak, alignment, vAlignment);
    if (gfx::textRectMeasures(given, wordBreak, vAlignment)) {
        const int64_t measured = port().drawText(hDC(), r, text, flags | kDtCalcRect, look);
        r.top += gfx::textRectShift(r.height(), measured, vAlignment);
    }
    const int64_t h = port().drawText(hDC(), r, text, flags, look);
    setPenPos(numberValue(toMapMode(static_cast<double>(r.right), Axis::Horizontal)),
              numberValue(toMapMode(static_cast<double>(r.top + h), Axis::Vertical)));
    return numberValue(toMapMode(static_cast<double>(h), Axis::Vertical));
}

// A brush object draws with its own handle; a colour, or nothing, with a solid brush made and deleted here.
Value XCanvas::FillRect(rt::Args args) {
    if (!hDC()) return Value(false);
    const Value& rect = rt::arg(args, 0);
    const Value& brush = rt::arg(args, 1);
    setPenPosToCorner(rect);
    const gfx::PixelRect r = rectToPixels(rect);
    if (brush.isObject()) return Value(port().fillRect(hDC(), r, handleOf(brush)));
    const int64_t color = brush.isNumber() ? brush.asInteger() : paneColor().value_or(kBlack);
    const intptr_t made = gfx::graphicsPort().createSolidBrush(color);
    const bool done = port().fillRect(hDC(), r, made);
    if (made) gfx::graphicsPort().deleteObject(made);
    return Value(done);
}

Value XCanvas::drawShape(gfx::Shape shape, const Value& rect, const Value& brush, int64_t cornerWidth,
                         int64_t cornerHeight) {
    if (!hDC()) return Value(false);
    setPenPosToCorner(rect);
    const gfx::PixelRect r = rectToPixels(rect);
    if (brush.isObject())
        return Value(port().drawShape(hDC(), shape, r, penHandle(), handleOf(brush), cornerWidth, cornerHeight));
    const intptr_t made = gfx::graphicsPort().createSolidBrush(paneColor().value_or(kWhite));
    const bool done = port().drawShape(hDC(), shape, r, penHandle(), made, cornerWidth, cornerHeight);
    if (made) gfx::graphicsPort().deleteObject(made);
    return Value(done);
}

Value XCanvas::Rectangle(rt::Args args) { return drawShape(gfx::Shape::Rectangle, rt::arg(args, 0), rt::arg(args, 1)); }
Value XCanvas::Ellipse(rt::Args args) { return drawShape(gfx::Shape::Ellipse, rt::arg(args, 0), rt::arg(args, 1)); }

Value XCanvas::RoundRect(rt::Args args) {
    const auto cornerWidth = static_cast<int64_t>(toPixels(numberOf(rt::arg(args, 1)), Axis::Horizontal));
    const auto cornerHeight = static_cast<int64_t>(toPixels(numberOf(rt::arg(args, 2)), Axis::Vertical));
    return drawShape(gfx::Shape::RoundRect, rt::arg(args, 0), Value(), cornerWidth, cornerHeight);
}

// In device pixels: a flood fill starts at a pixel, whatever the map mode.
Value XCanvas::ExtFloodFill(rt::Args args) {
    if (!hDC()) return Value(false);
    const auto at = [&args](size_t i) { return static_cast<int64_t>(numberOf(rt::arg(args, i))); };
    return Value(port().floodFill(hDC(), at(0), at(1), at(2), at(3)));
}

Value XCanvas::DrawPicture(rt::Args args) {
    if (!hDC()) return Value(false);
    const Value& rect = rt::arg(args, 0);
    const Value& picture = rt::arg(args, 1);
    setPenPosToCorner(rect);
    if (!picture.isObject()) return Value(false);
    const gfx::PixelRect r = rectToPixels(rect);
    return rt::send(picture, "Paint", {Value(static_cast<int64_t>(hDC())), Value(r.left), Value(r.top), Value(r.right),
                                  Value(r.bottom)});
}

// No rich edit of this system prints itself; the call is only passed on to an object that can.
Value XCanvas::DrawRichEdit(rt::Args args) {
    if (!hDC()) return Value(false);
    const Value& richEdit = rt::arg(args, 1);
    const gfx::PixelRect r = rectToPixels(rt::arg(args, 0));
    setPenPos(numberValue(toMapMode(static_cast<double>(r.right), Axis::Horizontal)),
              numberValue(toMapMode(static_cast<double>(r.bottom), Axis::Vertical)));
    if (!richEdit.isObject()) return Value(false);
    const Value pixelRect = Value::array({Value(r.left), Value(r.top), Value(r.right), Value(r.bottom)});
    return rt::send(richEdit, "PrintBox", {Value(static_cast<int64_t>(hDC())), pixelRect, rt::arg(args, 2), Value(3)});
}

// ---- measuring

Value XCanvas::TextExtent(rt::Args args) {
    const std::string text = rt::arg(args, 0).isString() ? rt::arg(args, 0).asString() : std::string();
    const gfx::TextExtent e = hDC() ? port().textExtent(hDC(), fontHandle(), text) : gfx::TextExtent{};
    return Value::array({Value(e.cx), Value(e.cy)});
}

Value XCanvas::TextWidth(rt::Args args) { return TextExtent(args).asArray()->items[0]; }
Value XCanvas::TextHeight(rt::Args args) { return TextExtent(args).asArray()->items[1]; }

Value XCanvas::TextLines(rt::Args) {
    const Value b("B");
    const int64_t height = TextHeight(rt::Args(&b, 1)).asInteger();
    return Value(height > 0 ? field(kVertRes).asInteger() / height : 0);
}

// ---- TRect

const rt::Class& XRect::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XRect", nullptr, rt::factoryOf<XRect>());
        kLeft = b.addData("nLeft", 0, "N");
        kTop = b.addData("nTop", 0, "N");
        kRight = b.addData("nRight", 0, "N");
        kBottom = b.addData("nBottom", 0, "N");
        b.addMethod("New", rt::method(&XRect::New), rt::scope::Exported | rt::scope::Constructor);
        addMembers<XRect>(b);
        return b.create();
    }();
    return c;
}

Value XRect::New(rt::Args args) {
    const auto r = rectItems(rt::arg(args, 0));
    const int positions[] = {kLeft, kTop, kRight, kBottom};
    for (size_t i = 0; i < r.size(); ++i) field(positions[i]) = numberValue(r[i]);
    return Value(self());
}

Value XRect::AsArray() { return Value::array({field(kLeft), field(kTop), field(kRight), field(kBottom)}); }

}  // namespace vorpex
