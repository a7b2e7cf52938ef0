#include "framework/graphics/picture/picture.h"

#include <utility>

#include "framework/core/native/casts.h"
#include "framework/core/native/native_args.h"
#include "framework/core/native/whole_file.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"

namespace vorpex {

using rt::Value;
using namespace native;

namespace {

gfx::PicturePort& port() { return gfx::picturePort(); }

using native::handleValue;

using native::readFile;
using native::writeFile;

// A resource is named by its text, or by a number the resource look-up knows as "#n".
std::optional<std::string> resourceName(const Value& v) {
    if (v.isNumber()) return "#" + std::to_string(v.asInteger() & 0xFFFF);
    if (v.isString() && !v.asString().empty()) return v.asString();
    return std::nullopt;
}

bool namesResource(const Value& v) {
    return v.isNumber() || (v.isString() && !v.asString().empty() && v.asString().find('.') == std::string::npos);
}

Value defaultTypes() { return Value::array({Value("JPG"), Value("JPEG"), Value("GIF")}); }

}  // namespace

const rt::Class& XPicture::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XPicture", &TWinObject::classRecord(), rt::factoryOf<XPicture>());
        kName = b.addProperty({.name = "cName", .initial = "", .scope = Published, .setter = &XPicture::SetName});
        kImage = b.addData("Image", 0, "N", Hidden | ReadOnly);
        kPtr = b.addData("Ptr", 0, "N", Hidden | ReadOnly);
        kPicture = b.addData("Picture", 0, "N", Hidden | ReadOnly);
        kImageCount = b.addProperty({.name = "nImageCount", .initial = 0, .type = "N"});
        kWidth = b.addProperty({.name = "nWidth", .initial = 0, .type = "N", .readOnly = true});
        kHeight = b.addProperty({.name = "nHeight", .initial = 0, .type = "N", .readOnly = true});
        kLogicalWidth = b.addProperty({.name = "nLogicalWidth", .initial = 0, .type = "N", .readOnly = true});
        kLogicalHeight = b.addProperty({.name = "nLogicalHeight", .initial = 0, .type = "N", .readOnly = true});
        kPalette = b.addProperty({.name = "hPalette", .initial = 0, .type = "N", .readOnly = true});
        kType = b.addProperty({.name = "nType", .initial = 0, .type = "N", .readOnly = true});
        kScalable = b.addProperty({.name = "lScalable", .initial = false, .type = "L", .readOnly = true});
        kTransparent = b.addProperty({.name = "lTransparent", .initial = false, .type = "L", .readOnly = true});
        kTypes = b.addProperty({.name = "aTypes", .initial = defaultTypes(), .type = "A"});
        kFile = b.addData("cFile", "", "C", Protected);
        kPath = b.addData("cPath", "", "C", Protected);
        using X = XPicture;
        addMembers<XPicture>(b);
        const std::pair<const char*, Value (X::*)(rt::Args)> methods[] = {
            {"Destroy", &X::Destroy}, {"Clone", &X::Clone}, {"Load", &X::Load}, {"LoadFromFile", &X::LoadFromFile},
            {"LoadFromResource", &X::LoadFromResource}, {"LoadFromStream", &X::LoadFromStream},
            {"CreateIndirect", &X::CreateIndirect}, {"Save", &X::Save}, {"SaveToStream", &X::SaveToStream},
            {"Paint", &X::Paint}, {"SetTypes", &X::SetTypes}};
        for (const auto& [name, fn] : methods) b.addMethod(name, rt::method(fn));
        auto query = [&b](const char* name, auto answer) {
            b.addMethod(name, [answer](rt::Object& o, const rt::Method&, rt::Args) -> Value {
                return answer(static_cast<XPicture&>(o).facts());
            });
        };
        using F = const gfx::PictureFacts&;
        query("IsPicture", [](F f) { return Value(f.image != 0); });
        query("IsBitmap", [](F f) { return Value(f.type == gfx::kPictureBitmap); });
        query("IsMetafile", [](F f) { return Value(f.type == gfx::kPictureMetafile); });
        query("IsIcon", [](F f) { return Value(f.type == gfx::kPictureIcon); });
        query("IsEnhMetafile", [](F f) { return Value(f.type == gfx::kPictureEnhMetafile); });
        query("GetPictureHandle", [](F f) { return handleValue(f.picture); });
        query("GetIcon", [](F f) { return handleValue(f.type == gfx::kPictureIcon ? f.picture : 0); });
        query("GetMetafile", [](F f) { return handleValue(f.type == gfx::kPictureMetafile ? f.picture : 0); });
        query("GetEnhMetafile", [](F f) { return handleValue(f.type == gfx::kPictureEnhMetafile ? f.picture : 0); });
        return b.create();
    }();
    return c;
}

// An object dropped without Destroy must not keep its OLE object, memory block and bitmap alive.
XPicture::~XPicture() {
    if (loaded()) port().release(facts_);
}

// ---- construction and release

Value XPicture::Create(rt::Args args) {
    XComponent::Create({});
    return Load(args.first(std::min<size_t>(args.size(), 1)));
}

Value XPicture::Clone(rt::Args) {
    auto copy = std::static_pointer_cast<XPicture>(TPicture::classRecord().instantiate());
    const Value name = cName();
    return copy->Create(rt::Args(&name, 1));
}

Value XPicture::SetName(rt::Args args) {
    Load(args.first(std::min<size_t>(args.size(), 1)));
    return rt::arg(args, 0);
}

Value XPicture::Destroy(rt::Args) {
    release();
    return selfValue();
}

void XPicture::release() {
    if (loaded()) port().release(facts_);
    take(std::nullopt);
}

void XPicture::take(std::optional<gfx::PictureFacts> facts) {
    facts_ = facts.value_or(gfx::PictureFacts{});
    const gfx::PictureFacts& f = facts_;
    setHandle(f.rendered);
    field(kImage) = handleValue(f.image);
    field(kPtr) = handleValue(f.memory);
    field(kPicture) = handleValue(f.picture);
    field(kImageCount) = Value(int64_t{f.image ? 1 : 0});
    field(kWidth) = Value(f.width);
    field(kHeight) = Value(f.height);
    field(kLogicalWidth) = Value(f.logicalWidth);
    field(kLogicalHeight) = Value(f.logicalHeight);
    field(kPalette) = handleValue(f.palette);
    field(kType) = Value(f.type);
    field(kScalable) = Value(f.scalable);
    field(kTransparent) = Value(f.transparent);
}

// ---- loading

Value XPicture::Load(rt::Args args) {
    if (!args.empty() && !rt::arg(args, 0).isNil()) field(kName) = rt::arg(args, 0);
    const Value name = cName();
    if (namesResource(name)) return LoadFromResource(rt::Args(&name, 1));
    if (name.isString() && !name.asString().empty()) return LoadFromFile(rt::Args(&name, 1));
    release();
    return selfValue();
}

// A page of a multi-page file comes through the image library; the whole file (its first page) is what
// loads otherwise.
Value XPicture::LoadFromFile(rt::Args args) {
    release();
    const Value& name = isTextArg(args, 0) ? rt::arg(args, 0) : cName();
    if (!name.isString() || name.asString().empty()) return selfValue();
    const std::string& file = name.asString();
    if (isNumberArg(args, 1) && intArg(args, 1) >= 1) takeLibrary(port().libraryPage(file, intArg(args, 1)));
    if (!loaded())
        if (std::optional<std::string> bytes = readFile(file)) loadBytes(*bytes);
    if (!loaded()) take(port().iconFile(file));
    return selfValue();
}

void XPicture::loadBytes(const std::string& bytes) {
    if (gfx::oleReadsFormat(bytes)) take(port().fromBytes(bytes));
    if (!loaded()) takeLibrary(port().libraryBytes(bytes));
}

void XPicture::takeLibrary(gfx::LibraryPicture got) {
    take(std::move(got.picture));
    if (loaded() && got.pages > 0) field(kImageCount) = Value(got.pages);
}

bool XPicture::loadResourceBytes(const std::string& name, const std::string& type) {
    std::optional<std::string> bytes = port().resource(name, type);
    if (!bytes) return false;
    loadBytes(*bytes);
    return true;
}

Value XPicture::LoadFromResource(rt::Args args) {
    release();
    const Value& given = rt::arg(args, 0);
    const std::optional<std::string> name = resourceName(given.isString() || given.isNumber() ? given : cName());
    if (!name) return selfValue();
    if (const std::string* type = textArg(args, 1)) {
        loadResourceBytes(*name, *type);
        return selfValue();
    }
    if (std::optional<std::string> res = port().resource(*name, gfx::kBitmapResourceType)) {
        if (std::optional<std::string> file = gfx::bitmapFileFromResource(*res)) loadBytes(*file);
        if (loaded()) return selfValue();
    }
    take(port().iconResource(*name));
    if (loaded()) return selfValue();
    const Value types = field(kTypes);
    if (!types.isArray()) return selfValue();
    for (const Value& type : types.asArray()->items)
        if (type.isString() && loadResourceBytes(*name, type.asString())) break;
    return selfValue();
}

Value XPicture::LoadFromStream(rt::Args args) {
    release();
    if (const std::string* data = textArg(args, 0)) loadBytes(*data);
    return selfValue();
}

Value XPicture::CreateIndirect(rt::Args args) {
    release();
    if (!isNumberArg(args, 0) || !isNumberArg(args, 1)) return selfValue();
    take(port().fromHandle(intArg(args, 0), handleArg(args, 1), intArg(args, 2), intArg(args, 3)));
    return selfValue();
}

// ---- giving back and drawing

Value XPicture::Save(rt::Args args) {
    const std::string* file = textArg(args, 0);
    if (!file || !loaded()) return Value(false);
    const std::optional<std::string> bytes = port().save(facts_);
    return Value(bytes.has_value() && writeFile(*file, *bytes));
}

Value XPicture::SaveToStream(rt::Args) {
    if (!loaded()) return Value("");
    return Value(port().save(facts_).value_or(""));
}

Value XPicture::Paint(rt::Args args) {
    if (!loaded()) return Value(false);
    const gfx::PicturePaint where{.dc = handleArg(args, 0),
                                  .left = intArg(args, 1),
                                  .top = intArg(args, 2),
                                  .right = intArg(args, 3),
                                  .bottom = intArg(args, 4),
                                  .transparent = logicalArg(args, 5),
                                  .smooth = logicalArg(args, 6)};
    if (!where.dc) return Value(false);
    return Value(port().paint(facts_, where));
}

Value XPicture::SetTypes(rt::Args args) {
    Value previous = field(kTypes);
    if (rt::arg(args, 0).isArray()) field(kTypes) = rt::arg(args, 0);
    return previous;
}

}  // namespace vorpex
