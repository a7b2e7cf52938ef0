// The framework texts from RT_STRING resources (Windows only).
#pragma once

#include "framework/core/texts/text_source.h"
#include "framework/core/texts/texts.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vorpex::texts {

class ResourceTextSource final : public TextSource
{
public:
    // `modules` is asked on every lookup; an unset hook or an empty list means
    // the program's own module.
    explicit ResourceTextSource(TextModuleList modules);

    // The first module that has the text's string block in exactly `language`
    // answers, even when its entry is empty; later modules are not asked.
    std::optional<std::string> find(int id, int language) const override;

    // The raw UTF-16 entry, unconverted (for checking the resources against
    // the table). Same rules as find().
    std::optional<std::u16string> findWide(int id, int language) const;

private:
    std::vector<std::intptr_t> modules() const;

    TextModuleList modules_;
};

// The module handle of the running program.
std::intptr_t programModule();

} // namespace vorpex::texts
