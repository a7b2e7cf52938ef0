// XFileName: one file name as a value, with the file-name rules as methods. Nothing is checked against the
// disk. TFileName is its user class.
#pragma once

#include <string>

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "runtime/core/class.h"
#include "runtime/core/object.h"

namespace vorpex::dialogs {

class XFileName : public rt::Object {
public:
    explicit XFileName(const rt::Class& cls) : rt::Object(cls) {}
    static const rt::Class& classRecord();
    VP_METHODS(SetPath,        // (cPath, [lUpdate]) -> the changed name, stored unless lUpdate is .F.
               SetName,        // (cName, [lUpdate])
               SetExtension,   // (cExtension, [lUpdate])
               WithPath,       // (cPath) -> the changed name, not stored
               WithName,
               WithExtension,
               Unique)         // ([cExtension], [cPrefix]) -> FILEUNIQUE in this name's folder

    std::string cFileName() const;
    void setFileName(std::string name) { field(kFileName) = std::move(name); }

    rt::Value Create(rt::Args args);  // ([cFile]) -> Self; New is the same
    VP_QUERIES(ShortName, FullName, Path, Extension, Drive, HasExtension, HasPath, HasDrive)

private:
    rt::Value changed(std::string name, rt::Args args);
    static inline int kFileName = -1;
};

using TFileName = UserClass<XFileName, "TFileName">;

}  // namespace vorpex::dialogs
