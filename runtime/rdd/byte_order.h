// Integers as the table files store them: little-endian in DBF headers, DBT memos and NTX pages, big-endian in
// FPT memos, whatever the platform's own order. Byte is char or unsigned char (files are read into either).
#pragma once

#include <cstdint>

namespace rt::rdd {

template <class Byte>
uint16_t getLE16(const Byte* p) {
    return static_cast<uint16_t>(static_cast<uint8_t>(p[0]) | static_cast<uint8_t>(p[1]) << 8);
}

template <class Byte>
uint32_t getLE32(const Byte* p) {
    return static_cast<uint32_t>(getLE16(p)) | static_cast<uint32_t>(getLE16(p + 2)) << 16;
}

template <class Byte>
uint32_t getBE32(const Byte* p) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(p[i]);
    return v;
}

template <class Byte>
void putLE16(Byte* p, uint16_t v) {
    p[0] = static_cast<Byte>(v & 0xFF);
    p[1] = static_cast<Byte>(v >> 8);
}

template <class Byte>
void putLE32(Byte* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<Byte>((v >> (8 * i)) & 0xFF);
}

template <class Byte>
void putBE32(Byte* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<Byte>((v >> (8 * (3 - i))) & 0xFF);
}

}  // namespace rt::rdd
