#include "framework/core/texts/table_text_source.h"

#include "framework_texts_table.h"

#include <algorithm>

namespace vorpex::texts {

std::span<const TableText> frameworkTable()
{
    return {kFrameworkTexts, kFrameworkTextCount};
}

TableTextSource::TableTextSource() : table_(frameworkTable()) {}

TableTextSource::TableTextSource(std::span<const TableText> table) : table_(table) {}

std::optional<std::string> TableTextSource::find(int id, int language) const
{
    const auto key = [](const TableText& entry) { return std::pair(entry.language, entry.id); };
    const auto wanted = std::pair(language, id);
    const auto it = std::ranges::lower_bound(table_, wanted, {}, key);
    if (it == table_.end() || key(*it) != wanted || it->ansi == nullptr || *it->ansi == '\0') {
        return std::nullopt;
    }
    return std::string(it->ansi);
}

} // namespace vorpex::texts
