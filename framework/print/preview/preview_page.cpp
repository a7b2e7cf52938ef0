#include "framework/print/preview/preview_page.h"

#include <windows.h>

#include "framework/controls/painters/painter_support.h"
#include "framework/core/control/control.h"
#include "framework/core/native/native_args.h"
#include "framework/core/object/object_bridge.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace preview;

namespace {

constexpr int64_t kDefaultDpi = 300, kScreenDpi = 96, kMmsPerInch = 2540;

Value number(int64_t n) { return Value(n); }
Value pair(int64_t a, int64_t b) { return Value::array({Value(a), Value(b)}); }

int64_t pairItem(const Value& v, size_t i) {
    if (!v.isArray() || v.asArray()->items.size() <= i || !v.asArray()->items[i].isNumber()) return 0;
    return v.asArray()->items[i].asInteger();
}

int64_t member(const Value& o, const char* name) {
    const Value v = sendIfUnderstood(o, name);
    return v.isNumber() ? v.asInteger() : 0;
}

bool keyDown(int key) { return GetKeyState(key) < 0; }

// A zoom a handler answered: a positive number, else none.
bool isZoom(const Value& v) { return v.isNumber() && v.asDouble() > 0; }

}  // namespace

const rt::Class& XPreviewPage::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XPreviewPage;
        VPClass b("XPreviewPage", &TScrollingWinControl::classRecord(), rt::factoryOf<XPreviewPage>());
        kPrinterRes = b.addData("aPrinterRes", pair(kDefaultDpi, kDefaultDpi), "A");
        kLandscape = b.addData("lLandScape", false, "L");
        kAspectRatio = b.addData("nAspectRatio", 1, "N");
        kEmfTop = b.addData("nEmfTop", 0, "N");
        kEmfLeft = b.addData("nEmfLeft", 0, "N");
        kEmfWidth = b.addData("nEmfWidth", 0, "N");
        kEmfHeight = b.addData("nEmfHeight", 0, "N");
        kEmfHorz100 = b.addData("nEmfHorz100", 0, "N");
        kEmfVert100 = b.addData("nEmfVert100", 0, "N");
        kOffsetX = b.addData("nOffsetX", 0, "N");
        kOffsetY = b.addData("nOffsetY", 0, "N");
        kOffsetX100 = b.addData("nOffsetX100", 0, "N");
        kOffsetY100 = b.addData("nOffsetY100", 0, "N");
        b.addData("nClassStyle", CS_VREDRAW | CS_HREDRAW, "N", Protected);
        kCursor2 = b.addData("oCursor2", Value(), "O", Protected);
        b.addProperty({.name = "nWidth", .initial = 100, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 100, .scope = Published});
        b.addProperty({.name = "lBorder", .initial = true, .scope = Published});
        b.addProperty({.name = "lTabStop", .initial = true, .scope = Published});
        b.addProperty({.name = "nClrPane", .initial = number(GetSysColor(COLOR_INACTIVEBORDER)), .type = "N",
                       .scope = Published, .editor = "PE_Color"});
        kZoomFactor = b.addProperty({.name = "nZoomFactor", .initial = 100, .type = "N", .scope = Published,
                                     .setter = &X::SetZoomFactor});
        kFitInPage = b.addProperty({.name = "nFitInPage", .initial = 0, .type = "N", .scope = Published,
                                    .setter = &X::SetFitInPage});
        b.addEvent("OnZoomIn", Published, "oSender");
        b.addEvent("OnZoomOut", Published, "oSender");
        b.addEvent("OnZoomChanged", Published, "oSender, nZoom");
        b.addEvent("OnFirstPage", Published, "oSender");
        b.addEvent("OnPrevPage", Published, "oSender");
        b.addEvent("OnNextPage", Published, "oSender");
        b.addEvent("OnLastPage", Published, "oSender");
        kEmf = b.addProperty({.name = "oEmf", .type = "O", .setter = "SetEmf"});
        kPrinter = b.addData("oPrinter", Value(), "O");
        b.addMethod("WMPrintClient", rt::method(&X::WMPaint), Exported);
        addMembers<XPreviewPage>(b);
        return b.create();
    }();
    return c;
}

// ---- building

Value XPreviewPage::takePrinter(rt::Args args) {
    if (rt::arg(args, 1).isObject()) field(kPrinter) = Value::weak(rt::arg(args, 1).asObject());
    return {};
}

Value XPreviewPage::New(rt::Args args) {
    takePrinter(args);
    return XScrollingWinControl::New(args.empty() ? args : args.subspan(0, 1));
}

// The printer's resolution and physical offsets place the page as it will print; the zoom cursors come from
// the framework's resources.
Value XPreviewPage::Create(rt::Args args) {
    takePrinter(args);
    const Value printer = field(kPrinter).isObject() ? Value(field(kPrinter).asObject()) : Value();
    if (printer.isObject()) {
        const Value res = sendIfUnderstood(printer, "Resolution");
        if (pairItem(res, 0) > 0 && pairItem(res, 1) > 0) field(kPrinterRes) = res;
        const Value offset = sendIfUnderstood(printer, "PhysicalOffset");
        field(kOffsetX100) = number(screenPixelsOfTenths(pairItem(offset, 0)));
        field(kOffsetY100) = number(screenPixelsOfTenths(pairItem(offset, 1)));
    }
    rt::send(*this, "_oCursor", {Value("VP_CUR_ZOOMIN")});
    field(kCursor2) = createByClassName("TCursor", "Create", {Value("VP_CUR_ZOOMOUT")});
    return XScrollingWinControl::Create(args.empty() ? args : args.subspan(0, 1));
}

Value XPreviewPage::Free(rt::Args args) {
    sendIfUnderstood(field(kCursor2), "End");
    field(kCursor2) = Value();
    return XScrollingWinControl::Free(args);
}

// ---- the page and its layout

// The page's size at 100 % from the metafile; a printer that reports no resolution counts as the screen's.
PageFacts XPreviewPage::facts() const {
    const Value& emf = oEmf();
    if (!emf.isObject()) return {};
    const int64_t mmsWidth = member(emf, "nMmsWidth"), mmsHeight = member(emf, "nMmsHeight");
    int64_t dpiX = pairItem(field(kPrinterRes), 0), dpiY = pairItem(field(kPrinterRes), 1);
    int64_t width = member(emf, "nWidth"), height = member(emf, "nHeight");
    if (dpiX <= 0 || dpiY <= 0 || width <= 0 || height <= 0) {
        dpiX = dpiY = kScreenDpi;
        width = mmsWidth * kScreenDpi / kMmsPerInch;
        height = mmsHeight * kScreenDpi / kMmsPerInch;
    }
    return pageFacts(mmsWidth, mmsHeight, width, height, dpiX, dpiY);
}

PageLayout XPreviewPage::layout() const {
    PageLayout l;
    l.left = field(kEmfLeft).asInteger();
    l.top = field(kEmfTop).asInteger();
    l.width = field(kEmfWidth).asInteger();
    l.height = field(kEmfHeight).asInteger();
    l.virtualWidth = nVirtualWidth();
    l.virtualHeight = nVirtualHeight();
    l.zoom = zoom();
    return l;
}

Value XPreviewPage::SetEmf(rt::Args args) {
    const Value& emf = rt::arg(args, 0);
    if (!emf.isObject()) return oEmf();
    field(kEmf) = emf;
    const PageFacts f = facts();
    field(kLandscape) = Value(f.landscape);
    field(kAspectRatio) = Value(f.ratio);
    field(kEmfHorz100) = Value(f.horz100);
    field(kEmfVert100) = Value(f.vert100);
    SetEmfCoors({});
    Refresh({});
    return emf;
}

Value XPreviewPage::SetEmfCoors(rt::Args args) {
    RECT client{};
    if (windowExists()) GetClientRect(reinterpret_cast<HWND>(Handle()), &client);
    const int64_t w = client.right, h = client.bottom;
    const PageLayout old = layout();
    const PageLayout next = layoutPage(fitMode(), zoom(), facts(), w, h);
    field(kEmfLeft) = number(next.left);
    field(kEmfTop) = number(next.top);
    field(kEmfWidth) = number(next.width);
    field(kEmfHeight) = number(next.height);
    field(kZoomFactor) = Value(next.zoom);
    Value origin[] = {Value(), Value(), number(next.virtualWidth), number(next.virtualHeight)};
    if (rt::arg(args, 0).isNumber() && rt::arg(args, 1).isNumber()) {
        const int64_t x = rt::arg(args, 0).asInteger() - (old.left + nClientLeft());
        const int64_t y = rt::arg(args, 1).asInteger() - (old.top + nClientTop());
        origin[0] = number(originForPoint(x, old.width, next.width, next.left, w));
        origin[1] = number(originForPoint(y, old.height, next.height, next.top, h));
    }
    SetVirtualBounds(origin);
    field(kOffsetX) = number(offsetAtZoom(field(kOffsetX100).asInteger(), next.zoom));
    field(kOffsetY) = number(offsetAtZoom(field(kOffsetY100).asInteger(), next.zoom));
    return {};
}

Value XPreviewPage::SetZoomFactor(rt::Args args) {
    field(kFitInPage) = number(kFitNone);
    field(kZoomFactor) = Value(usableZoom(rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asDouble() : 0));
    SetEmfCoors({});
    Refresh({});
    return field(kZoomFactor);
}

Value XPreviewPage::SetFitInPage(rt::Args args) {
    const int64_t mode = rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInteger() : kFitNone;
    field(kFitInPage) = number(mode >= kFitNone && mode <= kFitPageHeight ? mode : kFitNone);
    SetEmfCoors({});
    Refresh({});
    return field(kFitInPage);
}

// ---- zoom

Value XPreviewPage::zoomBy(bool in, rt::Args args) {
    const Value answer = fireEvent(*this, in ? OnZoomIn : OnZoomOut);
    field(kZoomFactor) = Value(isZoom(answer) ? answer.asDouble() : in ? doubledZoom(zoom()) : halvedZoom(zoom()));
    field(kFitInPage) = number(kFitNone);
    SetEmfCoors(args);
    Refresh({});
    fireEvent(*this, OnZoomChanged, {field(kZoomFactor)});
    return field(kZoomFactor);
}

Value XPreviewPage::ZoomIn(rt::Args args) { return zoomBy(true, args); }
Value XPreviewPage::ZoomOut(rt::Args args) { return zoomBy(false, args); }

// ---- painting

// The sheet is white under what the page drew, on the pane's colour, where the scroll position puts it.
void XPreviewPage::paintPage(intptr_t window, intptr_t dcHandle) {
    HDC dc = reinterpret_cast<HDC>(dcHandle);
    const RECT client = painters::clientRect(reinterpret_cast<HWND>(window));
    painters::Owned<HBRUSH> pane(CreateSolidBrush(static_cast<COLORREF>(field(kClrPane).asInteger() & 0xFFFFFF)));
    FillRect(dc, &client, pane.get());
    if (!oEmf().isObject()) return;
    const PageLayout l = layout();
    const RECT sheet{static_cast<LONG>(l.left + nClientLeft()), static_cast<LONG>(l.top + nClientTop()),
                     static_cast<LONG>(l.left + nClientLeft() + l.width),
                     static_cast<LONG>(l.top + nClientTop() + l.height)};
    FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    rt::send(oEmf(), "Paint", {Value(dcHandle), number(sheet.left), number(sheet.top), number(sheet.right),
                               number(sheet.bottom)});
}

Value XPreviewPage::WMPaint(rt::Args args) {
    return painters::inPaintFrame(*this, args, [this](HWND window, HDC dc) {
        paintPage(reinterpret_cast<intptr_t>(window), reinterpret_cast<intptr_t>(dc));
    });
}

Value XPreviewPage::WMEraseBkgnd(rt::Args) { return Value(1); }

Value XPreviewPage::WMSize(rt::Args args) {
    XScrollingWinControl::WMSize(args);
    SetEmfCoors({});
    Refresh({});
    return Value(0);
}

// ---- input

void XPreviewPage::refreshCursor() {
    POINT p{};
    if (GetCursorPos(&p)) SetCursorPos(p.x, p.y);
}

Value XPreviewPage::WMSetCursor(rt::Args args) {
    if (native::handleArg(args, 0) != Handle() || !windowExists()) return {};
    if (sendIfUnderstood(Application(), "lBusy").asLogical()) return XScrollingWinControl::WMSetCursor(args);
    if ((rt::arg(args, 1).asInteger() & 0xFFFF) != HTCLIENT) {
        ::SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        return Value(true);
    }
    if (keyDown(VK_SHIFT) && handleOf(field(kCursor2))) {
        ::SetCursor(reinterpret_cast<HCURSOR>(handleOf(field(kCursor2))));
        return Value(true);
    }
    return XScrollingWinControl::WMSetCursor(args);
}

void XPreviewPage::scrollBy(int64_t dx, int64_t dy) {
    RECT client{};
    GetClientRect(reinterpret_cast<HWND>(Handle()), &client);
    const Value origin[] = {number(scrolledOrigin(nClientLeft(), dx, nVirtualWidth(), client.right)),
                            number(scrolledOrigin(nClientTop(), dy, nVirtualHeight(), client.bottom))};
    SetVirtualBounds(origin);
    Refresh({});
}

Value XPreviewPage::WMKeyDown(rt::Args args) {
    const KeyDecision d = keyDecision(static_cast<int>(native::intArg(args, 0)), keyDown(VK_CONTROL));
    switch (d.action) {
    case KeyAction::None: return XScrollingWinControl::WMKeyDown(args);
    case KeyAction::Cursor: refreshCursor(); break;
    case KeyAction::ZoomIn: ZoomIn({}); break;
    case KeyAction::ZoomOut: ZoomOut({}); break;
    case KeyAction::Scroll: scrollBy(d.dx, d.dy); break;
    case KeyAction::FirstPage: fireEvent(*this, OnFirstPage); break;
    case KeyAction::PreviousPage: fireEvent(*this, OnPrevPage); break;
    case KeyAction::NextPage: fireEvent(*this, OnNextPage); break;
    case KeyAction::LastPage: fireEvent(*this, OnLastPage); break;
    }
    return Value(0);
}

Value XPreviewPage::WMKeyUp(rt::Args args) {
    if (native::intArg(args, 0) == VK_SHIFT) refreshCursor();
    return XScrollingWinControl::WMKeyUp(args);
}

// A click zooms at its point: in, or out with Shift (read from the message, so a sent click carries it).
Value XPreviewPage::WMLButtonDown(rt::Args args) {
    rt::send(*this, "SetFocus");
    const intptr_t point = native::handleArg(args, 1);
    const Value at[] = {number(static_cast<int16_t>(LOWORD(point))), number(static_cast<int16_t>(HIWORD(point)))};
    if (native::intArg(args, 0) & MK_SHIFT)
        ZoomOut(at);
    else
        ZoomIn(at);
    return Value(0);
}

Value XPreviewPage::WMRButtonDown(rt::Args args) {
    const intptr_t point = native::handleArg(args, 1);
    const Value at[] = {number(static_cast<int16_t>(LOWORD(point))), number(static_cast<int16_t>(HIWORD(point)))};
    ZoomOut(at);
    return Value(0);
}

}  // namespace vorpex
