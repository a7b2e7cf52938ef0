#include "framework/core/form/form_state.h"

#include <cstdio>

namespace vorpex {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<int16_t> word(std::string_view four) {
    unsigned v = 0;
    for (char c : four) {
        const int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        v = v * 16 + static_cast<unsigned>(d);
    }
    return static_cast<int16_t>(static_cast<uint16_t>(v));
}

}  // namespace

std::string encodeFormState(int64_t left, int64_t top, int64_t width, int64_t height, char mode, bool visible) {
    char buffer[24];
    const char letter = visible ? mode : static_cast<char>(mode - 'A' + 'a');
    std::snprintf(buffer, sizeof buffer, "%04X%04X%04X%04X%c", static_cast<unsigned>(left & 0xFFFF),
                  static_cast<unsigned>(top & 0xFFFF), static_cast<unsigned>(width & 0xFFFF),
                  static_cast<unsigned>(height & 0xFFFF), letter);
    return buffer;
}

std::optional<FormState> decodeFormState(std::string_view text) {
    if (text.size() != 17) return std::nullopt;
    FormState s;
    int16_t* parts[] = {&s.left, &s.top, &s.width, &s.height};
    for (size_t i = 0; i < 4; ++i) {
        std::optional<int16_t> v = word(text.substr(i * 4, 4));
        if (!v) return std::nullopt;
        *parts[i] = *v;
    }
    const char letter = text[16];
    switch (letter) {
        case 'X': case 'M': case 'N': s.mode = letter; s.visible = true; break;
        case 'x': case 'm': case 'n': s.mode = static_cast<char>(letter - 'a' + 'A'); s.visible = false; break;
        default: return std::nullopt;
    }
    return s;
}

}  // namespace vorpex
