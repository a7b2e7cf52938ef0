// The language state and lookups of the framework texts over one TextSource.
// The process-wide instance behind LT/LT2/SETLANGUAGE lives in texts.h; tests
// make their own with a chosen source and locale.
#pragma once

#include "framework/core/texts/text_source.h"

#include <atomic>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorpex::texts {

// {id, text} of one language-neutral text, as GETLANGUAGES lists them.
struct NeutralText
{
    int id = 0;
    std::string text;

    bool operator==(const NeutralText&) const = default;
};

class FrameworkTexts
{
public:
    // Primary language of the user's locale (the low byte of the thread locale
    // on Windows); asked on the first lookup while no language is set.
    using LocaleLanguage = std::function<int()>;

    FrameworkTexts(const TextSource& source, LocaleLanguage localeLanguage);

    // Sets the language for every later lookup and returns the previous one
    // (0 while unset). Without a value it only reports. 0 makes the language
    // unset again, so the next lookup takes the locale's; a number outside
    // 0-0xFFFF is no language number and changes nothing.
    int setLanguage(std::optional<int> language);

    // Text `id` in the current language, else in English; nothing when neither
    // has it. Placeholders are not filled.
    std::optional<std::string> find(int id);

    // LT: the text with %1..%9 filled from args, "" when missing.
    std::string text(int id, std::span<const std::string> args = {});

    // LT2: as text(), without accelerator marks. The marks are taken off the
    // table's text before filling, so an argument's own "&" (a file name such
    // as "R&D.dbf") reaches the caller intact.
    std::string plainText(int id, std::span<const std::string> args = {});

    // GETLANGUAGES: every non-empty language-neutral text numbered 0-255.
    std::vector<NeutralText> neutralTexts() const;

    int localeLanguage() const { return localeLanguage_(); }

private:
    int currentLanguage();

    const TextSource& source_;
    LocaleLanguage localeLanguage_;
    std::atomic<int> language_{0};
};

} // namespace vorpex::texts
