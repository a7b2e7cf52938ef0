// Keys the tree tests share.
#pragma once

#include <cstdio>
#include <string>

namespace rt::ntx::test_keys {

// n as six digits: keys that sort as their numbers do.
inline std::string key6(int n) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", n);
    return digits;
}

}  // namespace rt::ntx::test_keys
