// The clock export files of the punch import, shared by the engine run, the floor and the peers: lines
// "badge,dd/mm/yyyy hh:mm:ss", and the one parsing rule every contender applies to them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace bench {

// Key of one punch as the index holds it: str(badge,6) + "yyyy/mm/dd" + "hh:mm:ss" (24 characters), with
// badge 999 stored as 195. Answers false for a line that is not a punch.
inline bool punchKey(const char* line, size_t len, char key[25], int& badge) {
    const char* blank = static_cast<const char*>(std::memchr(line, ' ', len));
    if (!blank) return false;
    const char* comma = static_cast<const char*>(std::memchr(line, ',', static_cast<size_t>(blank - line)));
    badge = comma ? std::atoi(std::string(line, static_cast<size_t>(comma - line)).c_str()) : 0;
    if (badge == 999) badge = 195;
    const char* date = comma ? comma + 1 : line;  // dd/mm/yyyy
    const char* time = blank + 1;
    if (date + 10 > line + len || time + 8 > line + len) return false;
    char head[8];
    std::snprintf(head, sizeof head, "%6d", badge % 1000000);
    std::memcpy(key, head, 6);
    std::memcpy(key + 6, date + 6, 4);
    key[10] = '/';
    std::memcpy(key + 11, date + 3, 2);
    key[13] = '/';
    std::memcpy(key + 14, date, 2);
    std::memcpy(key + 16, time, 8);
    key[24] = 0;
    return true;
}

template <class F>
inline bool forEachLine(const std::string& path, F&& f) {
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return false;
    char line[256];
    while (std::fgets(line, sizeof line, in)) {
        size_t n = std::strlen(line);
        while (n && (line[n - 1] == '\n' || line[n - 1] == '\r')) --n;
        if (n) f(line, n);
    }
    std::fclose(in);
    return true;
}

inline const char* const clockFiles[] = {"almacen.csv", "oficinas.csv"};

// Calls f(key, badge) for each punch of the clock files in `dir`, in file order, passing over the lines that
// are not punches and a clock file that is missing.
template <class F>
inline void forEachPunch(const std::filesystem::path& dir, F&& f) {
    for (const char* name : clockFiles) {
        forEachLine((dir / name).string(), [&](const char* line, size_t n) {
            char key[25];
            int badge;
            if (punchKey(line, n, key, badge)) f(static_cast<const char*>(key), badge);
        });
    }
}

}  // namespace bench
