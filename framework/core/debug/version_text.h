// VORPEXVERSION: the framework's version texts by index (Error.log and About boxes quote them).
#pragma once

#include <string>

namespace vorpex {

inline constexpr int kVersionMajor = 2, kVersionMinor = 0, kVersionRevision = 1;
inline constexpr int kReleaseMonth = 12, kReleaseYear = 2009;

// Index 1 when omitted by the caller; any index without a text of its own gives "Vorpex".
std::string vorpexVersion(int index);

}  // namespace vorpex
