// The texts a DBF data set builds for filtering and sorting, platform-neutral and free of the engine: the terms
// a browse's filter bar turns into, the names of temporary sort tags, the direction word of a sort expression
// and the capitalised order names GetTags shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vorpex::data {

// One filter-bar term for the field `field` of DBF type `type` ("C", "M", "N", "D", "L") and the typed text.
// A user's text is data, never code: numbers and dates take at most one comparison operator and a literal of
// their kind; a character or logical text becomes one string literal, delimited by a quote it does not hold.
// Nothing (nullopt) when the text is no such term: the caller must not filter on it.
std::optional<std::string> filterTerm(const std::string& field, const std::string& type, const std::string& typed);

// CRC-32 (the zip polynomial) of the text.
uint32_t crc32Of(const std::string& text);

// The temporary sort tag's name for an expression: "_" + the first 9 digits of its CRC-32; `attempt` > 0
// gives the further names tried when another expression holds that name.
std::string sortTagName(const std::string& expression, int attempt = 0);

// Whether two key expressions are the same text but for case and blanks.
bool sameExpression(const std::string& a, const std::string& b);

// Removes the words " ASC"/" DESC" (any case, after a blank) from a sort expression; true when DESC was there.
bool takeSortDirection(std::string& expression);

// An order name as GetTags shows it: words longer than two letters capitalised, shorter ones in lower case.
std::string capitalizedTag(const std::string& name);

}  // namespace vorpex::data
