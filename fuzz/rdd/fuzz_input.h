// Several files in one fuzz input, so that a mutation can touch any of them and the seed writer can build
// inputs the targets read back: a flags byte, the length of each part (two bytes, little-endian), the parts
// in order, then the rest (a memo file, or a script of operations).
#pragma once
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace vorpex_fuzz {

struct Input {
    uint8_t flags = 0;
    std::vector<std::string_view> parts;
    std::string_view rest;
};

// A length that runs past the input takes what is left, so every input splits.
inline Input splitInput(const uint8_t* data, size_t size, size_t partCount) {
    Input in;
    std::string_view all(reinterpret_cast<const char*>(data), size);
    size_t at = std::min<size_t>(size, 1 + 2 * partCount);
    if (size > 0) in.flags = data[0];
    for (size_t i = 0; i < partCount; ++i) {
        size_t length = 0;
        if (2 + 2 * i < size) length = data[1 + 2 * i] | static_cast<size_t>(data[2 + 2 * i]) << 8;
        length = std::min(length, size - at);
        in.parts.push_back(all.substr(at, length));
        at += length;
    }
    in.rest = all.substr(at);
    return in;
}

inline std::string joinInput(uint8_t flags, const std::vector<std::string>& parts, std::string_view rest) {
    std::string out(1, static_cast<char>(flags));
    for (const std::string& p : parts) {
        out += static_cast<char>(p.size() & 0xFF);
        out += static_cast<char>(p.size() >> 8 & 0xFF);
    }
    for (const std::string& p : parts) out += p;
    out += rest;
    return out;
}

inline void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace vorpex_fuzz
