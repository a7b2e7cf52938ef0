#include "framework/controls/label/label.h"

#include <windows.h>

#include "framework/controls/control_rules.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using win::toHwnd;

// A window DC with the font the label paints with selected, both given back on every path. The label's window
// class keeps no font of its own (WM_GETFONT answers none), so the font comes from the label object.
class LabelDC {
public:
    LabelDC(HWND window, HFONT font) : window_(window), dc_(GetDC(window)) {
        if (dc_ && font) previous_ = SelectObject(dc_, font);
    }
    ~LabelDC() {
        if (previous_) SelectObject(dc_, previous_);
        if (dc_) ReleaseDC(window_, dc_);
    }
    LabelDC(const LabelDC&) = delete;
    LabelDC& operator=(const LabelDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace

const rt::Class& XLabel::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XLabel;
        VPClass b("XLabel", &TControl::classRecord(), rt::factoryOf<XLabel>());
        b.addProperty({.name = "cText", .scope = Published, .setter = &X::SetText});
        b.addProperty({.name = "nWidth", .initial = 90});
        b.addProperty({.name = "nHeight", .initial = 18});
        kAlignment = b.addProperty({.name = "nAlignment", .initial = 0, .type = "N", .scope = Published,
                                    .setter = &X::SetAlignment,
                                    .choices = choiceList({{"taLEFT", 0}, {"taRIGHT", 2}, {"taCENTER", 6}})});
        kVAlignment = b.addProperty({.name = "nVAlignment", .initial = 0, .type = "N", .scope = Published,
                                     .setter = &X::SetVAlignment,
                                     .choices = choiceList({{"vaTOP", 0}, {"vaBOTTOM", 2}, {"vaCENTER", 1}})});
        b.addProperty({.name = "nBorderStyle", .scope = Published});
        b.addProperty({.name = "lTransparent", .initial = true, .scope = Published});
        kAutoSize = b.addProperty(
            {.name = "lAutoSize", .initial = true, .type = "L", .scope = Published, .setter = &X::SetAutoSize});
        kMultiLine = b.addProperty(
            {.name = "lMultiLine", .initial = false, .type = "L", .scope = Published, .setter = &X::SetMultiLine});
        b.record().redeclareField(kClassStyle, Value(static_cast<long long>(CS_DBLCLKS)), "N");
        b.addProperty({.name = "lEnabled", .scope = Exported});
        addMembers<XLabel>(b);
        b.addMethod("WMEraseBkgnd", [](rt::Object&, const rt::Method&, rt::Args) { return Value(1); });
        return b.create();
    }();
    return c;
}

Value XLabel::Create(rt::Args args) {
    Value self = TControl::Create(args);
    Adjust({});
    return self;
}

Value XLabel::Adjust(rt::Args) {
    if (lAutoSize() && windowExists()) rt::send(*this, "CalcBounds");
    return {};
}

Value XLabel::SetText(rt::Args args) {
    Value result = TControl::SetText(args);
    if (windowExists()) {
        const std::string& text = field(kText).asString();
        if (!lMultiLine() && !text.empty() && stdctl::hasLineBreak(text)) field(kMultiLine) = true;
        Adjust({});
        Refresh({});
    }
    return result;
}

Value XLabel::CalcBounds(rt::Args) {
    HWND window = toHwnd(Handle());
    const std::string& text = field(kText).asString();
    if (!window || text.empty()) return {};  // nothing to measure: the size stays
    LabelDC dc(window, reinterpret_cast<HFONT>(handleOf(rt::send(*this, "GetFont"))));
    if (!dc.get()) return {};
    const int64_t b = stdctl::labelInset(nBorderStyle());
    RECT r{};
    GetClientRect(window, &r);
    r.left += static_cast<LONG>(b);
    r.top += static_cast<LONG>(b);
    r.right -= static_cast<LONG>(b + 1);
    r.bottom -= static_cast<LONG>(b + 1);
    DrawTextA(dc.get(), text.c_str(), -1, &r, stdctl::labelMeasureFlags(lMultiLine(), nAlignment()));
    const stdctl::Extent e = stdctl::labelExtent(b, r.right, r.bottom);
    rt::send(*this, "SetBounds", {Value(), Value(), Value(e.width), Value(e.height), Value(true)});
    return {};
}

Value XLabel::WMPaint(rt::Args args) {
    HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(rt::arg(args, 2).asInteger()));
    HDC given = reinterpret_cast<HDC>(static_cast<intptr_t>(rt::arg(args, 0).asInteger()));
    ControlPaintState state;
    if (VP_ControlBeginPaint(*this, window, state, given)) {
        RECT r{};
        GetClientRect(window, &r);
        VP_DrawControlBackground(*this, state.hDC, r);
        VP_DrawControlText(*this, state.hDC, r, stdctl::labelPaintFlags(lMultiLine(), lAutoSize()));
    }
    VP_ControlEndPaint(*this, window, state);
    return Value(0);
}

Value XLabel::SetAlignment(rt::Args args) {
    Refresh({});
    field(kAlignment) = rt::arg(args, 0);
    return rt::arg(args, 0);
}

Value XLabel::SetVAlignment(rt::Args args) {
    Refresh({});
    field(kVAlignment) = rt::arg(args, 0);
    return rt::arg(args, 0);
}

Value XLabel::SetAutoSize(rt::Args args) {
    field(kAutoSize) = rt::arg(args, 0).asLogical();
    if (lAutoSize()) Adjust({});
    return field(kAutoSize);
}

Value XLabel::SetMultiLine(rt::Args args) {
    field(kMultiLine) = rt::arg(args, 0).asLogical();
    Adjust({});
    return field(kMultiLine);
}

}  // namespace vorpex
