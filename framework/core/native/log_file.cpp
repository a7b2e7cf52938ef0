#include "framework/core/native/log_file.h"

#include <fstream>

namespace vorpex {

bool appendLogLine(const std::filesystem::path& file, std::span<const std::string_view> pieces) {
    std::ofstream out(file, std::ios::binary | std::ios::app);
    if (!out) return false;
    for (std::string_view piece : pieces) out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    out.write("\r\n", 2);
    out.close();
    return !out.fail();
}

bool logFile(std::initializer_list<std::string_view> pieces) {
    return appendLogLine(kLogFileName, std::span<const std::string_view>(pieces.begin(), pieces.size()));
}

}  // namespace vorpex
