#include "framework/dialogs/runners/find_replace.h"

#include "framework/core/native/value_readers.h"
#include "framework/core/object/vp_class.h"
#include "framework/dialogs/owner_window.h"

namespace vorpex {

using rt::Value;

namespace {

using native::textOf;

// The notification bits of a find/replace record.
constexpr uint32_t kFindNext = 0x8, kReplace = 0x10, kReplaceAll = 0x20, kDialogTerm = 0x40;
constexpr uint32_t kActionBits = kFindNext | kReplace | kReplaceAll | kDialogTerm;

}  // namespace

std::string fitFindText(const std::string& text) {
    const std::string upToNul = text.substr(0, text.find('\0'));
    return upToNul.substr(0, kFindTextBuffer - 1);
}

FindAction findActionOf(uint32_t flags) {
    if (flags & kDialogTerm) return FindAction::Close;
    if (flags & kReplaceAll) return FindAction::ReplaceAll;
    if (flags & kReplace) return FindAction::Replace;
    if (flags & kFindNext) return FindAction::FindNext;
    return FindAction::None;
}

uint32_t findChoiceFlags(uint32_t flags) { return flags & ~kActionBits; }

const rt::Class& XFindDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XFindDlg", &TComponent::classRecord(), rt::factoryOf<XFindDlg>());
        const char* params = "oSender, cText, nFlags";
        kText = b.addProperty({.name = "cText", .initial = "", .type = "C", .scope = Published});
        kFlags = b.addProperty({.name = "nFlags", .initial = 1, .type = "N", .scope = Published});  // FR_DOWN
        kCenter = b.addProperty({.name = "lCenter", .initial = false, .type = "L", .scope = Published});
        b.addProperty({.name = "HelpId", .scope = Published});
        b.addEvent("OnShow", Published, "oSender");
        b.addEvent("OnFind", Published, params);
        b.addEvent("OnClose", Published, params);
        b.addEvent("OnHelp", Published, "oSender, HelpId, nPosX, nPosY");
        kLastError = b.addData("nLastError", 0, "N");
        addMembers<XFindDlg>(b);
        return b.create();
    }();
    return c;
}

// The find dialog's members, with the replace text added to the events' parameters.
const rt::Class& XReplaceDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XReplaceDlg", &XFindDlg::classRecord(), rt::factoryOf<XReplaceDlg>());
        const char* params = "oSender, cText, cReplaceText, nFlags";
        kReplaceText = b.addProperty({.name = "cReplaceText", .initial = "", .type = "C", .scope = Published});
        for (const char* event : {"OnFind", "OnReplace", "OnReplaceAll", "OnClose"}) b.addEvent(event, Published, params);
        addMembers<XReplaceDlg>(b);
        return b.create();
    }();
    return c;
}

Value XFindDlg::Run(rt::Args) { return runDialog(false); }

Value XReplaceDlg::Run(rt::Args) { return runDialog(true); }

// Each notice first leaves the texts and choices in the properties, so a handler may read them there too.
Value XFindDlg::runDialog(bool replace) {
    FindRequest r;
    r.owner = ownerWindow(oParent() ? Value(oParent()) : Value());
    r.dialog = this;
    r.replace = replace;
    r.center = field(kCenter).asLogical();
    r.findText = fitFindText(textOf(field(kText)));
    if (replace) r.replaceText = fitFindText(textOf(field(kReplaceText)));
    r.flags = static_cast<uint32_t>(field(kFlags).asInteger());
    r.notify = [this, replace](const FindNotice& n) {
        field(kText) = Value(n.findText);
        if (replace) field(kReplaceText) = Value(n.replaceText);
        field(kFlags) = Value(static_cast<int64_t>(n.flags));
        const EventRef* event = n.action == FindAction::FindNext     ? &OnFind
                                : n.action == FindAction::Replace    ? &XReplaceDlg::OnReplace
                                : n.action == FindAction::ReplaceAll ? &XReplaceDlg::OnReplaceAll
                                : n.action == FindAction::Close      ? &OnClose
                                                                     : nullptr;
        if (!event) return;
        const Value flags(static_cast<int64_t>(n.flags));
        if (replace)
            fireEvent(*this, *event, {Value(n.findText), Value(n.replaceText), flags});
        else
            fireEvent(*this, *event, {Value(n.findText), flags});
    };
    fireEvent(*this, OnShow);
    const FindOutcome outcome = runFindReplace(r);
    field(kLastError) = Value(static_cast<int64_t>(outcome.error));
    return Value(outcome.shown);
}

}  // namespace vorpex
