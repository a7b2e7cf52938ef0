#include "settings.h"

namespace rt {

Settings& settings() {
    static Settings s;
    return s;
}

std::string effectiveDateFormat() {
    const Settings& s = settings();
    std::string f = s.dateFormat;
    size_t y = f.find_first_of("yY");
    if (y == std::string::npos) return f;
    size_t end = f.find_first_not_of("yY", y);
    size_t count = (end == std::string::npos ? f.size() : end) - y;
    if (s.century && count == 2) f.insert(y, "yy");
    if (!s.century && count == 4) f.erase(y, 2);
    return f;
}

}  // namespace rt
