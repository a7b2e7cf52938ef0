#include "framework/controls/scroll_bar/scroll_bar.h"

#include <windows.h>

#include "framework/controls/scroll_bar/scroll_bar_rules.h"
#include "framework/controls/scroll_bar/scroll_info.h"
#include "framework/core/native/casts.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;

constexpr int64_t kHorizontal = 4, kVertical = 5;  // orHORIZONTAL, orVERTICAL

std::optional<int64_t> numberGiven(const Value& v) {
    return v.isNumber() ? std::optional<int64_t>(v.asInteger()) : std::nullopt;
}

}  // namespace

const rt::Class& XScrollBar::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XScrollBar;
        VPClass b("XScrollBar", &TStdControl::classRecord(), rt::factoryOf<XScrollBar>());
        b.addProperty({.name = "nWidth", .initial = 100, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 20, .scope = Published});
        b.addProperty({.name = "nClrPane", .scope = Published});
        b.record().redeclareField(kClrPane, number(GetSysColor(COLOR_SCROLLBAR)), "N");
        kOrientation = b.addProperty({.name = "nOrientation", .initial = kHorizontal, .type = "N", .scope = Published,
                                      .choices = choiceList({{"orHORIZONTAL", Value(4)}, {"orVERTICAL", Value(5)}})});
        kPos = b.addProperty({.name = "nPos", .initial = 0, .type = "N", .scope = Published, .setter = &X::SetPosProperty});
        kMin = b.addProperty({.name = "nMin", .initial = 0, .type = "N", .scope = Published, .setter = &X::SetMinProperty});
        kMax = b.addProperty({.name = "nMax", .initial = 10, .type = "N", .scope = Published, .setter = &X::SetMaxProperty});
        kPage = b.addProperty({.name = "nPage", .initial = 1, .type = "N", .scope = Published, .setter = &X::SetPage});
        kDisableNoScroll = b.addProperty({.name = "lDisableNoScroll", .initial = false, .type = "L", .scope = Published});
        b.addEvent("OnUp", Published, "oSender, nPos");
        b.addEvent("OnDown", Published, "oSender, nPos");
        b.addEvent("OnPageUp", Published, "oSender, nPage");
        b.addEvent("OnPageDown", Published, "oSender, nPage");
        b.addEvent("OnThumbPos", Published, "oSender, nTrackPos");
        b.addEvent("OnThumbTrack", Published, "oSender, nTrackPos");
        b.addEvent("OnChange", Published, "oSender, nPos, nOldPos");
        b.addProperty({.name = "oBrush", .scope = Exported});
        b.addProperty({.name = "oFont", .scope = Exported});
        // Neither borders, fonts nor a text colour apply to a scroll bar.
        for (const char* hidden : {"l3D", "lBorder", "lParentFont", "nClrText", "oFont"})
            b.addProperty({.name = hidden, .scope = Hidden});
        b.record().redeclareField(k3D, Value(false), "L");
        b.record().redeclareField(kBorder, Value(false), "L");
        b.record().redeclareField(kWinClassName, Value("SCROLLBAR"), "C");
        b.record().redeclareField(kCtlStyle, number(WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS), "N");
        b.addProperty({.name = "cText", .scope = Protected});
        addMembers<XScrollBar>(b);
        b.addMethod("WMHScroll", rt::method(&X::WMScroll));
        b.addMethod("WMVScroll", rt::method(&X::WMScroll));
        return b.create();
    }();
    return c;
}

Value XScrollBar::Create(rt::Args args) {
    const bool vertical = field(kOrientation).asInteger() != kHorizontal;
    setCtlStyle(ctl::changeBits(nCtlStyle(), SBS_VERT, vertical));
    Value self = TStdControl::Create(args);
    SetRange({});
    SetPage({});
    SetPos({});
    return self;
}

Value XScrollBar::SetPos(rt::Args args) {
    const int64_t old = nPos();
    if (const auto given = numberGiven(rt::arg(args, 0))) field(kPos) = number(*given);
    if (windowExists())
        field(kPos) = number(sbar::setScrollParts(Handle(), sbar::kControlBar,
                                                  sbar::ScrollParts::positionAt(nPos(), disableNoScroll())));
    if (nPos() != old && rt::arg(args, 1).isLogical() && rt::arg(args, 1).asLogical())
        fireEvent(*this, OnChange, {field(kPos), number(old)});
    return field(kPos);
}

Value XScrollBar::SetPosProperty(rt::Args args) {
    // A program's assignment never fires OnChange.
    return SetPos(std::vector<Value>{rt::arg(args, 0), Value(false)});
}

Value XScrollBar::SetPage(rt::Args args) {
    const Value previous = field(kPage);
    if (const auto given = numberGiven(rt::arg(args, 0))) field(kPage) = number(*given);
    if (windowExists())
        sbar::setScrollParts(Handle(), sbar::kControlBar,
                             sbar::ScrollParts::pageOf(field(kPage).asInteger(), disableNoScroll()));
    return previous;
}

Value XScrollBar::SetRange(rt::Args args) {
    if (const auto given = numberGiven(rt::arg(args, 0))) field(kMin) = number(*given);
    if (const auto given = numberGiven(rt::arg(args, 1))) field(kMax) = number(*given);
    if (windowExists())
        sbar::setScrollParts(Handle(), sbar::kControlBar,
                             sbar::ScrollParts::range(field(kMin).asInteger(), field(kMax).asInteger(), disableNoScroll()));
    return Value::array({rt::arg(args, 0), rt::arg(args, 1)});
}

Value XScrollBar::SetMinProperty(rt::Args args) {
    SetRange(std::vector<Value>{rt::arg(args, 0)});
    return field(kMin);
}

Value XScrollBar::SetMaxProperty(rt::Args args) {
    SetRange(std::vector<Value>{Value(), rt::arg(args, 0)});
    return field(kMax);
}

Value XScrollBar::UpdateInfo(rt::Args) {
    if (!windowExists()) return {};
    if (const auto state = sbar::scrollState(Handle(), sbar::kControlBar)) {
        field(kMin) = number(state->min);
        field(kMax) = number(state->max);
        field(kPage) = number(state->page);
        field(kPos) = number(state->position);
    }
    return {};
}

Value XScrollBar::Inc(rt::Args args) {
    const Value& n = rt::arg(args, 0);
    return SetPos(std::vector<Value>{number(nPos() + (n.isNumber() ? n.asInteger() : 1))});
}

Value XScrollBar::Dec(rt::Args args) {
    const Value& n = rt::arg(args, 0);
    return SetPos(std::vector<Value>{number(nPos() - (n.isNumber() ? n.asInteger() : 1))});
}

Value XScrollBar::EnableButton(rt::Args args) {
    if (!windowExists()) return Value(false);
    return Value(EnableScrollBar(reinterpret_cast<HWND>(Handle()), SB_CTL,
                                 static_cast<UINT>(rt::arg(args, 0).asInteger())) != 0);
}

Value XScrollBar::GetCtlColor(rt::Args args) {
    // The system draws the bar in its own colours until a colour of the program's is set.
    if (field(kClrPane).asInteger() == static_cast<int64_t>(GetSysColor(COLOR_SCROLLBAR))) return {};
    return XControl::GetCtlColor(args);
}

Value XScrollBar::WMScroll(rt::Args args) {
    if (rt::arg(args, 1).asInteger() != 0 || !windowExists()) return {};
    const int action = static_cast<int>(rt::arg(args, 0).asInteger() & 0xFFFF);
    const auto state = sbar::scrollState(Handle(), sbar::kControlBar);
    if (!state || action < scroll::kLineUp || action > scroll::kThumbTrack) return {};
    static const EventRef* const firstEvents[] = {&OnUp, &OnDown, &OnPageUp, &OnPageDown, &OnThumbPos, &OnThumbTrack};
    const Value answer = fireEvent(*this, *firstEvents[action], {number(scroll::scrollEventArgument(action, *state))});
    const auto move = sbar::scrollMove(action, numberGiven(answer), *state);
    if (!move) return {};
    const Value change = fireEvent(*this, OnChange, {number(move->announced), number(state->position)});
    if (change.isLogical() && !change.asLogical()) return Value(false);
    const std::vector<Value> amount{number(move->amount)};
    switch (move->kind) {
        case sbar::Move::Up: return Dec(amount);
        case sbar::Move::Down: return Inc(amount);
        default: return SetPos(amount);
    }
}

}  // namespace vorpex
