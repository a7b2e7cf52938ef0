#include "framework/core/texts/framework_texts.h"

#include "framework/core/texts/placeholders.h"

namespace vorpex::texts {

namespace {

constexpr int kLastTextId = 0xFFFF;
constexpr int kLastNeutralId = 255;
constexpr int kNeutral = 0;

bool isLanguageNumber(int language)
{
    return language >= 0 && language <= 0xFFFF;
}

} // namespace

FrameworkTexts::FrameworkTexts(const TextSource& source, LocaleLanguage localeLanguage)
    : source_(source), localeLanguage_(std::move(localeLanguage))
{
}

int FrameworkTexts::setLanguage(std::optional<int> language)
{
    if (!language || !isLanguageNumber(*language)) {
        return language_.load();
    }
    return language_.exchange(*language);
}

int FrameworkTexts::currentLanguage()
{
    int language = language_.load();
    if (language != 0) {
        return language;
    }
    const int fromLocale = localeLanguage_ ? localeLanguage_() : 0;
    // A concurrent SETLANGUAGE wins over the locale default.
    language_.compare_exchange_strong(language, fromLocale);
    return language_.load();
}

std::optional<std::string> FrameworkTexts::find(int id)
{
    if (id < 0 || id > kLastTextId) {
        return std::nullopt;
    }
    const int language = currentLanguage();
    if (auto found = source_.find(id, language)) {
        return found;
    }
    if (language == kEnglish) {
        return std::nullopt;
    }
    return source_.find(id, kEnglish);
}

std::string FrameworkTexts::text(int id, std::span<const std::string> args)
{
    const auto found = find(id);
    return found ? fillPlaceholders(*found, args) : std::string();
}

std::string FrameworkTexts::plainText(int id, std::span<const std::string> args)
{
    const auto found = find(id);
    return found ? fillPlaceholders(removeAccelerators(*found), args) : std::string();
}

std::vector<NeutralText> FrameworkTexts::neutralTexts() const
{
    std::vector<NeutralText> texts;
    for (int id = 0; id <= kLastNeutralId; ++id) {
        if (auto found = source_.find(id, kNeutral)) {
            texts.push_back({id, std::move(*found)});
        }
    }
    return texts;
}

} // namespace vorpex::texts
