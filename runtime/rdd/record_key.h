// Index keys built straight from a record's bytes. Most key expressions only join character fields, Str() of
// numeric fields with a literal width and DToS() of date fields; for those the key is the fields' bytes and
// the same number and date conversions the evaluator applies, without values for the parts or strings for
// the joins. Anything else (other functions, operators, memory variables, aliases) is left to the evaluator.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dbf_header.h"

namespace rt::rdd {

class RecordKey {
public:
    // The plan for `text` over a table with these fields, or nothing when the expression is of another kind.
    static std::optional<RecordKey> compile(std::string_view text, const std::vector<Field>& fields);

    // The key of the record image `record` (deleted flag first, as the table stores it), replacing `out`.
    void build(const char* record, std::string& out) const;

private:
    enum class Kind { Text, Str, Dtos };
    struct Part {
        Kind kind;
        Field field;
        int width = 0;      // Str: the literal width
        int decimals = -1;  // Str: the literal decimals, -1 when not given
    };
    std::vector<Part> parts_;
};

}  // namespace rt::rdd
