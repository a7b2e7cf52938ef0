// The framework texts from the generated C++ table: the platform-neutral
// backend, and the reference the resource backend is checked against.
#pragma once

#include "framework/core/texts/text_source.h"

#include <span>

namespace vorpex::texts {

struct TableText;

class TableTextSource final : public TextSource
{
public:
    // The generated framework table.
    TableTextSource();
    // Any table sorted by language, then id (tests use small ones).
    explicit TableTextSource(std::span<const TableText> table);

    std::optional<std::string> find(int id, int language) const override;

private:
    std::span<const TableText> table_;
};

// The whole generated table, sorted by language, then id.
std::span<const TableText> frameworkTable();

} // namespace vorpex::texts
