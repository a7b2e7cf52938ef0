// The file dialogs' decisions, platform-neutral: which filter pair a file name selects, the filter and name
// buffers the system dialog takes, and the chosen files read back from its name buffer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorpex {

// The stated size of the name buffer; the buffer itself has one byte more for the closing zero.
inline constexpr size_t kFileNameBufferSize = 65535;

// The 1-based pair of `filter` ("Text|*.txt|All|*.*") whose pattern is exactly "*." + the name's extension,
// compared upper-cased; 1 when the extension occurs in the filter but no pattern is that; `current` when the
// name has no extension or the filter does not mention it.
int64_t filterIndexFor(const std::string& fileName, const std::string& filter, int64_t current);

// "Text|*.txt" as the dialog reads it: each "|" a zero byte, then two zeros more.
std::string filterBuffer(const std::string& filter);

// The name buffer: the name cut to what the stated size holds, zero-filled to the full size.
std::string nameBuffer(const std::string& fileName);

// The files the dialog answered with. A multi-selection answers the folder and then the names, each ended by a
// zero, the list by two; one file, even in a multi-selection, comes back as a single full path.
struct ChosenFiles {
    std::string folder;  // ends in a backslash
    std::vector<std::string> names;
};
ChosenFiles chosenFiles(const std::string& buffer, bool multiSelect);

// What the result properties take. `fileName` is the name alone when its folder is exactly the initial one.
struct FileResult {
    std::string filePath;
    std::vector<std::string> fullNames, namesOnly, fileNames;
};
FileResult fileResult(const ChosenFiles& chosen, const std::string& initialDir);

}  // namespace vorpex
