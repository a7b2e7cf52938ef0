#include "framework/core/native/escape.h"

namespace vorpex {

namespace {
// The escape letter for a byte, 0 when the byte is copied as it is.
char escapeLetter(char c, bool quoted) {
    switch (c) {
        case '\0': return '0';
        case '\t': return 't';
        case '\n': return 'n';
        case '\r': return 'r';
        case '\\': return '\\';
        case '"': return quoted ? '"' : 0;
        default: return 0;
    }
}

// The byte a backslash sequence stands for, -1 when the letter starts no sequence.
int unescaped(char letter) {
    switch (letter) {
        case 'r': return '\r';
        case 't': return '\t';
        case 'n': return '\n';
        case '"': return '"';
        case '0': return '\0';
        case '\\': return '\\';
        default: return -1;
    }
}
}  // namespace

std::string encodeEscapes(std::string_view text, bool quoted) {
    std::string body;
    body.reserve(text.size() + 8);
    bool escaped = false;
    for (char c : text) {
        const char letter = escapeLetter(c, quoted);
        if (letter == 0) {
            body += c;
            continue;
        }
        body += '\\';
        body += letter;
        escaped = true;
    }
    if (!quoted) return body;
    return (escaped ? "e\"" : "\"") + body + '"';
}

std::string decodeEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const int byte = (text[i] == '\\' && i + 1 < text.size()) ? unescaped(text[i + 1]) : -1;
        if (byte < 0) {
            out += text[i];
            continue;
        }
        out += static_cast<char>(byte);
        ++i;
    }
    return out;
}

}  // namespace vorpex
