#include "framework/controls/progress_bar/progress_bar.h"

#include <windows.h>

#include <commctrl.h>

#include "framework/core/native/casts.h"
#include "framework/core/native/windows_version.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;

constexpr int64_t kHorizontal = 4, kVertical = 5;  // orHORIZONTAL, orVERTICAL

}  // namespace

const rt::Class& XProgressBar::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XProgressBar;
        VPClass b("XProgressBar", &TControl::classRecord(), rt::factoryOf<XProgressBar>());
        b.addProperty({.name = "nWidth", .initial = 120, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 25, .scope = Published});
        kValue = b.addProperty({.name = "nValue", .initial = 0, .type = "N", .scope = Published, .setter = &X::SetPos});
        kStep = b.addProperty({.name = "nStep", .initial = 10, .type = "N", .scope = Published, .setter = &X::SetStep});
        b.addProperty({.name = "nClrText", .scope = Published, .setter = &X::SetBarColor});
        b.addProperty({.name = "nClrPane", .scope = Published, .setter = &X::SetBkColor});
        b.record().redeclareField(kClrText, number(GetSysColor(COLOR_HIGHLIGHT)), "N");
        b.record().redeclareField(kClrPane, number(GetSysColor(COLOR_BTNFACE)), "N");
        kMin = b.addProperty(
            {.name = "nMin", .initial = 0, .type = "N", .scope = Published, .setter = &X::SetMinProperty});
        kMax = b.addProperty(
            {.name = "nMax", .initial = 100, .type = "N", .scope = Published, .setter = &X::SetMaxProperty});
        kOrientation = b.addProperty({.name = "nOrientation", .initial = kHorizontal, .type = "N", .scope = Published,
                                      .choices = choiceList({{"orHORIZONTAL", Value(4)}, {"orVERTICAL", Value(5)}})});
        kSmooth = b.addProperty({.name = "lSmooth", .initial = false, .type = "L", .scope = Published});
        b.addEvent("OnChange", Published, "oSender, nPos");
        b.addProperty({.name = "cText", .scope = Exported});
        b.record().redeclareField(kWinClassName, Value(PROGRESS_CLASSA), "C");
        b.addProperty({.name = "cTheme", .scope = Protected});
        b.record().redeclareField(kTheme, Value("Progress"), "C");
        addMembers<XProgressBar>(b);
        return b.create();
    }();
    return c;
}

int64_t XProgressBar::send(unsigned message, int64_t wParam, int64_t lParam) {
    return rt::send(*this, "SendMsg", {number(message), number(wParam), number(lParam)}).asInteger();
}

Value XProgressBar::Create(rt::Args args) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    int64_t style = nCtlStyle();
    style = ctl::changeBits(style, PBS_VERTICAL, field(kOrientation).asInteger() == kVertical);
    style = ctl::changeBits(style, PBS_SMOOTH, field(kSmooth).asLogical());
    setCtlStyle(style);
    Value self = TControl::Create(args);
    // Messages sent before the window existed were lost: send the stored state now.
    SetRange(std::vector<Value>{field(kMin), field(kMax)});
    SetPos(std::vector<Value>{field(kValue)});
    SetStep(std::vector<Value>{field(kStep)});
    SetBarColor(std::vector<Value>{field(kClrText)});
    SetBkColor(std::vector<Value>{field(kClrPane)});
    return self;
}

Value XProgressBar::SetPos(rt::Args args) {
    const Value pos = rt::arg(args, 0);
    const int64_t n = pos.asInteger();
    field(kValue) = number(n);
    send(PBM_SETPOS, n);
    if (isVistaOrLater(windowsVersion())) {
        // The bar animates only forwards: going one past and back makes it land at once.
        if (n < nMax()) {
            send(PBM_SETPOS, n + 1);
            send(PBM_SETPOS, n);
        } else {
            send(PBM_SETRANGE32, nMin(), nMax() + 1);
            send(PBM_SETPOS, n + 1);
            send(PBM_SETRANGE32, nMin(), nMax());
            send(PBM_SETPOS, n);
        }
    }
    const Value notify = rt::arg(args, 1);
    if (notify.isNil() || notify.asLogical()) fireEvent(*this, OnChange, {number(n)});
    return number(n);
}

Value XProgressBar::GetPos(rt::Args) {
    // Without a window the control cannot be asked: the stored position stands.
    if (windowExists()) field(kValue) = number(send(PBM_GETPOS));
    return field(kValue);
}

Value XProgressBar::DeltaPos(rt::Args args) {
    const int64_t n = rt::arg(args, 0).asInteger();
    field(kValue) = number(nValue() + n);
    send(PBM_DELTAPOS, n);
    return field(kValue);
}

Value XProgressBar::SetStep(rt::Args args) {
    const int64_t n = rt::arg(args, 0).asInteger();
    field(kStep) = number(n);
    send(PBM_SETSTEP, n);
    return field(kStep);
}

Value XProgressBar::StepIt(rt::Args) {
    if (isVistaOrLater(windowsVersion())) return SetPos(std::vector<Value>{number(nValue() + nStep())});
    field(kValue) = number(nValue() + nStep());
    send(PBM_STEPIT);
    return field(kValue);
}

Value XProgressBar::SetRange(rt::Args args) {
    field(kMin) = number(rt::arg(args, 0).asInteger());
    field(kMax) = number(rt::arg(args, 1).asInteger());
    send(PBM_SETRANGE32, nMin(), nMax());
    return {};
}

Value XProgressBar::GetRange(rt::Args) {
    // Without a window the control cannot be asked: the stored range stands (not an unfilled record).
    if (!windowExists()) return Value::array({number(nMin()), number(nMax())});
    PBRANGE range{};
    SendMessageA(reinterpret_cast<HWND>(Handle()), PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    return Value::array({number(range.iLow), number(range.iHigh)});
}

Value XProgressBar::SetBarColor(rt::Args args) {
    field(kClrText) = number(rt::arg(args, 0).asInteger());
    send(PBM_SETBARCOLOR, 0, field(kClrText).asInteger());
    return field(kClrText);
}

Value XProgressBar::SetBkColor(rt::Args args) {
    field(kClrPane) = number(rt::arg(args, 0).asInteger());
    send(PBM_SETBKCOLOR, 0, field(kClrPane).asInteger());
    return field(kClrPane);
}

Value XProgressBar::SetMinProperty(rt::Args args) {
    SetRange(std::vector<Value>{rt::arg(args, 0), field(kMax)});
    return field(kMin);
}

Value XProgressBar::SetMaxProperty(rt::Args args) {
    SetRange(std::vector<Value>{field(kMin), rt::arg(args, 0)});
    return field(kMax);
}

}  // namespace vorpex
