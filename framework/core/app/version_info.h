// The program's version block (the VS_VERSIONINFO resource), read strictly within its bytes: a malformed or
// truncated block gives what could be read safely, never a read past its end.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vorpex {

struct VersionInfo {
    bool hasFixedPart = false;
    double version = 0;  // file-version major + minor x 0.1
    int release = 0;     // third part of the file version
    int build = 0;       // fourth part
    // Texts of the first string table, as UTF-16 (the caller converts to the program's code page).
    std::u16string fileVersion, description, company, copyright, trademarks, comments;
};

// Empty when the bytes are not a version block at all.
std::optional<VersionInfo> parseVersionInfo(std::span<const uint8_t> block);

}  // namespace vorpex
