// FILESHORTNAME, FILEFULLNAME, FILEPATH, FILEHASPATH, FILEEXTENSION, FILEHASEXTENSION, FILEDRIVE,
// FILEHASDRIVE, FILESETPATH, FILESETNAME, FILESETEXTENSION and FILEUNIQUE, callable by name. A name that is
// not text counts as "".
#pragma once

namespace vorpex::dialogs {

void registerFileNameFunctions();

}  // namespace vorpex::dialogs
