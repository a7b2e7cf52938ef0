#include "framework/core/file_name/file_name_rules.h"

namespace vorpex::dialogs {

namespace {

constexpr char kSeparator = '\\';
constexpr auto npos = std::string_view::npos;

size_t lastSeparator(std::string_view file) { return file.rfind(kSeparator); }

// The folder with its final backslash ("" when there is none), kept whole so that "\name" stays rooted.
std::string_view folderPart(std::string_view file) {
    size_t slash = lastSeparator(file);
    return slash == npos ? std::string_view() : file.substr(0, slash + 1);
}

// The dot that starts the extension: the last one, when it lies in the name rather than in a folder.
size_t extensionDot(std::string_view file) {
    size_t dot = file.rfind('.');
    if (dot == npos) return npos;
    size_t slash = lastSeparator(file);
    return slash != npos && dot < slash ? npos : dot;
}

}  // namespace

std::string fileFullName(std::string_view file) {
    size_t slash = lastSeparator(file);
    return std::string(slash == npos ? file : file.substr(slash + 1));
}

std::string fileShortName(std::string_view file) {
    std::string name = fileFullName(file);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string filePath(std::string_view file) {
    size_t slash = lastSeparator(file);
    return slash == npos || slash == 0 ? std::string() : std::string(file.substr(0, slash));
}

bool fileHasPath(std::string_view file) { return file.find(kSeparator) != npos; }

std::string fileExtension(std::string_view file) {
    size_t dot = extensionDot(file);
    return dot == npos ? std::string() : std::string(file.substr(dot + 1));
}

bool fileHasExtension(std::string_view file) { return !fileExtension(file).empty(); }

std::string fileDrive(std::string_view file) {
    size_t colon = file.find(':');
    return colon == npos || colon == 0 ? std::string() : std::string(file.substr(colon - 1, 1));
}

bool fileHasDrive(std::string_view file) { return file.find(':') != npos; }

std::string fileSetPath(std::string_view file, std::string_view path) {
    // No folder means the bare name: a backslash in front would move the file to the drive's root.
    if (path.empty()) return fileFullName(file);
    std::string out(path);
    if (out.back() != kSeparator) out += kSeparator;
    return out + fileFullName(file);
}

std::string fileSetName(std::string_view file, std::string_view name) {
    // The dot stays even without an extension: Windows drops a trailing dot, so "b." names the file "b".
    return std::string(folderPart(file)) + std::string(name) + "." + fileExtension(file);
}

std::string fileSetExtension(std::string_view file, std::string_view extension) {
    size_t dot = extensionDot(file);
    std::string out(dot == npos ? file : file.substr(0, dot));
    if (extension.empty()) return out;
    if (extension.front() != '.') out += '.';
    return out + std::string(extension);
}

}  // namespace vorpex::dialogs
