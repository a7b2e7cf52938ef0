#include "framework/core/file_name/file_name_functions.h"

#include <string>

#include "framework/core/file_name/file_name.h"
#include "framework/core/file_name/file_name_rules.h"
#include "framework/core/file_name/file_unique.h"
#include "framework/core/native/native_args.h"
#include "runtime/core/runtime.h"

namespace vorpex::dialogs {

namespace {

template <class Result>
void oneName(const char* name, Result (*rule)(std::string_view)) {
    rt::registerFunction(name, [rule](rt::Args args) { return rt::Value(rule(native::textOr(args, 0))); });
}

void twoNames(const char* name, std::string (*rule)(std::string_view, std::string_view)) {
    rt::registerFunction(name, [rule](rt::Args args) { return rt::Value(rule(native::textOr(args, 0), native::textOr(args, 1))); });
}

}  // namespace

void registerFileNameFunctions() {
    XFileName::classRecord();
    TFileName::classRecord();
    oneName("FILESHORTNAME", fileShortName);
    oneName("FILEFULLNAME", fileFullName);
    oneName("FILEPATH", filePath);
    oneName("FILEHASPATH", fileHasPath);
    oneName("FILEEXTENSION", fileExtension);
    oneName("FILEHASEXTENSION", fileHasExtension);
    oneName("FILEDRIVE", fileDrive);
    oneName("FILEHASDRIVE", fileHasDrive);
    twoNames("FILESETPATH", fileSetPath);
    twoNames("FILESETNAME", fileSetName);
    twoNames("FILESETEXTENSION", fileSetExtension);
    rt::registerFunction("FILEUNIQUE", [](rt::Args args) {
        return rt::Value(fileUnique(rt::arg(args, 0), rt::arg(args, 1), rt::arg(args, 2)));
    });
}

}  // namespace vorpex::dialogs
