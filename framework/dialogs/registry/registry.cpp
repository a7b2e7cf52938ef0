#include "framework/dialogs/registry/registry.h"

#include <algorithm>

#include "framework/core/native/to_string.h"
#include "framework/core/object/property_record.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/settings.h"
#include "runtime/lib/date.h"

namespace vorpex::dialogs {

namespace {

constexpr int64_t kNotAttempted = 1;
constexpr int64_t kCurrentUser = 0x80000001;

// A value name: NIL is the key's unnamed value; anything but text cannot name one.
bool valueName(rt::Args args, std::string& name) {
    const rt::Value& v = rt::arg(args, 0);
    if (v.isNil()) return true;
    if (!v.isString()) return false;
    name = v.asString();
    return true;
}

rt::Value textOr(const rt::Value& v, std::string fallback = {}) { return v.isString() ? v : rt::Value(fallback); }

std::string dword(int64_t n) {
    const auto u = static_cast<uint32_t>(n);
    return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF), static_cast<char>((u >> 16) & 0xFF),
            static_cast<char>((u >> 24) & 0xFF)};
}

int64_t fromDword(const std::string& b) {
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(b[static_cast<size_t>(i)]);
    return u;
}

// A date in the current display form, always with its century: with two-digit years a date outside the
// epoch's hundred years would read back as another date. The current form reads four-digit years as well.
std::string dateText(rt::Date d) {
    std::string format = rt::effectiveDateFormat();
    const auto yy = format.find("yy");
    if (format.find("yyyy") == std::string::npos && yy != std::string::npos) format.replace(yy, 2, "yyyy");
    return rt::dtoc(d, format);
}

}  // namespace

const rt::Class& XRegistry::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XRegistry;
        VPClass b("XRegistry", &TComponent::classRecord(), rt::factoryOf<XRegistry>());
        kRoot = b.addProperty({.name = "Root", .initial = kCurrentUser, .type = "N", .scope = Published,
                               .choices = choiceList({{"0x80000001", 0x80000001LL},
                                                      {"0x80000002", 0x80000002LL},
                                                      {"0x80000000", 0x80000000LL},
                                                      {"0x80000003", 0x80000003LL},
                                                      {"0x80000005", 0x80000005LL},
                                                      {"0x80000004", 0x80000004LL}})});
        kCurrentKey = b.addData("hCurrentKey", 0, "N", Exported | ReadOnly);
        kLastError = b.addData("nLastError", 0, "N", Exported | ReadOnly);
        addMembers<XRegistry>(b);
        b.addMethod("Disconnect", rt::method(&X::CloseKey));
        b.addMethod("SetDate", rt::method(&X::SetValue));
        b.addMethod("SetLogical", rt::method(&X::SetValue));
        return b.create();
    }();
    return c;
}

int64_t XRegistry::workKey() const { return hCurrentKey() ? hCurrentKey() : Root(); }

int64_t XRegistry::done(int64_t code) {
    field(kLastError) = code;
    return code;
}

// The key that was current stays open (the new one is relative to it); it is closed with the object.
rt::Value XRegistry::keyOpened(int64_t code, int64_t key) {
    if (done(code) != kRegSuccess) return code;
    if (hCurrentKey()) behind_.push_back(hCurrentKey());
    setCurrentKey(key);
    return code;
}

rt::Value XRegistry::OpenKey(rt::Args args) {
    const rt::Value& sub = rt::arg(args, 0);
    if (!sub.isString()) return done(kNotAttempted);
    const rt::Value& access = rt::arg(args, 1);
    int64_t key = 0;
    const int64_t code =
        registryPort().open(workKey(), sub.asString(), access.isNumber() ? access.asInteger() : kRegAllAccess, key);
    return keyOpened(code, key);
}

rt::Value XRegistry::CreateKey(rt::Args args) {
    const rt::Value& sub = rt::arg(args, 0);
    if (!sub.isString()) return done(kNotAttempted);
    const rt::Value& options = rt::arg(args, 2);
    const rt::Value& access = rt::arg(args, 3);
    int64_t key = 0;
    const int64_t code = registryPort().create(workKey(), sub.asString(), textOr(rt::arg(args, 1)).asString(),
                                               options.isNumber() ? options.asInteger() : 0,
                                               access.isNumber() ? access.asInteger() : kRegAllAccess, key);
    return keyOpened(code, key);
}

rt::Value XRegistry::CloseKey(rt::Args) {
    if (!hCurrentKey()) return done(kNotAttempted);
    if (done(registryPort().close(hCurrentKey())) == kRegSuccess) setCurrentKey(0);
    return nLastError();
}

rt::Value XRegistry::Connect(rt::Args args) {
    const rt::Value& machine = rt::arg(args, 0);
    const rt::Value& root = rt::arg(args, 1);
    if (!machine.isString() || !root.isNumber()) return done(kNotAttempted);
    int64_t key = 0;
    const int64_t code = registryPort().connect(machine.asString(), root.asInteger(), key);
    return keyOpened(code, key);
}

rt::Value XRegistry::DeleteKey(rt::Args args) {
    const rt::Value& sub = rt::arg(args, 0);
    if (!sub.isString()) return done(kNotAttempted);
    return done(registryPort().deleteKey(workKey(), sub.asString()));
}

rt::Value XRegistry::DeleteValue(rt::Args args) {
    std::string name;
    if (!valueName(args, name)) return done(kNotAttempted);
    return done(registryPort().deleteValue(workKey(), name));
}

rt::Value XRegistry::names(bool values) {
    std::vector<rt::Value> items;
    if (!hCurrentKey()) {
        done(kNotAttempted);
        return rt::Value::array();
    }
    std::vector<std::string> found;
    RegistryPort& port = registryPort();
    if (done(values ? port.valueNames(hCurrentKey(), found) : port.subKeys(hCurrentKey(), found)) != kRegSuccess)
        return rt::Value::array();
    for (auto& n : found) items.emplace_back(std::move(n));
    return rt::Value::array(std::move(items));
}

rt::Value XRegistry::EnumKeys(rt::Args) { return names(false); }
rt::Value XRegistry::EnumValues(rt::Args) { return names(true); }

bool XRegistry::read(rt::Args args, std::initializer_list<int64_t> types, RegValue& value) {
    std::string name;
    if (!valueName(args, name)) return done(kNotAttempted), false;
    if (done(registryPort().read(workKey(), name, value)) != kRegSuccess) return false;
    // The read worked even when the type is not one asked for.
    return std::find(types.begin(), types.end(), value.type) != types.end();
}

rt::Value XRegistry::write(rt::Args args, int64_t type, std::string bytes) {
    std::string name;
    if (!valueName(args, name)) return done(kNotAttempted);
    return done(registryPort().write(workKey(), name, {type, std::move(bytes)}));
}

// Text is read up to its terminating zero, unexpanded; a multi-text value keeps the zeros between its items
// and loses only the one that ends the list.
rt::Value XRegistry::GetString(rt::Args args) {
    const rt::Value fallback = textOr(rt::arg(args, 1));
    RegValue value;
    if (!read(args, {kRegText, kRegExpandText, kRegMultiText}, value)) return fallback;
    std::string& bytes = value.bytes;
    if (value.type != kRegMultiText)
        bytes.resize(std::min(bytes.find('\0'), bytes.size()));
    else if (bytes.size() >= 2 && bytes.ends_with(std::string(2, '\0')))
        bytes.pop_back();  // "a\0b\0\0" reads as "a\0b\0"
    return bytes.empty() ? fallback : rt::Value(std::move(bytes));
}

rt::Value XRegistry::SetString(rt::Args args) {
    const rt::Value& text = rt::arg(args, 1);
    if (!text.isString()) return done(kNotAttempted);
    return write(args, kRegText, text.asString() + '\0');
}

rt::Value XRegistry::GetNumeric(rt::Args args) {
    const rt::Value& d = rt::arg(args, 1);
    RegValue value;
    if (!read(args, {kRegNumber}, value) || value.bytes.size() != 4) return d.isNumber() ? d : rt::Value(0);
    return fromDword(value.bytes);
}

rt::Value XRegistry::SetNumeric(rt::Args args) {
    const rt::Value& n = rt::arg(args, 1);
    if (!n.isNumber()) return done(kNotAttempted);
    return write(args, kRegNumber, dword(n.asInteger()));
}

rt::Value XRegistry::GetBinary(rt::Args args) {
    RegValue value;
    if (!read(args, {kRegBinary}, value)) return textOr(rt::arg(args, 1));
    return value.bytes;
}

rt::Value XRegistry::SetBinary(rt::Args args) {
    const rt::Value& bytes = rt::arg(args, 1);
    if (!bytes.isString()) return done(kNotAttempted);
    return write(args, kRegBinary, bytes.asString());
}

rt::Value XRegistry::SetValue(rt::Args args) {
    const rt::Value& v = rt::arg(args, 1);
    if (v.isDate()) return write(args, kRegText, dateText(v.asDate()) + '\0');
    const rt::Value shown[] = {v};
    return write(args, kRegText, toText(rt::Args(shown, 1)) + '\0');
}

// The date is kept in the display form of the moment: it reads back only under the same date format.
rt::Value XRegistry::GetDate(rt::Args args) {
    const rt::Value& d = rt::arg(args, 1);
    const rt::Value request[] = {rt::arg(args, 0), dateText(d.isDate() ? d.asDate() : rt::today())};
    return rt::ctod(GetString(rt::Args(request, 2)).asString());
}

rt::Value XRegistry::GetLogical(rt::Args args) {
    const rt::Value& d = rt::arg(args, 1);
    const bool fallback = d.isLogical() ? d.asLogical() : true;
    const rt::Value request[] = {rt::arg(args, 0), fallback ? ".T." : ".F."};
    return GetString(rt::Args(request, 2)).asString() == ".T.";
}

rt::Value XRegistry::Flush(rt::Args) { return done(registryPort().flush(workKey())); }

void XRegistry::closeAll() {
    if (hCurrentKey() && registryPort().close(hCurrentKey()) == kRegSuccess) setCurrentKey(0);
    for (int64_t key : behind_) registryPort().close(key);
    behind_.clear();
}

XRegistry::~XRegistry() { closeAll(); }

rt::Value XRegistry::Destroy(rt::Args args) {
    CloseKey({});
    closeAll();
    return TComponent::Destroy(args);
}

}  // namespace vorpex::dialogs
