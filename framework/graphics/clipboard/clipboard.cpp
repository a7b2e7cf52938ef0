#include "framework/graphics/clipboard/clipboard.h"

#include "framework/core/object/typed_method.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/clipboard/clipboard_formats.h"
#include "framework/graphics/clipboard/clipboard_platform.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Args;
using rt::Value;

namespace {

template <class T>
Value listValue(const std::vector<T>& list) {
    std::vector<Value> items;
    for (const T& x : list) items.emplace_back(x);
    return Value::array(std::move(items));
}

int64_t num(Args a, size_t i) { return rt::arg(a, i).asInteger(); }

}  // namespace

const rt::Class& XClipboard::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XClipboard", &TComponent::classRecord(), rt::factoryOf<XClipboard>());
        kParentHandle = b.addData("ParentHandle", 0, "N", Hidden);
        addMembers<XClipboard>(b);
        b.addMethod("Open", typedMethod<XClipboard>([](XClipboard& c, Args) { return Value(c.Open()); }));
        b.addMethod("Close", typedMethod<XClipboard>([](XClipboard& c, Args) { return Value(c.Close()); }));
        b.addMethod("Empty", typedMethod<XClipboard>([](XClipboard& c, Args) { return Value(c.Empty()); }));
        b.addMethod("IsEmpty", typedMethod<XClipboard>([](XClipboard& c, Args) { return Value(c.IsEmpty()); }));
        b.addMethod("GetOwner", typedMethod<XClipboard>([](XClipboard&, Args) { return Value(static_cast<int64_t>(clip::clipboardOwner())); }));
        b.addMethod("GetWindow",
                    typedMethod<XClipboard>([](XClipboard&, Args) { return Value(static_cast<int64_t>(clip::openClipboardWindow())); }));
        b.addMethod("SetData", typedMethod<XClipboard>([](XClipboard& c, Args a) { return Value(c.SetData(num(a, 0), rt::arg(a, 1))); }));
        b.addMethod("GetData", typedMethod<XClipboard>([](XClipboard& c, Args a) { return c.GetData(num(a, 0)); }));
        b.addMethod("HasData", typedMethod<XClipboard>([](XClipboard& c, Args a) { return Value(c.HasData(num(a, 0))); }));
        b.addMethod("GetText", typedMethod<XClipboard>([](XClipboard& c, Args) { return c.GetData(clip::kText); }));
        b.addMethod("SetText", typedMethod<XClipboard>([](XClipboard& c, Args a) { return Value(c.SetText(rt::arg(a, 0).asString())); }));
        b.addMethod("SetDropFiles", typedMethod<XClipboard>([](XClipboard& c, Args a) { return Value(c.SetDropFiles(rt::arg(a, 0))); }));
        b.addMethod("GetDropFiles", typedMethod<XClipboard>([](XClipboard& c, Args) { return listValue(c.GetDropFiles()); }));
        b.addMethod("RegisterFormat",
                    typedMethod<XClipboard>([](XClipboard& c, Args a) { return Value(c.RegisterFormat(rt::arg(a, 0).asString())); }));
        b.addMethod("CountFormats", typedMethod<XClipboard>([](XClipboard& c, Args) { return Value(c.CountFormats()); }));
        b.addMethod("EnumFormats", typedMethod<XClipboard>([](XClipboard& c, Args) { return listValue(c.EnumFormats()); }));
        b.addMethod("EnumFormatsName", typedMethod<XClipboard>([](XClipboard& c, Args) { return listValue(c.EnumFormatsName()); }));
        b.addMethod("GetFormatName", typedMethod<XClipboard>([](XClipboard& c, Args a) { return Value(c.GetFormatName(num(a, 0))); }));
        b.addMethod("IsSystemFormat", typedMethod<XClipboard>([](XClipboard&, Args a) { return Value(clip::isSystemFormat(num(a, 0))); }));
        // Named "private" of old; what it tells is whether the number is a registered format.
        b.addMethod("IsPrivateFormat",
                    typedMethod<XClipboard>([](XClipboard&, Args a) { return Value(clip::isRegisteredFormat(num(a, 0))); }));
        return b.create();
    }();
    return c;
}

Value XClipboard::Create(Args args) {
    TComponent::Create(args);
    const Value& owner = rt::arg(args, 0);
    if (owner.isObject()) field(kParentHandle) = rt::send(owner, "Handle");
    return selfValue();
}

Value XClipboard::Destroy(Args args) {
    Close();
    return TComponent::Destroy(args);
}

bool XClipboard::Open() { return clip::openClipboard(ParentHandle()); }
bool XClipboard::Close() { return clip::closeClipboard(); }

bool XClipboard::Empty() {
    if (!Open()) return false;
    bool done = clip::emptyClipboard();
    Close();
    return done;
}

bool XClipboard::IsEmpty() { return CountFormats() == 0; }

bool XClipboard::SetData(int64_t format, const Value& data) {
    if (!Open()) return false;
    bool done = clip::setData(format, data);
    Close();
    return done;
}

Value XClipboard::GetData(int64_t format) {
    if (!Open()) return {};
    Value v = clip::getData(format);
    Close();
    return v;
}

bool XClipboard::HasData(int64_t format) { return clip::formatAvailable(format); }
std::string XClipboard::GetText() { return GetData(clip::kText).asString(); }
bool XClipboard::SetText(const std::string& text) { return SetData(clip::kText, text); }

bool XClipboard::SetDropFiles(const Value& files) { return SetData(clip::kHdrop, Value(clip::dropList(files))); }

std::vector<std::string> XClipboard::GetDropFiles() {
    return clip::splitDropList(GetData(clip::kHdrop).asString());
}

int64_t XClipboard::RegisterFormat(const std::string& name) {
    int64_t n = clip::registerFormat(name);
    return clip::isRegisteredFormat(n) ? n : 0;
}

int64_t XClipboard::CountFormats() { return clip::countFormats(); }

std::vector<int64_t> XClipboard::EnumFormats() {
    if (!Open()) return {};
    std::vector<int64_t> formats = clip::enumFormats();
    Close();
    return formats;
}

std::vector<std::string> XClipboard::EnumFormatsName() {
    std::vector<std::string> names;
    for (int64_t f : EnumFormats()) names.push_back(GetFormatName(f));
    return names;
}

std::string XClipboard::GetFormatName(int64_t format) {
    return format <= 18 ? clip::standardFormatName(format) : clip::registeredFormatName(format);
}

}  // namespace vorpex
