// FILESHORTNAME, FILEFULLNAME, FILEPATH, FILEHASPATH, FILEEXTENSION, FILEHASEXTENSION, FILEDRIVE,
// FILEHASDRIVE, FILESETPATH, FILESETNAME, FILESETEXTENSION and FILEUNIQUE, callable by name. A name that is
// not text counts as "". registerFileNameFunctions() also builds the file-name class, which makes TFileName
// callable by name; wireCore() calls it. Safe to call more than once.
#pragma once

namespace vorpex::dialogs {

void registerFileNameFunctions();

}  // namespace vorpex::dialogs
