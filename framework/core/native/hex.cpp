#include "framework/core/native/hex.h"

#include <cstdint>

namespace vorpex {

namespace {
constexpr char kUpper[] = "0123456789ABCDEF";
constexpr char kLower[] = "0123456789abcdef";

void appendByte(std::string& out, unsigned char b) {
    out += kUpper[b >> 4];
    out += kUpper[b & 0x0F];
}
}  // namespace

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string dec(int64_t n) { return std::to_string(n); }

std::string hex(int64_t n) {
    uint64_t u = static_cast<uint64_t>(n);
    std::string out;
    do {
        out.insert(out.begin(), kLower[u & 0x0F]);
        u >>= 4;
    } while (u != 0);
    return out;
}

std::string fixedHex(int64_t n, int digits) {
    if (digits <= 0) return {};
    if (digits > 16) digits = 16;
    const uint64_t u = static_cast<uint64_t>(n);
    std::string out(static_cast<size_t>(digits), '0');
    for (int i = 0; i < digits; ++i) out[static_cast<size_t>(digits - 1 - i)] = kUpper[(u >> (4 * i)) & 0x0F];
    return out;
}

std::string stringToHex(std::string_view data) {
    std::string out;
    out.reserve(data.size() * 2);
    for (char c : data) appendByte(out, static_cast<unsigned char>(c));
    return out;
}

std::string hexToString(std::string_view hexText) {
    std::string out;
    out.reserve(hexText.size() / 2);
    for (size_t i = 0; i + 1 < hexText.size(); i += 2) {
        const int high = hexDigitValue(hexText[i]);
        const int low = hexDigitValue(hexText[i + 1]);
        out += static_cast<char>(((high < 0 ? 0 : high) << 4) | (low < 0 ? 0 : low));
    }
    return out;
}

std::string memToHex(const void* data, size_t size) {
    std::string out;
    if (!data) return out;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        appendByte(out, bytes[i]);
        if ((reinterpret_cast<uintptr_t>(bytes + i) + 1) % 4 == 0) out += static_cast<char>(0xB7);
    }
    return out;
}

uint64_t hexPrefixValue(std::string_view text, int digits) {
    uint64_t value = 0;
    for (size_t i = 0; i < text.size() && static_cast<int>(i) < digits; ++i) {
        const int d = hexDigitValue(text[i]);
        if (d < 0) break;
        value = (value << 4) | static_cast<uint64_t>(d);
    }
    return value;
}

int64_t hexToDec(std::string_view text) {
    uint64_t value = 0;
    for (char c : text) {
        const int d = hexDigitValue(c);
        value = d < 0 ? 0 : (value << 4) | static_cast<uint64_t>(d);
    }
    return static_cast<int64_t>(value);
}

}  // namespace vorpex
