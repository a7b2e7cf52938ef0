#include "framework/core/texts/resource_text_source.h"

#include <windows.h>

#include <algorithm>

namespace vorpex::texts {

namespace {

constexpr int kEntriesPerBlock = 16;
constexpr WORD kMissingLength = 0xFFFF;
// RT_STRING for the wide calls (the build keeps UNICODE undefined).
const LPCWSTR kStringType = MAKEINTRESOURCEW(6);

// ---- Win32 calls, wrapped once -------------------------------------------

HMODULE toModule(std::intptr_t handle)
{
    return reinterpret_cast<HMODULE>(handle);
}

BOOL CALLBACK collectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

std::vector<WORD> blockLanguages(HMODULE module, int block)
{
    std::vector<WORD> languages;
    EnumResourceLanguagesW(module, kStringType, MAKEINTRESOURCEW(block), collectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

// The stored language id that is `language`: the neutral sublanguage if
// present, else any sublanguage of it. FindResourceExW alone would hand back
// some other language (neutral, the user's, the first one) when the wanted one
// is missing, and English would then never get its turn.
std::optional<WORD> exactLanguage(const std::vector<WORD>& stored, int language)
{
    for (WORD id : stored) {
        if (id == language) {
            return id;
        }
    }
    for (WORD id : stored) {
        if (PRIMARYLANGID(id) == language) {
            return id;
        }
    }
    return std::nullopt;
}

struct Block
{
    const WORD* data = nullptr;
    std::size_t units = 0;
};

std::optional<Block> loadBlock(HMODULE module, int block, int language)
{
    const auto stored = exactLanguage(blockLanguages(module, block), language);
    if (!stored) {
        return std::nullopt;
    }
    HRSRC found = FindResourceExW(module, kStringType, MAKEINTRESOURCEW(block), *stored);
    if (found == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return std::nullopt;
    }
    return Block{static_cast<const WORD*>(data), SizeofResource(module, found) / sizeof(WORD)};
}

std::string wideToAnsi(std::u16string_view wide)
{
    if (wide.empty()) {
        return {};
    }
    const auto* source = reinterpret_cast<const wchar_t*>(wide.data());
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, source, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, source, length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

// ---- the string block ---------------------------------------------------

// Entry `index` of a block: each entry is a length and that many UTF-16 units.
// Every step is checked against the block's size, so a damaged block reads as
// missing instead of past its end.
std::optional<std::u16string> blockEntry(const Block& block, int index)
{
    std::size_t pos = 0;
    for (int entry = 0; entry < index; ++entry) {
        if (pos >= block.units) {
            return std::nullopt;
        }
        const WORD length = block.data[pos];
        pos += 1 + (length == kMissingLength ? 0 : length);
    }
    if (pos >= block.units) {
        return std::nullopt;
    }
    const WORD length = block.data[pos];
    if (length == 0 || length == kMissingLength || pos + 1 + length > block.units) {
        return std::nullopt;
    }
    const auto* first = reinterpret_cast<const char16_t*>(block.data + pos + 1);
    return std::u16string(first, first + length);
}

} // namespace

std::intptr_t programModule()
{
    return reinterpret_cast<std::intptr_t>(GetModuleHandleW(nullptr));
}

ResourceTextSource::ResourceTextSource(TextModuleList modules) : modules_(std::move(modules)) {}

std::vector<std::intptr_t> ResourceTextSource::modules() const
{
    auto list = modules_ ? modules_() : std::vector<std::intptr_t>{};
    if (list.empty()) {
        list.push_back(programModule());
    }
    return list;
}

std::optional<std::u16string> ResourceTextSource::findWide(int id, int language) const
{
    if (id < 0 || id > 0xFFFF || language < 0 || language > 0xFFFF) {
        return std::nullopt;
    }
    const int block = id / kEntriesPerBlock + 1;
    for (std::intptr_t module : modules()) {
        if (module == 0) {
            continue;
        }
        if (auto loaded = loadBlock(toModule(module), block, language)) {
            return blockEntry(*loaded, id % kEntriesPerBlock);
        }
    }
    return std::nullopt;
}

std::optional<std::string> ResourceTextSource::find(int id, int language) const
{
    auto wide = findWide(id, language);
    if (!wide) {
        return std::nullopt;
    }
    return wideToAnsi(*wide);
}

} // namespace vorpex::texts
