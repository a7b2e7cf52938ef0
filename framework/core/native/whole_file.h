// A whole file read into or written from one byte string (images, image lists, pictures, logs).
#pragma once

#include <optional>
#include <string>

namespace vorpex::native {

// The file's bytes; nothing when it cannot be opened or read to its end.
std::optional<std::string> readFile(const std::string& file);
// Replaces the file by the bytes; false when it cannot be created or written completely.
bool writeFile(const std::string& file, const std::string& bytes);

}  // namespace vorpex::native
