#include "framework/dialogs/runners/shell_dialogs.h"

#include <cctype>

#include "framework/core/native/value_readers.h"
#include "framework/core/object/vp_class.h"
#include "framework/dialogs/owner_window.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::integerOf;
using native::textOf;

intptr_t ownerOf(TComponent& dialog) { return ownerWindow(dialog.oParent() ? Value(dialog.oParent()) : Value()); }

// An icon object's handle, or a handle given as a number.
intptr_t iconHandleOf(const Value& icon) {
    if (icon.isNumber()) return static_cast<intptr_t>(icon.asInteger());
    if (!rt::understands(icon, rt::Symbol::intern("Handle"))) return 0;
    return static_cast<intptr_t>(integerOf(rt::send(icon, "Handle")));
}

}  // namespace

int driveNumberOf(const std::string& drive) {
    if (drive.empty() || !std::isalpha(static_cast<unsigned char>(drive[0]))) return -1;
    const std::string rest = drive.substr(1);
    if (!rest.empty() && rest != ":" && rest != ":\\") return -1;
    return std::toupper(static_cast<unsigned char>(drive[0])) - 'A';
}

const rt::Class& XPickIconDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XPickIconDlg", &TComponent::classRecord(), rt::factoryOf<XPickIconDlg>());
        kFileName = b.addProperty({.name = "cFileName", .initial = "", .type = "C", .scope = Published});
        kIndex = b.addProperty({.name = "nIndex", .initial = 0, .type = "N", .scope = Published});
        b.addEvent("OnShow", Published, "oSender");
        b.addEvent("OnClose", Published, "oSender");
        addMembers<XPickIconDlg>(b);
        return b.create();
    }();
    return c;
}

Value XPickIconDlg::Run(rt::Args) {
    IconPick start{false, textOf(field(kFileName)), integerOf(field(kIndex))};
    fireEvent(*this, OnShow);
    const IconPick picked = runPickIcon(ownerOf(*this), start);
    if (picked.ok) {
        field(kFileName) = Value(picked.fileName);
        field(kIndex) = Value(picked.index);
    }
    fireEvent(*this, OnClose);
    return Value(picked.ok);
}

const rt::Class& XRunFileDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XRunFileDlg", &TComponent::classRecord(), rt::factoryOf<XRunFileDlg>());
        kIcon = b.addProperty({.name = "oIcon", .scope = Published});
        kDirectory = b.addProperty({.name = "cDirectory", .initial = "", .type = "C", .scope = Published});
        kTitle = b.addProperty({.name = "cTitle", .initial = "", .type = "C", .scope = Published});
        kMessage = b.addProperty({.name = "cMessage", .initial = "", .type = "C", .scope = Published});
        kFlags = b.addProperty({.name = "nFlags", .initial = 0, .type = "N", .scope = Published});
        b.addEvent("OnShow", Published, "oSender");
        b.addEvent("OnClose", Published, "oSender");
        b.addEvent("OnExecute", Published, "oSender, cFile, cDirectory, nShow");
        addMembers<XRunFileDlg>(b);
        return b.create();
    }();
    return c;
}

// OnExecute answers what the dialog does with the file: a number as the shell takes it, else it runs it.
Value XRunFileDlg::Run(rt::Args) {
    RunFileRequest r;
    r.owner = ownerOf(*this);
    r.icon = iconHandleOf(field(kIcon));
    r.directory = textOf(field(kDirectory));
    r.title = textOf(field(kTitle));
    r.message = textOf(field(kMessage));
    r.flags = static_cast<uint32_t>(integerOf(field(kFlags)));
    r.execute = [this](const std::string& file, const std::string& directory, int64_t show) {
        return integerOf(fireEvent(*this, OnExecute, {Value(file), Value(directory), Value(show)}));
    };
    fireEvent(*this, OnShow);
    const bool shown = runRunFile(r);
    fireEvent(*this, OnClose);
    return Value(shown);
}

const rt::Class& XFormatDriveDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XFormatDriveDlg", &TComponent::classRecord(), rt::factoryOf<XFormatDriveDlg>());
        kDrive = b.addProperty({.name = "cDrive", .initial = "", .type = "C", .scope = Published});
        kFlags = b.addProperty({.name = "nFlags", .initial = 0, .type = "N", .scope = Published});
        kLabel = b.addProperty({.name = "cLabel", .initial = "", .type = "C", .scope = Published});
        b.addEvent("OnShow", Published, "oSender");
        b.addEvent("OnClose", Published, "oSender");
        kLastError = b.addData("nLastError", 0, "N");
        addMembers<XFormatDriveDlg>(b);
        return b.create();
    }();
    return c;
}

// A text naming no drive is an error before any dialog shows.
Value XFormatDriveDlg::Run(rt::Args) {
    const int drive = driveNumberOf(textOf(field(kDrive)));
    fireEvent(*this, OnShow);
    const int64_t result =
        drive < 0 ? kFormatError
                  : runFormatDrive(ownerOf(*this), drive, static_cast<uint32_t>(integerOf(field(kFlags))),
                                   textOf(field(kLabel)));
    const bool formatted = result >= 0;
    field(kLastError) = Value(formatted ? int64_t{0} : result);
    fireEvent(*this, OnClose);
    return Value(formatted);
}

}  // namespace vorpex
