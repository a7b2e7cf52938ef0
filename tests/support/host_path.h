// Paths the build hands to Windows tests as the host names them: under Wine the host's root is drive Z.
#pragma once

#include <string>

namespace rt::testing {

inline std::string windowsPath(std::string path) {
    if (path.empty() || path[0] != '/') return path;
    for (char& ch : path)
        if (ch == '/') ch = '\\';
    return "Z:" + path;
}

}  // namespace rt::testing
