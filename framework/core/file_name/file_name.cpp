#include "framework/core/file_name/file_name.h"

#include "framework/core/file_name/file_name_rules.h"
#include "framework/core/file_name/file_unique.h"
#include "framework/core/native/native_args.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"

namespace vorpex::dialogs {

const rt::Class& XFileName::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XFileName", nullptr, rt::factoryOf<XFileName>());
        kFileName = b.addData("cFileName", "", "C");
        using X = XFileName;
        b.addMethod("New", rt::method(&X::Create), rt::scope::Exported | rt::scope::Constructor);
        b.addMethod("Create", rt::method(&X::Create), rt::scope::Exported | rt::scope::Constructor);
        addMembers<XFileName>(b);
        return b.create();
    }();
    return c;
}

std::string XFileName::cFileName() const {
    const rt::Value& v = field(kFileName);
    return v.isString() ? v.asString() : std::string();
}

rt::Value XFileName::Create(rt::Args args) {
    setFileName(native::textOr(args, 0));
    return rt::Value(self());
}

rt::Value XFileName::ShortName() { return fileShortName(cFileName()); }
rt::Value XFileName::FullName() { return fileFullName(cFileName()); }
rt::Value XFileName::Path() { return filePath(cFileName()); }
rt::Value XFileName::Extension() { return fileExtension(cFileName()); }
rt::Value XFileName::Drive() { return fileDrive(cFileName()); }
rt::Value XFileName::HasExtension() { return fileHasExtension(cFileName()); }
rt::Value XFileName::HasPath() { return fileHasPath(cFileName()); }
rt::Value XFileName::HasDrive() { return fileHasDrive(cFileName()); }

// Stores the changed name unless the update flag (second argument) is .F.
rt::Value XFileName::changed(std::string name, rt::Args args) {
    const rt::Value& update = rt::arg(args, 1);
    if (!update.isLogical() || update.asLogical()) setFileName(name);
    return name;
}

rt::Value XFileName::SetPath(rt::Args args) { return changed(fileSetPath(cFileName(), native::textOr(args, 0)), args); }
rt::Value XFileName::SetName(rt::Args args) { return changed(fileSetName(cFileName(), native::textOr(args, 0)), args); }
rt::Value XFileName::SetExtension(rt::Args args) {
    return changed(fileSetExtension(cFileName(), native::textOr(args, 0)), args);
}

rt::Value XFileName::WithPath(rt::Args args) { return fileSetPath(cFileName(), native::textOr(args, 0)); }
rt::Value XFileName::WithName(rt::Args args) { return fileSetName(cFileName(), native::textOr(args, 0)); }
rt::Value XFileName::WithExtension(rt::Args args) { return fileSetExtension(cFileName(), native::textOr(args, 0)); }

rt::Value XFileName::Unique(rt::Args args) {
    return fileUnique(filePath(cFileName()), rt::arg(args, 0), rt::arg(args, 1));
}

}  // namespace vorpex::dialogs
