#include "text.h"

#include "lib_error.h"

namespace rt {
namespace {

size_t clampCount(int64_t n, size_t limit) {
    if (n <= 0) return 0;
    return static_cast<uint64_t>(n) > limit ? limit : static_cast<size_t>(n);
}

// Builds a result of `size` bytes only when it stays within the library's string limit.
bool fitsLimit(uint64_t size, int subCode, std::string_view operation, std::string& overflowAnswer) {
    if (size <= kMaxStringLength) return true;
    overflowAnswer = raiseStringOverflow(subCode, operation);
    return false;
}

bool isWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string substr(std::string_view s, int64_t start, int64_t length) {
    int64_t size = static_cast<int64_t>(s.size());
    if (start < 0) start = size + start + 1;
    if (start < 1) start = 1;  // Positions before the first one count as the first.
    if (start > size || length <= 0) return std::string();
    size_t from = static_cast<size_t>(start - 1);
    return std::string(s.substr(from, clampCount(length, s.size() - from)));
}

std::string left(std::string_view s, int64_t n) { return std::string(s.substr(0, clampCount(n, s.size()))); }

std::string right(std::string_view s, int64_t n) {
    size_t k = clampCount(n, s.size());
    return std::string(s.substr(s.size() - k));
}

char upperChar(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
    if (u == 0x9A || u == 0x9C || u == 0x9E) return static_cast<char>(u - 16);  // š œ ž
    if (u == 0xFF) return static_cast<char>(0x9F);                               // ÿ
    return c;
}

char lowerChar(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
    if (u == 0x8A || u == 0x8C || u == 0x8E) return static_cast<char>(u + 16);
    if (u == 0x9F) return static_cast<char>(0xFF);
    return c;
}

std::string toUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = upperChar(c);
    return out;
}

std::string toLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = lowerChar(c);
    return out;
}

std::string rtrim(std::string_view s) {
    size_t end = s.size();
    while (end > 0 && s[end - 1] == ' ') --end;
    return std::string(s.substr(0, end));
}

std::string ltrim(std::string_view s) {
    size_t from = 0;
    while (from < s.size() && isWhite(s[from])) ++from;
    return std::string(s.substr(from));
}

std::string alltrim(std::string_view s) { return ltrim(rtrim(s)); }

std::string padl(std::string_view s, int64_t n, char fill) {
    std::string overflow;
    if (!fitsLimit(n < 0 ? 0 : static_cast<uint64_t>(n), 1236, "PADL", overflow)) return overflow;
    size_t width = clampCount(n, kMaxStringLength);
    if (s.size() >= width) return std::string(s.substr(0, width));
    return std::string(width - s.size(), fill) + std::string(s);
}

std::string padr(std::string_view s, int64_t n, char fill) {
    std::string overflow;
    if (!fitsLimit(n < 0 ? 0 : static_cast<uint64_t>(n), 1237, "PADR", overflow)) return overflow;
    size_t width = clampCount(n, kMaxStringLength);
    if (s.size() >= width) return std::string(s.substr(0, width));
    return std::string(s) + std::string(width - s.size(), fill);
}

std::string padc(std::string_view s, int64_t n, char fill) {
    std::string overflow;
    if (!fitsLimit(n < 0 ? 0 : static_cast<uint64_t>(n), 1238, "PADC", overflow)) return overflow;
    size_t width = clampCount(n, kMaxStringLength);
    if (s.size() >= width) return std::string(s.substr(0, width));
    size_t before = (width - s.size()) / 2;
    return std::string(before, fill) + std::string(s) + std::string(width - s.size() - before, fill);
}

std::string space(int64_t n) {
    std::string overflow;
    if (!fitsLimit(n < 0 ? 0 : static_cast<uint64_t>(n), 1235, "SPACE", overflow)) return overflow;
    return std::string(clampCount(n, kMaxStringLength), ' ');
}

std::string replicate(std::string_view s, int64_t times) {
    if (times <= 0 || s.empty()) return std::string();
    std::string overflow;
    uint64_t total = static_cast<uint64_t>(times) > kMaxStringLength ? UINT64_MAX : s.size() * static_cast<uint64_t>(times);
    if (!fitsLimit(total, 1234, "REPLICATE", overflow)) return overflow;
    std::string out;
    out.reserve(static_cast<size_t>(total));
    for (int64_t i = 0; i < times; ++i) out += s;
    return out;
}

std::string strtran(std::string_view s, std::string_view search, std::string_view replacement, int64_t start,
                    int64_t count) {
    if (search.empty()) return std::string(s);
    if (start < 1) start = 1;
    std::string out;
    int64_t seen = 0, replaced = 0;
    size_t pos = 0;
    while (pos < s.size()) {
        size_t hit = s.find(search, pos);
        if (hit == std::string_view::npos) break;
        ++seen;
        bool replace = seen >= start && (count < 0 || replaced < count);
        out.append(s.substr(pos, hit - pos));
        if (replace) {
            out.append(replacement);
            ++replaced;
        } else {
            out.append(search);
        }
        pos = hit + search.size();
        if (out.size() > kMaxStringLength) return raiseStringOverflow(1126, "STRTRAN");
    }
    out.append(s.substr(pos < s.size() ? pos : s.size()));
    return out;
}

int64_t at(std::string_view needle, std::string_view haystack) {
    if (needle.empty()) return 0;
    size_t p = haystack.find(needle);
    return p == std::string_view::npos ? 0 : static_cast<int64_t>(p) + 1;
}

int64_t rat(std::string_view needle, std::string_view haystack) {
    if (needle.empty()) return 0;
    size_t p = haystack.rfind(needle);
    return p == std::string_view::npos ? 0 : static_cast<int64_t>(p) + 1;
}

bool isBlankText(std::string_view s) {
    for (char c : s)
        if (!isWhite(c)) return false;
    return true;
}

}  // namespace rt
