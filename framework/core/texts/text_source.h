// Where the framework texts come from: the program's resources on Windows, the
// generated table elsewhere. The lookup logic above it is the same for both.
#pragma once

#include <optional>
#include <string>

namespace vorpex::texts {

inline constexpr int kEnglish = 0x09;

class TextSource
{
public:
    virtual ~TextSource() = default;

    // Text `id` in exactly the primary language `language`, in the ANSI code
    // page; nothing when that language has no such text (an empty entry counts
    // as missing). Never substitutes another language: falling back is the
    // caller's decision.
    virtual std::optional<std::string> find(int id, int language) const = 0;
};

} // namespace vorpex::texts
