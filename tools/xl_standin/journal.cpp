#include "journal.h"

#include <cstdio>

namespace xl {

void Journal::write(std::string_view line) const {
    if (path_.empty()) return;
    std::FILE* f = std::fopen(path_.c_str(), "ab");
    if (!f) return;
    std::fwrite(line.data(), 1, line.size(), f);
    std::fputc('\n', f);
    std::fclose(f);
}

}  // namespace xl
