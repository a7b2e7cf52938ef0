#include "framework/core/file_name/file_unique.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "framework/core/native/application_value.h"
#include "framework/core/file_name/file_name_rules.h"
#include "runtime/core/runtime.h"
#include "runtime/rdd/file.h"

namespace vorpex::dialogs {

namespace {

UniqueNameHost& host() {
    static UniqueNameHost h;
    return h;
}

// GETTEMPDIRECTORY where the platform layer registered it; elsewhere the host system's temporary folder.
std::string systemTempFolder() {
    if (const rt::Function* f = rt::findFunction("GETTEMPDIRECTORY")) {
        rt::Value v = (*f)(rt::Args());
        if (v.isString() && !v.asString().empty()) return v.asString();
    }
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    return ec ? std::string() : (folder / "").string();
}

std::string tempFolder() { return host().tempFolder ? host().tempFolder() : systemTempFolder(); }

std::string programFolder() {
    return host().programFolder ? host().programFolder() : applicationText("cDirectory");
}

std::string textOr(const rt::Value& v, const char* fallback) { return v.isString() ? v.asString() : fallback; }

bool endsWithSeparator(const std::string& folder) {
    // The host system's own separator counts too, so that the native build can name its scratch folders.
    return !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
}

// A rooted folder without a drive ("\TEMP") is taken on the drive of the program's folder. A program folder
// without a drive (a network share) leaves it as it is: a lone colon would make an invalid name.
std::string withProgramDrive(std::string folder) {
    const bool rooted = folder.size() >= 1 && folder[0] == '\\' && (folder.size() < 2 || folder[1] != '\\');
    if (!rooted) return folder;
    std::string drive = fileDrive(programFolder());
    return drive.empty() ? folder : drive + ":" + folder;
}

}  // namespace

UniqueNameHost setUniqueNameHost(UniqueNameHost h) { return std::exchange(host(), std::move(h)); }

std::string fileUnique(const rt::Value& path, const rt::Value& extension, const rt::Value& prefix) {
    std::string folder = path.isString() && !path.asString().empty() ? path.asString() : tempFolder();
    folder = withProgramDrive(std::move(folder));
    if (!endsWithSeparator(folder)) folder += '\\';
    const std::string ext = textOr(extension, "tmp");
    const std::string pre = textOr(prefix, "VP_");
    // Each step passes a file that exists, so the search ends.
    for (long long n = 1;; ++n) {
        std::string candidate = folder + pre + std::to_string(n) + "." + ext;
        if (!rt::rdd::fileExists(candidate)) return candidate;
    }
}

}  // namespace vorpex::dialogs
