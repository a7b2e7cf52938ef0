#include "framework/graphics/font/font.h"

#include <algorithm>

#include "framework/core/native/native_args.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/screen/screen.h"
#include "framework/graphics/graphics_port.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using rt::Value;

bool understands(const Value& v, std::string_view message) {
    return v.isObject() && rt::understands(v, rt::Symbol::intern(message));
}

// A callable of another library (the printer layer), reached by name so that fonts need not link it.
intptr_t callHandle(std::string_view function, std::initializer_list<Value> args) {
    const rt::Function* f = rt::findFunction(function);
    if (!f) return 0;
    return static_cast<intptr_t>((*f)(rt::Args(args.begin(), args.size())).asInteger());
}

int64_t applicationFontScale() {
    const Value app = rt::publicVar("Application");
    if (!understands(app, "nFontScale")) return 100;
    return rt::send(app, "nFontScale").asInteger();
}

}  // namespace

const rt::Class& XFont::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XFont", &TWinObject::classRecord(), rt::factoryOf<XFont>());
        kDevice = b.addData("oDevice");
        kCount = b.addData("nCount", 0, "N");
        auto store = [](int& position) {
            return rt::NativeMethod([&position](rt::Object& self, const rt::Method&, rt::Args a) {
                return static_cast<XFont&>(self).StoreAndRecreate(position, rt::arg(a, 0));
            });
        };
        auto flag = [](int& position, int64_t bit) {
            return rt::NativeMethod([&position, bit](rt::Object& self, const rt::Method&, rt::Args a) {
                return static_cast<XFont&>(self).SetStyleFlag(position, bit, a);
            });
        };
        kName = b.addProperty({.name = "cName", .initial = "MS Sans Serif", .type = "C", .scope = Published,
                               .setter = store(kName)});
        kSize = b.addProperty({.name = "nSize", .initial = 8, .type = "N", .setter = &XFont::SetSize});
        kWidth = b.addProperty({.name = "nWidth", .initial = 0, .type = "N", .setter = store(kWidth)});
        kHeight = b.addProperty({.name = "nHeight", .initial = 0, .type = "N", .setter = store(kHeight)});
        kStyle = b.addProperty({.name = "nStyle", .initial = 0, .type = "N", .setter = store(kStyle)});
        kWeight = b.addProperty({.name = "nWeight", .initial = 400, .type = "N", .setter = &XFont::SetWeight});
        kOrientation =
            b.addProperty({.name = "nOrientation", .initial = 0, .type = "N", .setter = store(kOrientation)});
        kBold = b.addProperty({.name = "lBold", .initial = false, .type = "L", .setter = &XFont::SetBold});
        kItalic = b.addProperty(
            {.name = "lItalic", .initial = false, .type = "L", .setter = flag(kItalic, gfx::kStyleItalic)});
        kUnderline = b.addProperty(
            {.name = "lUnderline", .initial = false, .type = "L", .setter = flag(kUnderline, gfx::kStyleUnderline)});
        kStrikeOut = b.addProperty(
            {.name = "lStrikeOut", .initial = false, .type = "L", .setter = flag(kStrikeOut, gfx::kStyleStrikeOut)});
        kCharSet = b.addProperty({.name = "nCharSet", .initial = 1, .type = "N", .setter = store(kCharSet)});
        addMembers<XFont>(b);
        return b.create();
    }();
    return c;
}

// ---- fields

gfx::FontFields XFont::fields() const {
    gfx::FontFields f;
    f.name = field(kName).asString();
    f.size = field(kSize).asDouble();
    f.width = field(kWidth).asInteger();
    f.height = field(kHeight).asInteger();
    f.style = field(kStyle).asInteger();
    f.weight = field(kWeight).asInteger();
    f.orientation = field(kOrientation).asInteger();
    f.bold = field(kBold).asLogical();
    f.italic = field(kItalic).asLogical();
    f.underline = field(kUnderline).asLogical();
    f.strikeOut = field(kStrikeOut).asLogical();
    f.charSet = field(kCharSet).asInteger();
    return f;
}

void XFont::setFields(const gfx::FontFields& f) {
    field(kName) = Value(f.name);
    field(kSize) = f.size == static_cast<int64_t>(f.size) ? Value(static_cast<int64_t>(f.size)) : Value(f.size);
    field(kWidth) = Value(f.width);
    field(kHeight) = Value(f.height);
    field(kStyle) = Value(f.style);
    field(kWeight) = Value(f.weight);
    field(kOrientation) = Value(f.orientation);
    field(kBold) = Value(f.bold);
    field(kItalic) = Value(f.italic);
    field(kUnderline) = Value(f.underline);
    field(kStrikeOut) = Value(f.strikeOut);
    field(kCharSet) = Value(f.charSet);
}

// ---- device

bool XFont::isPrinterFont() const {
    auto device = oDevice().asObject();
    return device && !device->objectClass().isDerivedFrom(XScreen::classRecord());
}

// LOGPIXELSY of the font's device. A printer font measures on the preview's printer DC or the printer's own
// DC, else on a printer DC made for the call (0 when no printer can be reached); with `screenWhenEmpty` an
// empty printer DC falls back to the screen instead.
int64_t XFont::deviceLogPixelsY(bool screenWhenEmpty) {
    gfx::GraphicsPort& port = gfx::graphicsPort();
    if (!isPrinterFont()) return port.logPixelsY(0);
    const Value device = oDevice();
    intptr_t dc = 0;
    if (understands(device, "lPreview") && rt::send(device, "lPreview").asLogical()) {
        const Value preview = rt::send(device, "oPreviewDC");
        if (understands(preview, "hPrinterDC")) dc = static_cast<intptr_t>(rt::send(preview, "hPrinterDC").asInteger());
    } else if (understands(device, "hDC")) {
        dc = static_cast<intptr_t>(rt::send(device, "hDC").asInteger());
    }
    if (dc) return port.logPixelsY(dc);
    if (screenWhenEmpty) return port.logPixelsY(0);
    const intptr_t temporary = callHandle("PRINTERCREATEDC", {});
    if (!temporary) return 0;
    const int64_t dpi = port.logPixelsY(temporary);
    callHandle("PRINTERDELETEDC", {Value(static_cast<int64_t>(temporary))});
    return dpi;
}

gfx::FontDevice XFont::device() {
    const bool printer = isPrinterFont();
    return {printer, deviceLogPixelsY(false), printer ? 100 : applicationFontScale()};
}

// ---- handles

void XFont::replaceHandle(intptr_t handle) {
    const intptr_t old = Handle();
    setHandle(handle);
    if (!old) return;
    if (nCount() > 0)
        retired_.push_back(old);
    else
        gfx::graphicsPort().deleteObject(old);
}

void XFont::releaseAll() {
    gfx::GraphicsPort& port = gfx::graphicsPort();
    if (Handle()) port.deleteObject(Handle());
    for (intptr_t h : retired_) port.deleteObject(h);
    retired_.clear();
    setHandle(0);
}

// ---- messages

Value XFont::New(rt::Args args) {
    if (rt::arg(args, 0).isObject()) field(kDevice) = rt::arg(args, 0);
    return XComponent::New({});
}

Value XFont::Create(rt::Args args) {
    gfx::FontFields f = fields();
    if (native::isTextArg(args, 0)) f.name = rt::arg(args, 0).asString();
    const Value& size = rt::arg(args, 1);
    if (size.isArray()) {
        f.width = size.asArray()->at1(1).asInteger();
        f.height = size.asArray()->at1(2).asInteger();
        f.size = 0;
    } else if (size.isNumber()) {
        f.size = size.asDouble();
    }
    if (auto v = native::optionalInt(args, 2)) f.style = *v;
    if (auto v = native::optionalInt(args, 3)) f.weight = *v;
    if (auto v = native::optionalInt(args, 4)) f.orientation = *v;
    if (rt::arg(args, 5).isObject()) field(kDevice) = rt::arg(args, 5);
    if (auto v = native::optionalInt(args, 6)) f.charSet = *v;

    const gfx::LogFont record = gfx::makeLogFont(f, device());
    setFields(f);
    replaceHandle(gfx::graphicsPort().createFont(record));
    return selfValue();
}

Value XFont::Destroy(rt::Args) {
    if (!Handle()) return {};
    // Never below 0: a count driven negative would let a later pair of users free the font one user early.
    const int64_t users = std::max<int64_t>(0, nCount() - 1);
    field(kCount) = Value(users);
    if (users == 0) releaseAll();
    return {};
}

Value XFont::Clone(rt::Args args) {
    const gfx::FontFields f = fields();
    const bool deviceGiven = rt::arg(args, 0).isObject();
    // Without an argument the copy is made for this font's own device, as a pen's copy is.
    const Value device = deviceGiven ? rt::arg(args, 0) : oDevice();
    const Value size = deviceGiven || f.width == 0 ? field(kSize) : Value::array({Value(f.width), Value(f.height)});
    auto copy = std::static_pointer_cast<XFont>(TFont::classRecord().instantiate());
    const Value createArgs[] = {Value(f.name), size, Value(f.style), Value(f.weight), Value(f.orientation), device,
                                Value(f.charSet)};
    return copy->Create(createArgs);
}

Value XFont::Compare(rt::Args args) {
    auto other = rt::objectAs<XFont>(rt::arg(args, 0));
    return Value(other && compare(*other));
}

Value XFont::GetTextSize(rt::Args args) {
    const std::string text = native::textOr(args, 0);
    const Value& window = rt::arg(args, 1);
    intptr_t hwnd = 0;
    if (window.isNumber())
        hwnd = static_cast<intptr_t>(window.asInteger());
    else if (understands(window, "Handle"))
        hwnd = static_cast<intptr_t>(rt::send(window, "Handle").asInteger());
    const gfx::TextExtent e = gfx::graphicsPort().textExtent(Handle(), text, hwnd);
    return Value::array({Value(e.cx), Value(e.cy)});
}

Value XFont::GetTextWidth(rt::Args args) { return GetTextSize(args).asArray()->at1(1); }

Value XFont::GetTextHeight(rt::Args args) { return GetTextSize(args).asArray()->at1(2); }

Value XFont::SaveToText(rt::Args) { return Value(gfx::saveToText(fields())); }

Value XFont::RestoreFromText(rt::Args args) {
    auto restored = gfx::restoreFromText(native::textOr(args, 0));
    if (!restored) return Value(false);
    // Every field first, the name last through its setter: a created font is re-created once.
    const std::string name = restored->name;
    restored->name = fields().name;
    setFields(*restored);
    StoreAndRecreate(kName, Value(name));
    return Value(true);
}

Value XFont::Recreate(rt::Args) {
    if (Handle()) Create({});
    return {};
}

Value XFont::SizeToHeight(rt::Args args) {
    return Value(gfx::sizeToHeight(rt::arg(args, 0).asDouble(), deviceLogPixelsY(false)));
}

Value XFont::HeightToSize(rt::Args args) {
    return Value(gfx::heightToSize(rt::arg(args, 0).asInteger(), deviceLogPixelsY(true)));
}

Value XFont::SetSize(rt::Args args) {
    const Value& size = rt::arg(args, 0);
    field(kSize) = size;
    field(kWidth) = Value(0);
    field(kHeight) = SizeToHeight(args);
    Recreate({});
    return size;
}

Value XFont::StoreAndRecreate(int position, const Value& v) {
    field(position) = v;
    Recreate({});
    return v;
}

Value XFont::SetWeight(rt::Args args) {
    const Value& weight = rt::arg(args, 0);
    field(kBold) = Value(weight.asInteger() > 699);
    return StoreAndRecreate(kWeight, weight);
}

Value XFont::SetBold(rt::Args args) {
    const bool bold = rt::arg(args, 0).asLogical();
    field(kBold) = Value(bold);
    const Value weight(bold ? 700 : 400);
    SetWeight(rt::Args(&weight, 1));
    return rt::arg(args, 0);
}

Value XFont::SetStyleFlag(int position, int64_t bit, rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    field(position) = Value(on);
    const int64_t style = field(kStyle).asInteger();
    StoreAndRecreate(kStyle, Value(on ? style | bit : style & ~bit));
    return rt::arg(args, 0);
}

}  // namespace vorpex
