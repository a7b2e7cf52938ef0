#include "framework/core/screen/screen.h"

#include "framework/core/native/native_args.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using rt::Value;

constexpr int kArrowCursor = 32512;  // IDC_ARROW
constexpr int kNoCursor = 32648;     // IDC_NO

Value pair(int64_t a, int64_t b) { return Value::array({Value(a), Value(b)}); }

// A published property that code outside the class only reads.
int readOnly(VPClass& b, const char* name, Value initial, const char* type) {
    return b.addProperty({.name = name, .initial = std::move(initial), .type = type,
                          .scope = rt::scope::Published, .readOnly = true});
}

}  // namespace

// ---- TDisplayMonitor

const rt::Class& TDisplayMonitor::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("TDisplayMonitor", &TComponent::classRecord(), rt::factoryOf<TDisplayMonitor>());
        kHandle = readOnly(b, "Handle", 0, "N");
        kName = readOnly(b, "cName", "", "C");
        kPrimary = readOnly(b, "lPrimary", false, "L");
        kLeft = readOnly(b, "nLeft", 0, "N");
        kTop = readOnly(b, "nTop", 0, "N");
        kWidth = readOnly(b, "nWidth", 0, "N");
        kHeight = readOnly(b, "nHeight", 0, "N");
        kClientLeft = readOnly(b, "nClientLeft", 0, "N");
        kClientTop = readOnly(b, "nClientTop", 0, "N");
        kClientWidth = readOnly(b, "nClientWidth", 0, "N");
        kClientHeight = readOnly(b, "nClientHeight", 0, "N");
        b.addMethod("Initialize", rt::method(&TDisplayMonitor::Initialize),
                    rt::scope::Exported | rt::scope::Constructor);
        return b.create();
    }();
    return c;
}

void TDisplayMonitor::fill(const MonitorFacts& f) {
    field(kHandle) = Value(static_cast<int64_t>(f.handle));
    field(kName) = Value(f.name);
    field(kPrimary) = Value(f.primary);
    field(kLeft) = Value(f.bounds.left);
    field(kTop) = Value(f.bounds.top);
    field(kWidth) = Value(f.bounds.width());
    field(kHeight) = Value(f.bounds.height());
    field(kClientLeft) = Value(f.work.left);
    field(kClientTop) = Value(f.work.top);
    field(kClientWidth) = Value(f.work.width());
    field(kClientHeight) = Value(f.work.height());
}

Value TDisplayMonitor::Initialize(rt::Args args) {
    const intptr_t monitor = native::handleArg(args, 0);
    if (auto facts = displaySource().monitorInfo(monitor))
        fill(*facts);
    else
        field(kHandle) = Value(static_cast<int64_t>(monitor));
    return selfValue();
}

// ---- XScreen

const rt::Class& XScreen::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XScreen", &TComponent::classRecord(), rt::factoryOf<XScreen>());
        kWidth = readOnly(b, "nWidth", 0, "N");
        kHeight = readOnly(b, "nHeight", 0, "N");
        kClientLeft = readOnly(b, "nClientLeft", 0, "N");
        kClientTop = readOnly(b, "nClientTop", 0, "N");
        kClientWidth = readOnly(b, "nClientWidth", 0, "N");
        kClientHeight = readOnly(b, "nClientHeight", 0, "N");
        kCaptionHeight = readOnly(b, "nCaptionHeight", 0, "N");
        kPixelsPerInch = readOnly(b, "nPixelsPerInch", 0, "N");
        kBitsPerPixel = readOnly(b, "nBitsPerPixel", 0, "N");
        kColorPlanes = readOnly(b, "nColorPlanes", 0, "N");
        kMonitors = b.addProperty({.name = "nMonitors", .initial = 0, .type = "N", .scope = Published});
        kMonitorList = b.addProperty({.name = "aMonitors", .initial = Value::array(), .type = "A", .scope = Published});
        kHandle = b.addData("Handle", 0, "N", Exported | ReadOnly);
        kDC = b.addData("hDC", 0, "N", Exported | ReadOnly);
        kCursorArrow = b.addData("oCursorArrow", Value(), "O", Exported | ReadOnly);
        kCursorDropYes = b.addData("oCursorDropYes", Value(), "O");
        kCursorDropNo = b.addData("oCursorDropNo", Value(), "O");
        b.addMethod("Initialize", rt::method(&XScreen::Initialize), Exported | Constructor);
        addMembers<XScreen>(b);
        b.addMethod("PaperPhysicalSize", rt::method(&XScreen::PaperSize));
        return b.create();
    }();
    return c;
}

Value XScreen::Initialize(rt::Args) {
    Value& screen = rt::publicVar("Screen");
    if (screen.isObject()) return screen;
    screen = selfValue();
    GetValues({});
    field(kCursorArrow) = makeCursorObject(Value(kArrowCursor));
    field(kCursorDropYes) = makeCursorObject(Value("VP_CUR_DRAG"));
    field(kCursorDropNo) = makeCursorObject(Value(kNoCursor));
    return screen;
}

Value XScreen::End(rt::Args args) {
    for (int cursor : {kCursorArrow, kCursorDropYes, kCursorDropNo})
        if (field(cursor).isObject()) rt::send(field(cursor), "Destroy");
    // A DC made by CreateDC and never deleted would outlive the object.
    if (hDC()) DeleteDC({});
    return XComponent::End(args);
}

Value XScreen::GetValues(rt::Args) {
    DisplaySource& source = displaySource();
    const ScreenMetrics m = source.metrics();
    field(kHandle) = Value(static_cast<int64_t>(m.desktop));
    field(kClientLeft) = Value(m.workArea.left);
    field(kClientTop) = Value(m.workArea.top);
    field(kClientWidth) = Value(m.workArea.width());
    field(kClientHeight) = Value(m.workArea.height());
    field(kWidth) = Value(m.width);
    field(kHeight) = Value(m.height);
    field(kCaptionHeight) = Value(m.smallCaptionHeight);
    const DisplayCaps caps = source.caps().value_or(DisplayCaps{});
    field(kPixelsPerInch) = Value(caps.pixelsPerInchX);
    field(kBitsPerPixel) = Value(caps.bitsPerPixel);
    field(kColorPlanes) = Value(caps.planes);
    // Read afresh, so that calling GetValues again (after a display change) does not list monitors twice.
    field(kMonitors) = Value(0);
    field(kMonitorList) = Value::array();
    for (intptr_t monitor : source.monitors()) {
        const Value h(static_cast<int64_t>(monitor));
        AddMonitor(rt::Args(&h, 1));
    }
    return selfValue();
}

Value XScreen::AddMonitor(rt::Args args) {
    auto monitor = std::static_pointer_cast<TDisplayMonitor>(TDisplayMonitor::classRecord().instantiate());
    monitor->Initialize(args);
    if (!field(kMonitorList).isArray()) field(kMonitorList) = Value::array();
    field(kMonitorList).asArray()->items.push_back(Value(rt::ObjectPtr(monitor)));
    field(kMonitors) = Value(nMonitors() + 1);
    return Value(rt::ObjectPtr(monitor));
}

Value XScreen::Resolution(rt::Args) {
    auto caps = displaySource().caps();
    return caps ? pair(caps->pixelsPerInchX, caps->pixelsPerInchY) : pair(0, 0);
}

Value XScreen::PaperRes(rt::Args) {
    auto caps = displaySource().caps();
    return caps ? pair(caps->horzRes, caps->vertRes) : pair(0, 0);
}

Value XScreen::PaperSize(rt::Args) {
    auto caps = displaySource().caps();
    return caps ? pair(caps->horzSize * 10, caps->vertSize * 10) : pair(0, 0);
}

Value XScreen::PhysicalOffset(rt::Args) { return pair(0, 0); }

Value XScreen::CreateDC(rt::Args) {
    // A second CreateDC would otherwise lose the first DC.
    if (hDC()) DeleteDC({});
    field(kDC) = Value(static_cast<int64_t>(displaySource().createDisplayDC()));
    return field(kDC);
}

Value XScreen::DeleteDC(rt::Args) {
    if (hDC()) displaySource().deleteDC(hDC());
    field(kDC) = Value(0);
    return {};
}

Value XScreen::monitorFor(intptr_t monitor) const { return pickMonitor(aMonitors(), monitor); }

Value XScreen::monitorOfWindow(intptr_t window, int flags) const {
    return monitorFor(displaySource().monitorFromWindow(window, flags));
}

// ---- free functions

Value pickMonitor(const Value& monitors, intptr_t monitor) {
    auto list = monitors.asArray();
    if (!list || list->items.empty()) return {};
    for (const Value& entry : list->items)
        if (auto m = rt::objectAs<TDisplayMonitor>(entry); m && m->Handle() == monitor) return entry;
    return list->items.front();
}

Value makeCursorObject(const Value& name) {
    const rt::Function* cursorClass = rt::findFunction("TCURSOR");
    if (!cursorClass) return {};
    Value bare = (*cursorClass)({});
    if (!bare.isObject()) return {};
    return rt::send(bare, "New", {name});
}

void registerScreen() {
    TDisplayMonitor::classRecord();
    TScreen::classRecord();
    native::registerCallable("MONITORFROMWINDOW", [](rt::Args a) -> Value {
        const int flags = static_cast<int>(native::intArg(a, 1));
        return Value(static_cast<int64_t>(displaySource().monitorFromWindow(native::handleArg(a, 0), flags)));
    });
}

}  // namespace vorpex
