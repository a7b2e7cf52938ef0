#include "framework/core/texts/placeholders.h"

namespace vorpex::texts {

namespace {

// Argument index for "%<c>", or -1 when c names none of the given arguments.
int argumentIndex(char c, std::size_t count)
{
    if (c < '1' || c > '9') {
        return -1;
    }
    const auto index = static_cast<std::size_t>(c - '1');
    return index < count ? static_cast<int>(index) : -1;
}

} // namespace

std::string fillPlaceholders(std::string_view text, std::span<const std::string> args)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int index = (text[i] == '%' && i + 1 < text.size()) ? argumentIndex(text[i + 1], args.size()) : -1;
        if (index < 0) {
            out += text[i];
            continue;
        }
        out += args[static_cast<std::size_t>(index)];
        ++i;
    }
    return out;
}

std::string removeAccelerators(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    return out;
}

} // namespace vorpex::texts
