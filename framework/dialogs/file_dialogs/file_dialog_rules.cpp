#include "framework/dialogs/file_dialogs/file_dialog_rules.h"

#include <algorithm>
#include <cctype>

namespace vorpex {

namespace {

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::vector<std::string> parts(const std::string& text, char separator) {
    std::vector<std::string> out;
    size_t from = 0;
    for (size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + 1)
        out.push_back(text.substr(from, at - from));
    out.push_back(text.substr(from));
    return out;
}

// The extension after the last dot of the name's last part; "" when none.
std::string extensionOf(const std::string& name) {
    const size_t slash = name.find_last_of("\\/:");
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return name.substr(dot + 1);
}

}  // namespace

int64_t filterIndexFor(const std::string& fileName, const std::string& filter, int64_t current) {
    const std::string ext = upper(extensionOf(fileName));
    const std::string pairs = upper(filter);
    if (ext.empty() || pairs.find(ext) == std::string::npos) return current;
    const std::vector<std::string> items = parts(pairs, '|');
    for (size_t i = 1; i < items.size(); i += 2)
        if (items[i] == "*." + ext) return static_cast<int64_t>(i / 2 + 1);
    return 1;
}

std::string filterBuffer(const std::string& filter) {
    std::string buffer = filter;
    std::replace(buffer.begin(), buffer.end(), '|', '\0');
    return buffer + std::string(2, '\0');
}

std::string nameBuffer(const std::string& fileName) {
    std::string buffer = fileName.substr(0, std::min(fileName.size(), kFileNameBufferSize - 1));
    buffer.resize(kFileNameBufferSize + 1, '\0');
    return buffer;
}

ChosenFiles chosenFiles(const std::string& buffer, bool multiSelect) {
    std::vector<std::string> strings;
    for (size_t from = 0; from < buffer.size();) {
        const size_t end = std::min(buffer.find('\0', from), buffer.size());
        if (end == from) break;
        strings.push_back(buffer.substr(from, end - from));
        if (!multiSelect) break;
        from = end + 1;
    }
    ChosenFiles chosen;
    if (strings.empty()) return chosen;
    if (strings.size() == 1) {
        const std::string& path = strings[0];
        const size_t slash = path.find_last_of('\\');
        chosen.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        chosen.names.push_back(slash == std::string::npos ? path : path.substr(slash + 1));
        return chosen;
    }
    chosen.folder = strings[0];
    if (chosen.folder.back() != '\\') chosen.folder += '\\';
    chosen.names.assign(strings.begin() + 1, strings.end());
    return chosen;
}

FileResult fileResult(const ChosenFiles& chosen, const std::string& initialDir) {
    FileResult r;
    r.filePath = chosen.folder;
    // The folder is compared as the dialog gave it, with and without its closing backslash.
    const std::string bare = chosen.folder.empty() ? chosen.folder : chosen.folder.substr(0, chosen.folder.size() - 1);
    const bool initial = initialDir == chosen.folder || initialDir == bare;
    for (const std::string& name : chosen.names) {
        r.fullNames.push_back(chosen.folder + name);
        r.namesOnly.push_back(name);
        r.fileNames.push_back(initial ? name : chosen.folder + name);
    }
    return r;
}

}  // namespace vorpex
