#include "framework/controls/masked_edit/mask_edit.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "framework/controls/masked_edit/mask_rules.h"
#include "framework/core/native/value_readers.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/clipboard/clipboard.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/settings.h"
#include "runtime/lib/date.h"
#include "runtime/lib/number.h"
#include "runtime/lib/text.h"
#include "runtime/lib/transform.h"

namespace vorpex {

using rt::Value;

namespace {

using native::textOf;

constexpr unsigned kRepair = WM_USER + 1;

using native::number;
using win::toHwnd;
bool contains(std::string_view s, char c) { return s.find(c) != std::string_view::npos; }

}  // namespace

const rt::Class& XMaskEdit::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XMaskEdit;
        VPClass b("xMaskEdit", &TEdit::classRecord(), rt::factoryOf<XMaskEdit>());
        kMaskValue = b.addProperty({.name = "Value", .scope = Published, .getter = "GetValue", .setter = "SetValue"});
        kPicture = b.addProperty(
            {.name = "cPicture", .initial = "", .type = "C", .scope = Published,
             .setter = rt::NativeMethod([](rt::Object& o, const rt::Method&, rt::Args a) {
                 return static_cast<X&>(o).SetPicture(std::vector<Value>{rt::arg(a, 0), true});
             })});
        kZeroFill = b.addProperty({.name = "lZeroFill", .initial = false, .type = "L", .scope = Published});
        kTrimSpaces = b.addProperty({.name = "lTrimSpaces", .initial = true, .type = "L", .scope = Published});
        kOnFocusChange = b.addData("lOnFocusChange", false, "L", Exported);
        kType = b.addData("cType", "C", "C", Protected);
        kPicFunc = b.addData("cPicFunc", "", "C", Protected);
        kPicMask = b.addData("cPicMask", "", "C", Protected);
        kPicUser = b.addData("cPicUser", "", "C", Protected);
        kPicComplex = b.addData("lPicComplex", false, "L", Protected);
        // The picture decides these; the edit's own would only get in its way.
        for (const char* name : {"lPassword", "lNumeric", "cPasswordChar"}) {
            b.addProperty({.name = name, .scope = Hidden});
            b.record().redeclareField(b.record().fieldPosition(std::string("F") + name), Value(), "");
        }
        b.addData("lUppercase", Value(), "L", Hidden);
        b.addData("lLowercase", Value(), "L", Hidden);

        addMembers<XMaskEdit>(b);
        auto sender = [](unsigned message) {
            return rt::NativeMethod([message](rt::Object& o, const rt::Method&, rt::Args) {
                X& e = static_cast<X&>(o);
                return Value(e.windowExists() ? SendMessageA(toHwnd(e.Handle()), message, 0, 0) : 0);
            });
        };
        b.addMethod("Undo", sender(WM_UNDO));
        b.addMethod("Clear", sender(WM_CLEAR));
        b.addMethod("Copy", sender(WM_COPY));
        b.addMethod("Cut", sender(WM_CUT));
        b.addMethod("Paste", sender(WM_PASTE));
        return b.create();
    }();
    return c;
}

// ---- state

std::string XMaskEdit::type() const { return textOf(field(kType)); }
std::string XMaskEdit::function() const { return textOf(field(kPicFunc)); }
std::string XMaskEdit::maskText() const { return textOf(field(kPicMask)); }
bool XMaskEdit::complex() const { return field(kPicComplex).asLogical(); }
bool XMaskEdit::hasPicture() const { return !textOf(field(kPicture)).empty(); }
bool XMaskEdit::readOnly() const { return field(kReadOnly).asLogical(); }
int64_t XMaskEdit::maxLength() const { return field(kMaxLength).asInteger(); }
void XMaskEdit::setMaxLength(int64_t n) { SetMaxLength(std::vector<Value>{number(n)}); }

std::pair<int64_t, int64_t> XMaskEdit::selection() {
    DWORD start = 0, end = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

void XMaskEdit::setCaret(int64_t at) { send(EM_SETSEL, static_cast<WPARAM>(at), at); }
void XMaskEdit::setModified() { send(EM_SETMODIFY, 1); }

void XMaskEdit::writeTyped(const std::string& text) {
    field(kText) = Value(text);
    if (windowExists() && windowText() != text) SetWindowTextA(toHwnd(Handle()), text.c_str());
    GetValue({});
    setModified();
}

void XMaskEdit::clearAndRepost(int64_t key) {
    send(WM_CLEAR);
    PostMessageA(toHwnd(Handle()), WM_CHAR, static_cast<WPARAM>(key), 0);
}

void XMaskEdit::postRepair(intptr_t message, intptr_t caret) {
    if (windowExists()) PostMessageA(toHwnd(Handle()), kRepair, static_cast<WPARAM>(message), caret);
}

char XMaskEdit::decimalSeparator() const {
    const Value answer = sendIfUnderstood(rt::publicVar("Application"), "DecimalSeparator");
    return answer.isString() && !answer.asString().empty() ? answer.asString()[0] : '.';
}

// ---- picture and value

Value XMaskEdit::SetPicture(rt::Args args) {
    const std::string picture = textOf(rt::arg(args, 0).deref());
    const bool user = rt::arg(args, 1).asLogical();
    const std::string before = textOf(field(kPicture));
    if (user) field(kPicUser) = Value(picture);
    field(kPicMask) = Value("");
    field(kPicFunc) = Value("");
    field(kPicComplex) = false;
    const std::string t = type();
    if (picture.empty() && t == "C") {
        field(kPicture) = Value("");
        return Value("");
    }
    const std::string dateFormat = rt::effectiveDateFormat();
    mask::Picture p = mask::splitPicture(picture, t == "D", dateFormat);
    if (t == "N" && !contains(p.function, 'E') && decimalSeparator() == ',' && before.empty())
        p.function = p.function.empty() ? "@E" : p.function + "E";
    if (p.mask.empty()) {
        if (t == "D") p.mask = mask::dateMask(dateFormat);
        if (t == "N") p.mask = mask::numberMask(rt::str(field(kMaskValue).asNumber()));
        if (t == "L") p.mask = "L";
        p.complex = !p.mask.empty() && mask::isComplex(p.mask, t == "D");
    }
    field(kPicFunc) = Value(p.function);
    field(kPicMask) = Value(p.mask);
    field(kPicComplex) = p.complex;
    if (!p.mask.empty()) setMaxLength(static_cast<int64_t>(p.mask.size()));
    const std::string stored = mask::joinPicture(p.function, p.mask);
    field(kPicture) = Value(stored);
    if (user) SetValue(std::vector<Value>{GetValue({}), Value(), false});
    return Value(stored);
}

Value XMaskEdit::SetValue(rt::Args args) {
    const Value value = rt::arg(args, 0).deref();
    const bool focused = rt::arg(args, 1).isNil() ? lFocused() : rt::arg(args, 1).asLogical();
    const bool rePicture = rt::arg(args, 2).isNil() || rt::arg(args, 2).asLogical();
    const bool raw = rt::arg(args, 3).asLogical();
    const std::string t(1, value.typeCode());
    if (t != type()) field(kPicture) = field(kPicUser);
    field(kMaskValue) = value;
    field(kType) = Value(t);
    if (rePicture) SetPicture(std::vector<Value>{field(kPicture)});
    std::string f = function(), m = maskText();
    if (focused) f = mask::focusedFunction(f);
    std::string text;
    if (t == "N") {
        if (focused) m = mask::focusedNumberMask(std::move(m));
        if (!m.empty()) setMaxLength(static_cast<int64_t>(m.size()));
        text = rt::alltrim(rt::transform(value, mask::joinPicture(f, m)));
        if (focused && complex()) {
            const auto digits = std::count_if(m.begin(), m.end(), [](char c) { return c == '9' || c == '#'; });
            setMaxLength(digits + (contains(m, '.') ? 1 : 0));
            std::erase_if(text, [](char c) { return !contains("-0123456789,.", c); });
        }
    } else if (t == "L") {
        setMaxLength(1);
        text = rt::transform(value, mask::joinPicture(f, m)).substr(0, 1);
    } else if (t == "C") {
        const std::string source = field(kTrimSpaces).asLogical() ? rt::rtrim(value.asString()) : value.asString();
        text = rt::transform(Value(source), mask::joinPicture(f, m));
        if (!m.empty()) {
            setMaxLength(static_cast<int64_t>(m.size()));
            if (text.size() > m.size()) text.resize(m.size());
        } else if (maxLength() == 0 && !raw) {
            setMaxLength(static_cast<int64_t>(value.asString().size()));
        }
    } else if (t == "D") {
        text = rt::transform(value, mask::joinPicture(f, m));
        setMaxLength(static_cast<int64_t>(m.size()));
    } else if (t != "U" && t != "A" && t != "O" && t != "B") {
        text = rt::transform(value, mask::joinPicture(f, m));
    }
    field(kText) = Value(text);
    if (windowExists() && windowText() != text) {
        if (!raw) field(kStopEvent) = true;
        SetWindowTextA(toHwnd(Handle()), text.c_str());
        field(kStopEvent) = false;
        if (raw) setModified();
    }
    return value;
}

Value XMaskEdit::GetValue(rt::Args) {
    if (windowExists()) field(kText) = Value(windowText());
    const std::string text = textOf(field(kText)), t = type(), f = function(), m = maskText();
    Value value;
    if (t == "C") {
        value = Value(contains(f, 'R') && !m.empty() ? mask::stripLiterals(text, m) : text);
    } else if (t == "N") {
        const mask::NumberText n = mask::numberText(text, f);
        rt::Number v = rt::val(n.digits);
        if (n.negative) v.isInteger ? void(v.integer = -v.integer) : void(v.real = -v.real);
        value = Value(v);
    } else if (t == "L") {
        value = Value(mask::logicalFromText(text));
    } else if (t == "D") {
        value = Value(rt::ctod(mask::dateTextForConversion(text, f, rt::effectiveDateFormat())));
    } else {
        value = Value(text);
    }
    field(kMaskValue) = value;
    return value;
}

Value XMaskEdit::Create(rt::Args args) {
    const int64_t kept = maxLength();
    Value self = XEdit::Create(args);
    SetValue(std::vector<Value>{GetValue({})});
    if (kept != 0 && maxLength() != kept) setMaxLength(kept);
    return self;
}

// ---- typing

Value XMaskEdit::WMChar(rt::Args args) {
    const int64_t key = rt::arg(args, 0).asInteger();
    if (key == VK_BACK && complex()) return Value(0);  // deleted on key down
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
    // The edit's own handling fires OnChar for these.
    if (key == VK_BACK || key == VK_RETURN || key == VK_TAB || key == VK_ESCAPE || readOnly() || ctrl != alt)
        return XEdit::WMChar(args);
    if (rt::arg(args, 2).asInteger()) {
        const Value answer = fireEvent(*this, OnChar, {rt::arg(args, 0), rt::arg(args, 1)});
        if (!answer.isNil()) return answer;
    }
    if (!Input(std::vector<Value>{number(key)}).asLogical()) return Value(0);
    GetValue({});
    // The window inserts it; OnChar has had its say already.
    std::vector<Value> forwarded{rt::arg(args, 0), rt::arg(args, 1), Value(0)};
    return XEdit::WMChar(forwarded);
}

Value XMaskEdit::Input(rt::Args args) {
    if (textOf(field(kPicUser)).empty() && !hasPicture()) return Value(true);
    const int64_t key = rt::arg(args, 0).asInteger();
    const char ch = static_cast<char>(key & 0xFF);
    const auto [start, end] = selection();
    const std::string text = windowExists() ? windowText() : textOf(field(kText));
    const std::string t = type();
    bool result = false;
    if (t == "N") {
        const char sep = contains(textOf(field(kPicUser)), 'E') ? decimalSeparator() : '.';
        const std::string m = mask::focusedNumberMask(maskText());
        const mask::NumberKey k = mask::numberKey(text, m, start, end, ch, sep);
        switch (k.kind) {
            case mask::NumberKey::Accept: result = true; break;
            case mask::NumberKey::Refuse: break;
            case mask::NumberKey::ClearAndRepost: clearAndRepost(key); return Value(false);
            case mask::NumberKey::SelectDecimals:
                send(EM_SETSEL, static_cast<WPARAM>(k.at), static_cast<LPARAM>(text.size()));
                return Value(false);
            case mask::NumberKey::WriteSeparator: {
                std::string s = text;
                if (k.at < static_cast<int64_t>(s.size()))
                    s[static_cast<size_t>(k.at)] = sep;
                else
                    s.push_back(sep);
                writeTyped(s);
                ::SetCursor(nullptr);
                setCaret(std::min<int64_t>(k.at + 1, static_cast<int64_t>(s.size())));
                return Value(false);
            }
        }
    } else if (t == "D") {
        const mask::Typed typed = mask::typeDate(text, maskText(), start, end, ch, maxLength());
        if (typed.kind == mask::Typed::Placed) {
            ::SetCursor(nullptr);
            writeTyped(typed.text);
            setCaret(typed.caret);
        }
        return Value(false);
    } else if (t == "L") {
        if (contains("YSNTVFysntvf", ch)) {
            writeTyped(std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(ch)))));
            setCaret(1);
        }
        return Value(false);
    } else {
        char c = ch;
        const std::string f = function();
        if (!f.empty()) {
            const std::string shown = rt::transform(Value(std::string(1, ch)), f);
            if (!shown.empty()) c = shown[0];
        }
        const mask::Typed typed = mask::typeText(text, maskText(), complex(), start, start != end, c, maxLength());
        if (typed.kind == mask::Typed::ClearSelectionFirst) clearAndRepost(key);
        if (typed.kind == mask::Typed::Placed) {
            writeTyped(typed.text);
            setCaret(typed.caret);
        }
        return Value(false);
    }
    if (result) setModified();
    return Value(result);
}

Value XMaskEdit::WMKeyDown(rt::Args args) {
    const int64_t key = rt::arg(args, 0).asInteger();
    if ((key != VK_DELETE && key != VK_BACK) || readOnly() || !complex() || !windowExists())
        return XEdit::WMKeyDown(args);
    const Value answer = fireEvent(*this, OnKeyDown, {rt::arg(args, 0), rt::arg(args, 1)});
    if (!answer.isNil()) return answer;
    const auto [start, end] = selection();
    const std::string t = type();
    const mask::Deleted d =
        mask::deleteInMask(windowText(), maskText(), t == "D", t == "N", start, end, key == VK_BACK);
    writeTyped(d.text);
    setCaret(d.caret);
    return Value(0);
}

Value XMaskEdit::Change(rt::Args) {
    if (field(kOnFocusChange).asLogical() || !windowExists()) return {};
    return fireEvent(*this, OnChange);
}

// ---- focus

Value XMaskEdit::WMSetFocus(rt::Args args) {
    const Value result = XEdit::WMSetFocus(args);
    field(kOnFocusChange) = true;
    if (field(kMaskValue).isNil()) field(kMaskValue) = field(kText);
    if (hasPicture()) {
        const Value value = SetValue(std::vector<Value>{GetValue({}), true});
        const Value& autoSelect = field(kAutoSelect);
        const bool selectNumber = value.isNumber() && !(autoSelect.isLogical() && !autoSelect.asLogical());
        if (selectNumber || contains(function(), 'K')) send(EM_SETSEL, 0, -1);
    }
    field(kOnFocusChange) = false;
    return result;
}

bool XMaskEdit::unreadableDate() {
    if (type() != "D" || !windowExists()) return false;
    const std::string text = windowText();
    const bool digits = std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits && rt::ctod(mask::dateTextForConversion(text, function(), rt::effectiveDateFormat())).empty();
}

Value XMaskEdit::WMKillFocus(rt::Args args) {
    // A date that does not read yet keeps its text for Valid to refuse, not an empty date that would pass.
    if (hasPicture() && !unreadableDate()) SetValue(std::vector<Value>{GetValue({}), false});
    return XControl::WMKillFocus(args);
}

Value XMaskEdit::Valid(rt::Args args) {
    field(kOnFocusChange) = true;
    if (unreadableDate()) {
        MessageBeep(MB_OK);
        send(EM_SETSEL, 0, -1);
        // What the user types until the focus comes back is still theirs: OnChange fires again.
        field(kOnFocusChange) = false;
        return Value(false);
    }
    if (hasPicture()) SetValue(std::vector<Value>{GetValue({}), false});
    const Value value = field(kMaskValue);
    if (field(kZeroFill).asLogical() && maxLength() > 0 && type() == "C" && !rt::alltrim(value.asString()).empty()) {
        const std::string padded = mask::zeroFilled(value.asString(), maxLength());
        if (padded != rt::alltrim(value.asString())) SetValue(std::vector<Value>{Value(padded), false});
    }
    field(kOnFocusChange) = false;
    return XControl::Valid(args);
}

// ---- clipboard and undo: the window does the work, the edit repairs afterwards

Value XMaskEdit::WMUndo(rt::Args) {
    postRepair(WM_UNDO, 0);
    return {};
}

Value XMaskEdit::WMCut(rt::Args) {
    postRepair(WM_CUT, selection().first);
    return {};
}

Value XMaskEdit::WMClear(rt::Args) {
    postRepair(WM_CLEAR, selection().first);
    return {};
}

Value XMaskEdit::WMPaste(rt::Args) {
    Value clipboard(TClipboard::classRecord().instantiate());
    rt::send(clipboard, "New", {Value(this->self())});
    const Value text = rt::send(clipboard, "GetText");
    rt::send(clipboard, "Destroy");
    if (!text.isString() || text.asString().empty()) return {};
    if (type() == "C" && !maskText().empty() && !readOnly() && windowExists()) {
        // Pasted text is typed through the mask, character by character: literals are stepped over and a
        // character a position refuses is left out.
        const auto [start, end] = selection();
        std::string current = windowText();
        if (start != end)
            current = complex() ? mask::deleteInMask(current, maskText(), false, false, start, end, false).text
                                : current.erase(static_cast<size_t>(std::min(start, end)),
                                                static_cast<size_t>(std::abs(end - start)));
        const mask::Typed typed = mask::pasteText(current, maskText(), complex(), std::min(start, end),
                                                  text.asString(), maxLength());
        if (typed.kind == mask::Typed::Placed) {
            writeTyped(typed.text);
            setCaret(typed.caret);
        }
        return Value(0);  // the window's own paste would ignore the mask
    }
    postRepair(WM_PASTE, selection().first + static_cast<int64_t>(text.asString().size()));
    return {};
}

Value XMaskEdit::WMVorpex(rt::Args args) {
    const int64_t what = rt::arg(args, 0).asInteger(), at = std::max<int64_t>(rt::arg(args, 1).asInteger(), 0);
    // A date half typed would re-format as the empty date: its text stays until it reads as a date.
    if (what == WM_PASTE) {
        if (unreadableDate()) return {};
        SetValue(std::vector<Value>{GetValue({}), Value(), Value(), true});
        setCaret(at);
    } else if ((what == WM_CUT || what == WM_CLEAR) && !readOnly() && complex() && windowExists()) {
        writeTyped(mask::restoreWidth(windowText(), maskText().size(), at));
        if (!unreadableDate()) SetValue(std::vector<Value>{GetValue({}), false});
        setCaret(at);
    }
    return {};
}

}  // namespace vorpex
