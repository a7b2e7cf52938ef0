// File names taken apart and put together by plain text rules on the backslash, the dot and the colon.
// Nothing here looks at the disk: "D:\dir.old\readme" has no extension because its only dot lies in a folder.
#pragma once

#include <string>
#include <string_view>

namespace vorpex::dialogs {

std::string fileShortName(std::string_view file);  // name without folder and extension
std::string fileFullName(std::string_view file);   // name with extension, without folder
std::string filePath(std::string_view file);       // folder without its final backslash; "" for "\name"
bool fileHasPath(std::string_view file);
std::string fileExtension(std::string_view file);  // without the dot
bool fileHasExtension(std::string_view file);
std::string fileDrive(std::string_view file);      // the letter before the first colon
bool fileHasDrive(std::string_view file);

std::string fileSetPath(std::string_view file, std::string_view path);
std::string fileSetName(std::string_view file, std::string_view name);
std::string fileSetExtension(std::string_view file, std::string_view extension);

}  // namespace vorpex::dialogs
