#include "framework/dialogs/file_dialogs/file_dialog.h"

#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "framework/core/native/value_readers.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/texts/texts.h"
#include "framework/dialogs/file_dialogs/file_dialog_port.h"
#include "framework/dialogs/file_dialogs/file_dialog_rules.h"
#include "framework/dialogs/flag_property.h"
#include "framework/dialogs/owner_window.h"
#include "framework/graphics/picture/picture.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using texts::LT;

namespace {

using native::textOf;

constexpr uint32_t kAllowMultiSelect = 0x200;
constexpr uint32_t kShowHelp = 0x10;
constexpr uint32_t kOpenFlags = 0x2000000 | 0x1000 | 0x4 | 0x8 | 0x800 | 0x800000 | 0x80000;
constexpr uint32_t kSaveFlags = 0x2000000 | 0x4 | 0x8 | 0x2 | 0x800 | 0x80000 | 0x800000;

const FlagProperty kOpenOptions[] = {
    {"lAllowMultiSelect", false, kAllowMultiSelect}, {"lCreatePrompt", false, 0x2000},
    {"lDontAddToRecent", true, 0x2000000},           {"lFileMustExist", true, 0x1000},
    {"lForceShowHidden", false, 0x10000000},         {"lHideReadOnly", true, 0x4},
    {"lNoChangeDir", true, 0x8},                     {"lNoDereferenceLinks", false, 0x100000},
    {"lNoNetworkButton", false, 0x20000},            {"lNoValidate", false, 0x100},
    {"lPathMustExist", true, 0x800},                 {"lReadOnly", false, 0x1},
    {"lShareAware", false, 0x4000},                  {"lShowHelp", false, kShowHelp},
    {"lEnableSizing", true, 0x800000}};

const FlagProperty kSaveOptions[] = {{"lNoTestFileCreate", false, 0x10000}, {"lOverwritePrompt", true, 0x2}};

// Options a save dialog does not offer: kept as plain hidden values that no longer touch the flags.
const FlagProperty kSaveHidden[] = {{"lAllowMultiSelect", false, 0}, {"lFileMustExist", false, 0},
                                    {"lHideReadOnly", true, 0},      {"lReadOnly", false, 0}};

Value textArray(const std::vector<std::string>& items) {
    std::vector<Value> values(items.begin(), items.end());
    return Value::array(std::move(values));
}

// The window a run is owned by: oParent itself when it is a window handle.
intptr_t ownerOf(const Value& parent) {
    if (parent.isNumber()) return static_cast<intptr_t>(parent.asInteger());
    return ownerWindow(parent);
}

void addSaveMembers(VPClass& b, int& flags, int textId) {
    b.addProperty({.name = "cTitle", .initial = LT(textId)});
    for (const FlagProperty& f : kSaveOptions) addFlagProperty(b, f, flags);
    for (const FlagProperty& f : kSaveHidden) {
        auto own = std::make_shared<int>(-1);
        *own = b.addProperty({.name = f.name, .initial = f.initial, .type = "L", .scope = rt::scope::Hidden,
                              .setter = rt::NativeMethod([own](rt::Object& self, const rt::Method&, rt::Args a) {
                                  return self.field(*own) = rt::arg(a, 0);
                              })});
    }
    b.record().redeclareField(flags, Value(static_cast<int64_t>(kSaveFlags)), "N");
}

}  // namespace

const rt::Class& XFileOpenDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XFileOpenDlg", &TComponent::classRecord(), rt::factoryOf<XFileOpenDlg>());
        kTitle = b.addProperty({.name = "cTitle", .initial = LT(32770), .type = "C", .scope = Published});
        // Empty: the current folder at the time of the run.
        kInitialDir = b.addProperty({.name = "cInitialDir", .initial = "", .type = "C", .scope = Published,
                                     .editor = "PE_BrowseFolder"});
        kFileName = b.addProperty({.name = "cFileName", .initial = "", .scope = Published,
                                   .setter = rt::method(&XFileOpenDlg::SetFilename), .editor = "PE_BrowseFile"});
        kFilter = b.addProperty({.name = "cFilter", .initial = LT(32771), .type = "C", .scope = Published,
                                 .editor = "PE_FileFilter"});
        kFilterIndex = b.addProperty({.name = "nFilterIndex", .initial = 1, .type = "N", .scope = Published});
        kDefaultExt = b.addProperty({.name = "cDefaultExt", .initial = "", .type = "C", .scope = Published});
        b.addProperty({.name = "HelpId", .scope = Published, .editor = "PE_StringOrNil"});
        for (const FlagProperty& f : kOpenOptions) addFlagProperty(b, f, kFlags);
        kCenter = b.addProperty({.name = "lCenter", .initial = false, .type = "L", .scope = Published});
        b.addEvent("OnShow", Published, "oSender");
        b.addEvent("OnClose", Published, "oSender");
        b.addEvent("OnHelp", Published, "oSender, HelpId, nPosX, nPosY");
        kFlags = b.addData("nFlags", static_cast<int64_t>(kOpenFlags), "N", Hidden);
        kPicture = b.addData("oPicture", Value(), "O", Hidden);
        kFilePath = b.addProperty({.name = "cFilePath", .initial = "", .readOnly = true});
        kNameOnly = b.addProperty({.name = "cFileNameOnly", .initial = "", .readOnly = true});
        kFullName = b.addProperty({.name = "cFullFileName", .initial = "", .readOnly = true});
        addMembers<XFileOpenDlg>(b);
        b.addMethod("Execute", rt::method(&XFileOpenDlg::Run));
        return b.create();
    }();
    return c;
}

const rt::Class& XFileSaveDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XFileSaveDlg", &TFileOpenDlg::classRecord(), rt::factoryOf<XFileSaveDlg>());
        addSaveMembers(b, kFlags, 32772);
        return b.create();
    }();
    return c;
}

const rt::Class& XFileOpenImageDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XFileOpenImageDlg", &TFileOpenDlg::classRecord(), rt::factoryOf<XFileOpenImageDlg>());
        b.addProperty({.name = "cTitle", .initial = LT(32773)});
        b.addProperty({.name = "cFilter", .initial = LT(32774)});
        kShowImageInfo = b.addProperty({.name = "lShowImageInfo", .initial = true, .type = "L",
                                        .scope = rt::scope::Published});
        return b.create();
    }();
    return c;
}

const rt::Class& XFileSaveImageDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XFileSaveImageDlg", &TFileOpenImageDlg::classRecord(), rt::factoryOf<XFileSaveImageDlg>());
        addSaveMembers(b, kFlags, 32775);
        return b.create();
    }();
    return c;
}

Value XFileOpenDlg::SetFlag(rt::Args args) {
    const bool on = rt::arg(args, 1).asLogical();
    const auto bit = static_cast<uint32_t>(rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInteger() : 0);
    field(kFlags) = Value(static_cast<int64_t>(withFlag(nFlags(), bit, on)));
    return Value(on);
}

Value XFileOpenDlg::SetFilename(rt::Args args) {
    const Value& name = rt::arg(args, 0);
    field(kFileName) = name;
    const int64_t current = field(kFilterIndex).isNumber() ? field(kFilterIndex).asInteger() : 1;
    field(kFilterIndex) = Value(filterIndexFor(textOf(name), textOf(field(kFilter)), current));
    return name;
}

std::string XFileOpenDlg::initialDir() const {
    if (!textOf(field(kInitialDir)).empty()) return textOf(field(kInitialDir));
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    return ec ? std::string() : here.string();
}

void XFileOpenDlg::takeResult(const std::string& buffer, bool multi) {
    const FileResult r = fileResult(chosenFiles(buffer, multi), initialDir());
    field(kFilePath) = Value(r.filePath);
    if (multi) {
        field(kFullName) = textArray(r.fullNames);
        field(kNameOnly) = textArray(r.namesOnly);
        field(kFileName) = textArray(r.fileNames);
        return;
    }
    const auto first = [](const std::vector<std::string>& v) { return Value(v.empty() ? std::string() : v[0]); };
    field(kFullName) = first(r.fullNames);
    field(kNameOnly) = first(r.namesOnly);
    field(kFileName) = first(r.fileNames);
}

Value XFileOpenDlg::Run(rt::Args) {
    FileDialogRequest r;
    r.save = isSave();
    r.owner = ownerOf(rt::send(selfValue(), "oParent"));
    r.dialog = this;
    r.filter = filterBuffer(textOf(field(kFilter)));
    r.filterIndex = field(kFilterIndex).isNumber() ? field(kFilterIndex).asInteger() : 1;
    r.nameBuffer = nameBuffer(field(kFileName).isString() ? field(kFileName).asString() : std::string());
    r.initialDir = initialDir();
    r.title = textOf(field(kTitle));
    r.defaultExt = textOf(field(kDefaultExt));
    r.flags = nFlags();
    r.showsHelp = (r.flags & kShowHelp) != 0;
    r.center = field(kCenter).asLogical();
    if (hasPreview()) {
        r.showImageInfo = field(kShowImageInfo).asLogical();
        if (!field(kPicture).isObject()) field(kPicture) = rt::send(Value(TPicture::classRecord().instantiate()), "Create");
        r.picture = field(kPicture).asObject().get();
    }
    fireEvent(*this, OnShow);
    const FileDialogAnswer a = runFileDialog(std::move(r));
    fireEvent(*this, OnClose);
    if (field(kPicture).isObject()) {
        rt::send(field(kPicture), "Destroy");
        field(kPicture) = Value();
    }
    if (!a.ok) return Value(false);
    takeResult(a.buffer, (nFlags() & kAllowMultiSelect) != 0);
    field(kFilterIndex) = Value(a.filterIndex);
    return Value(true);
}

namespace {

// FILE...DLG(oParent, cTitle, cInitialDir, cFilter, nFilterIndex): the full name chosen, "" when cancelled.
template <class T>
rt::Function oneCall() {
    return [](rt::Args args) -> Value {
        const Value dialog = rt::send(Value(T::classRecord().instantiate()), "New", {rt::arg(args, 0)});
        const char* setters[] = {"_cTitle", "_cInitialDir", "_cFilter", "_nFilterIndex"};
        for (size_t i = 0; i < 4; ++i)
            if (!rt::arg(args, i + 1).isNil()) rt::send(dialog, setters[i], {rt::arg(args, i + 1)});
        const bool chosen = rt::send(dialog, "Run").asLogical();
        const Value full = chosen ? rt::send(dialog, "cFullFileName") : Value("");
        rt::send(dialog, "Destroy");
        return full;
    };
}

}  // namespace

void registerFileDialogs() {
    TFileOpenDlg::classRecord();
    TFileSaveDlg::classRecord();
    TFileOpenImageDlg::classRecord();
    TFileSaveImageDlg::classRecord();
    rt::registerFunction("FILEOPENDLG", oneCall<TFileOpenDlg>());
    rt::registerFunction("FILESAVEDLG", oneCall<TFileSaveDlg>());
    rt::registerFunction("FILEOPENIMAGEDLG", oneCall<TFileOpenImageDlg>());
    rt::registerFunction("FILESAVEIMAGEDLG", oneCall<TFileSaveImageDlg>());
}

}  // namespace vorpex
