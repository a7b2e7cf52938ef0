#include "framework/core/native/text_utility.h"

namespace vorpex {

bool isStringNumeric(std::string_view text) {
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.')) return false;
    return true;
}

std::string joinForDebug(std::span<const std::string_view> pieces, size_t limit) {
    std::string out;
    for (std::string_view piece : pieces) {
        if (out.size() >= limit) break;
        out.append(piece.substr(0, limit - out.size()));
        if (out.size() < limit) out += ' ';
    }
    return out;
}

size_t wideLength(std::string_view bytes) {
    const size_t count = bytes.size() / 2;
    for (size_t i = 0; i < count; ++i)
        if (bytes[2 * i] == '\0' && bytes[2 * i + 1] == '\0') return i;
    return count;
}

}  // namespace vorpex
