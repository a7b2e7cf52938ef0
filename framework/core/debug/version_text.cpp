#include "framework/core/debug/version_text.h"

#include <cstdio>

#include "runtime/lib/date.h"

namespace vorpex {

namespace {

std::string versionWords() {
    return "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

std::string releaseDate() { return rt::monthName(kReleaseMonth) + " " + std::to_string(kReleaseYear); }

std::string compilerText() {
#if defined(__clang__)
    return "Clang " __clang_version__;
#elif defined(__GNUC__)
    return "GNU C++ " __VERSION__;
#else
    return "C++ compiler";
#endif
}

}  // namespace

std::string vorpexVersion(int index) {
    const std::string number = std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
                               std::to_string(kVersionRevision);
    switch (index) {
        case 1: return "Vorpex " + number + " " + versionWords();
        case 2: return "The Vorpex developers";
        case 3: return "Copyright (c) the Vorpex developers";
        case 4: return "Vorpex runtime " + number;
        case 5: return compilerText();
        case 6: return "C++20, 32-bit ANSI Win32";
        case 7: return std::to_string(kVersionMajor);
        case 8: return std::to_string(kVersionMinor);
        case 9: return std::to_string(kVersionRevision);
        case 10: return versionWords() + " (" + releaseDate() + ")";
        case 11: return "Vorpex object-oriented Win32 GUI framework";
        case 12: return "Forms, controls, browses, data and reports for xBase programs";
        case 13: return "Made with the Vorpex framework";
        case 14:
            return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
                   std::to_string(kVersionRevision);
        case 15: return "(" + releaseDate() + ")";
        case 16: return std::to_string(kReleaseMonth);
        case 17: return std::to_string(kReleaseYear);
        case 2003: return "Vorpex " + number + " for Win32";
        case 2005: return "Vorpex " + number + " " + versionWords() + " (" + releaseDate() + ")";
        default: return "Vorpex";
    }
}

}  // namespace vorpex
