#include "framework/graphics/metafile/metafile.h"

#include <utility>

#include "framework/core/native/application_value.h"
#include "framework/core/native/casts.h"
#include "framework/core/native/native_args.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"

namespace vorpex {

using rt::Value;
using namespace native;

namespace {

gfx::MetafilePort& emfPort() { return gfx::metafilePort(); }

Value integerPair(int64_t a, int64_t b) { return Value::array({Value(a), Value(b)}); }
Value emfHandle(intptr_t h) { return Value(static_cast<int64_t>(h)); }

// The header as the 13 values GETENHMETAFILEHEADER gives.
Value headerArray(const gfx::EmfHeader& h) {
    return Value::array({Value(h.type), Value(h.bytes), Value(h.boundsWidth), Value(h.boundsHeight),
                         Value(h.frameWidth), Value(h.frameHeight), Value(h.version), Value(h.records),
                         Value(h.description), Value(h.devicePixelsX), Value(h.devicePixelsY),
                         Value(h.deviceMillimetresX), Value(h.deviceMillimetresY)});
}

}  // namespace

const rt::Class& XEnhMetaFile::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XEnhMetaFile;
        VPClass b("XEnhMetaFile", &TWinObject::classRecord(), rt::factoryOf<XEnhMetaFile>());
        kName = b.addProperty({.name = "cName", .initial = "", .type = "C", .setter = &X::SetName});
        b.addProperty({.name = "nWidth", .initial = 0, .type = "N", .readOnly = true, .getter = &X::GetWidth});
        b.addProperty({.name = "nHeight", .initial = 0, .type = "N", .readOnly = true, .getter = &X::GetHeight});
        kNewDc = b.addData("hNewDC", 0, "N", Exported | ReadOnly);
        kDescription = b.addData("cDescription", "", "C", Exported | ReadOnly);
        kType = b.addData("nType", 0, "N", Exported | ReadOnly);
        kBytes = b.addData("nBytes", 0, "N", Exported | ReadOnly);
        kGdiWidth = b.addData("nGdiWidth", 0, "N", Exported | ReadOnly);
        kGdiHeight = b.addData("nGdiHeight", 0, "N", Exported | ReadOnly);
        kMmsWidth = b.addData("nMmsWidth", 0, "N", Exported | ReadOnly);
        kMmsHeight = b.addData("nMmsHeight", 0, "N", Exported | ReadOnly);
        kVersion = b.addData("nVersion", 0, "N", Exported | ReadOnly);
        kRecords = b.addData("nRecords", 0, "N", Exported | ReadOnly);
        kDevicePixRes = b.addData("aDevicePixRes", integerPair(0, 0), "A", Exported | ReadOnly);
        kDeviceMmsRes = b.addData("aDeviceMmsRes", integerPair(0, 0), "A", Exported | ReadOnly);
        addMembers<XEnhMetaFile>(b);
        b.addMethod("Load", rt::method(&X::Load), Exported | Constructor);
        const std::pair<const char*, Value (X::*)(rt::Args)> methods[] = {
            {"Destroy", &X::Destroy}, {"Close", &X::Close}, {"GetInfo", &X::GetInfo},
            {"Paint", &X::Paint},     {"Play", &X::Play},   {"Copy", &X::Copy}};
        for (const auto& [name, fn] : methods) b.addMethod(name, rt::method(fn));
        return b.create();
    }();
    return c;
}

// An object dropped without Destroy must not keep its recording context or metafile.
XEnhMetaFile::~XEnhMetaFile() {
    if (hNewDC()) emfPort().remove(emfPort().close(hNewDC()));
    if (Handle()) emfPort().remove(Handle());
}

// ---- recording

// A second recording ends the first one (whose context would otherwise stay open) and replaces the metafile.
Value XEnhMetaFile::Create(rt::Args args) {
    if (!lCreated()) XComponent::Create({});
    const std::string file = textOr(args, 1);
    const std::string description = gfx::storedDescription(applicationText("cTitle"), textOr(args, 4));
    const intptr_t dc = emfPort().record(handleArg(args, 0), file, intArg(args, 2), intArg(args, 3), description);
    if (!dc) return selfValue();
    dropRecording();
    dropMetafile();
    field(kNewDc) = emfHandle(dc);
    field(kName) = Value(file);
    return selfValue();
}

Value XEnhMetaFile::Close(rt::Args) {
    if (!hNewDC()) return Value(false);
    setHandle(emfPort().close(hNewDC()));
    field(kNewDc) = emfHandle(0);
    GetInfo({});
    return Value(true);
}

void XEnhMetaFile::dropRecording() {
    if (!hNewDC()) return;
    emfPort().remove(emfPort().close(hNewDC()));
    field(kNewDc) = emfHandle(0);
}

void XEnhMetaFile::dropMetafile() {
    if (!Handle()) return;
    emfPort().remove(Handle());
    setHandle(0);
    GetInfo({});
}

// ---- loading

Value XEnhMetaFile::SetName(rt::Args args) {
    Load(args.first(std::min<size_t>(args.size(), 1)));
    return rt::arg(args, 0);
}

// A missing file leaves no metafile and no header facts of the one that was dropped.
Value XEnhMetaFile::Load(rt::Args args) {
    if (!lCreated()) XComponent::Create({});
    const std::string file = textOr(args, 0);
    if (Handle() && cName().isString() && cName().asString() == file) return selfValue();
    field(kName) = Value(file);
    dropMetafile();
    if (file.empty() || !emfPort().fileExists(file)) return selfValue();
    dropRecording();
    setHandle(emfPort().load(file));
    GetInfo({});
    return selfValue();
}

Value XEnhMetaFile::Destroy(rt::Args args) {
    dropRecording();
    dropMetafile();
    field(kName) = Value("");
    return XComponent::Destroy(args);
}

// ---- header facts

Value XEnhMetaFile::GetInfo(rt::Args) {
    const std::optional<gfx::EmfHeader> h = Handle() ? emfPort().header(Handle()) : std::nullopt;
    takeHeader(h.value_or(gfx::EmfHeader{}));
    return selfValue();
}

void XEnhMetaFile::takeHeader(const gfx::EmfHeader& h) {
    field(kType) = Value(h.type);
    field(kBytes) = Value(h.bytes);
    field(kGdiWidth) = Value(h.boundsWidth);
    field(kGdiHeight) = Value(h.boundsHeight);
    field(kMmsWidth) = Value(h.frameWidth);
    field(kMmsHeight) = Value(h.frameHeight);
    field(kVersion) = Value(h.version);
    field(kRecords) = Value(h.records);
    field(kDescription) = Value(h.description);
    field(kDevicePixRes) = integerPair(h.devicePixelsX, h.devicePixelsY);
    field(kDeviceMmsRes) = integerPair(h.deviceMillimetresX, h.deviceMillimetresY);
}

Value XEnhMetaFile::GetWidth(rt::Args) {
    return Value(gfx::referencePixels(field(kMmsWidth).asInteger(), native::arrayNumber(field(kDevicePixRes), 0),
                                      native::arrayNumber(field(kDeviceMmsRes), 0)));
}

Value XEnhMetaFile::GetHeight(rt::Args) {
    return Value(gfx::referencePixels(field(kMmsHeight).asInteger(), native::arrayNumber(field(kDevicePixRes), 1),
                                      native::arrayNumber(field(kDeviceMmsRes), 1)));
}

// ---- playing and copying

Value XEnhMetaFile::Paint(rt::Args args) {
    const intptr_t dc = handleArg(args, 0);
    if (!Handle() || !dc) return Value(false);
    return Value(emfPort().play(dc, Handle(), intArg(args, 1), intArg(args, 2), intArg(args, 3), intArg(args, 4)));
}

Value XEnhMetaFile::Play(rt::Args args) {
    const Value& rect = rt::arg(args, 1);
    const Value items[] = {rt::arg(args, 0), Value(native::arrayNumber(rect, 0)), Value(native::arrayNumber(rect, 1)),
                           Value(native::arrayNumber(rect, 2)), Value(native::arrayNumber(rect, 3))};
    return Paint(rt::Args(items, 5));
}

Value XEnhMetaFile::Copy(rt::Args args) {
    if (!Handle()) return emfHandle(0);
    return emfHandle(emfPort().copy(Handle(), textOr(args, 0)));
}

// ---- callables

void registerMetafileFunctions() {
    registerCallable("GETENHMETAFILE", [](rt::Args a) { return emfHandle(emfPort().load(textOr(a, 0))); });
    registerCallable("DELETEENHMETAFILE", [](rt::Args a) {
        return Value(handleArg(a, 0) != 0 && emfPort().remove(handleArg(a, 0)));
    });
    registerCallable("CREATEENHMETAFILE", [](rt::Args a) {
        const Value& rect = rt::arg(a, 2);
        return emfHandle(emfPort().record(handleArg(a, 0), textOr(a, 1), native::arrayNumber(rect, 2) - native::arrayNumber(rect, 0),
                                       native::arrayNumber(rect, 3) - native::arrayNumber(rect, 1), textOr(a, 3)));
    });
    registerCallable("CLOSEENHMETAFILE", [](rt::Args a) {
        return emfHandle(handleArg(a, 0) ? emfPort().close(handleArg(a, 0)) : 0);
    });
    registerCallable("PLAYENHMETAFILE", [](rt::Args a) {
        const Value& r = rt::arg(a, 2);
        if (!handleArg(a, 0) || !handleArg(a, 1)) return Value(false);
        return Value(emfPort().play(handleArg(a, 0), handleArg(a, 1), native::arrayNumber(r, 0), native::arrayNumber(r, 1), native::arrayNumber(r, 2),
                                 native::arrayNumber(r, 3)));
    });
    registerCallable("COPYENHMETAFILE", [](rt::Args a) {
        return emfHandle(handleArg(a, 0) ? emfPort().copy(handleArg(a, 0), textOr(a, 1)) : 0);
    });
    registerCallable("GETENHMETAFILEHEADER", [](rt::Args a) {
        const std::optional<gfx::EmfHeader> h = handleArg(a, 0) ? emfPort().header(handleArg(a, 0)) : std::nullopt;
        return h ? headerArray(*h) : Value();
    });
}

}  // namespace vorpex
