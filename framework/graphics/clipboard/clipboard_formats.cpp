#include "framework/graphics/clipboard/clipboard_formats.h"

#include <array>
#include <cstring>

namespace vorpex::clip {

namespace {

constexpr std::array<const char*, 18> kNames = {
    "",     "TEXT",    "BITMAP", "METAFILEPICT", "SYLK",        "DIF",         "TIFF",  "OEMTEXT", "DIB",
    "PALETTE", "PENDATA", "RIFF",   "WAVE",         "UNICODETEXT", "ENHMETAFILE", "HDROP", "LOCALE",  "DIBV5"};

uint32_t readU32(std::string_view s, size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, s.data() + at, 4);  // the record is little-endian, as every platform that has it
    return v;
}

void putU32(std::string& s, size_t at, uint32_t v) { std::memcpy(s.data() + at, &v, 4); }

std::vector<std::string> readNarrow(std::string_view names) {
    std::vector<std::string> out;
    size_t at = 0;
    while (at < names.size()) {
        size_t end = names.find('\0', at);
        if (end == std::string_view::npos) end = names.size();  // an unterminated last name still counts
        if (end == at) break;
        out.emplace_back(names.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

std::vector<std::string> readWide(std::string_view bytes, const WideToAnsi& wideToAnsi) {
    std::u16string wide(bytes.size() / 2, u'\0');
    std::memcpy(wide.data(), bytes.data(), wide.size() * 2);
    std::vector<std::string> out;
    size_t at = 0;
    while (at < wide.size()) {
        size_t end = wide.find(u'\0', at);
        if (end == std::u16string::npos) end = wide.size();
        if (end == at) break;
        out.push_back(wideToAnsi(std::u16string_view(wide).substr(at, end - at)));
        at = end + 1;
    }
    return out;
}

}  // namespace

std::string standardFormatName(int64_t format) {
    if (format < 0 || format >= static_cast<int64_t>(kNames.size())) return "";
    return kNames[static_cast<size_t>(format)];
}

std::string dropList(const rt::Value& files) {
    std::string list;
    if (files.isArray()) {
        for (const rt::Value& name : files.asArray()->items) {
            list += name.deref().asString();
            list += '\0';
        }
    } else if (files.isString()) {
        list = files.asString();
        if (list.empty() || list.back() != '\0') list += '\0';
    }
    list += '\0';
    return list;
}

std::string dropFilesBlock(std::string_view list) {
    std::string block(kDropFilesHeader, '\0');
    putU32(block, 0, static_cast<uint32_t>(kDropFilesHeader));
    block.append(list);
    block.append(2, '\0');
    return block;
}

std::vector<std::string> readDropFiles(std::string_view block, const WideToAnsi& wideToAnsi) {
    if (block.size() < kDropFilesHeader) return {};
    uint32_t offset = readU32(block, 0);
    bool wide = readU32(block, 16) != 0;
    if (offset < kDropFilesHeader || offset >= block.size()) return {};
    std::string_view names = block.substr(offset);
    return wide ? readWide(names, wideToAnsi) : readNarrow(names);
}

std::string joinDropList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& n : names) {
        list += n;
        list += '\0';
    }
    list += '\0';
    return list;
}

std::vector<std::string> splitDropList(std::string_view list) { return readNarrow(list); }

}  // namespace vorpex::clip
