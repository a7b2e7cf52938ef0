// FILEUNIQUE: a free file name in a folder (the temporary folder by default), such as "C:\TEMP\VP_1.tmp": the
// first number whose file does not exist. An existing file is never erased: it may be another program's, or
// a file this one still needs.
#pragma once

#include <functional>
#include <string>

#include "runtime/core/value.h"

namespace vorpex::dialogs {

// Where FILEUNIQUE looks for its defaults. The program's own answers (GETTEMPDIRECTORY, Application:cDirectory)
// unless a test installs others.
struct UniqueNameHost {
    std::function<std::string()> tempFolder;
    std::function<std::string()> programFolder;
};

// Installs a host and returns the previous one; an empty member falls back to the program's answer.
UniqueNameHost setUniqueNameHost(UniqueNameHost host);

// (cPath, cExtension, cPrefix): NIL or empty cPath is the temporary folder, NIL cExtension "tmp", NIL
// cPrefix "VP_".
std::string fileUnique(const rt::Value& path, const rt::Value& extension, const rt::Value& prefix);

}  // namespace vorpex::dialogs
