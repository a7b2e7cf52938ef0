// The array browse's decisions over plain values: how a typed filter term reads (text to look for, or a
// comparison of a numeric cell with a number, parsed and never run as code), whether a cell passes it, and the
// order a header click sorts rows by (every value of every type in one total order, stable, so a sort never
// fails half way and equal rows keep their order). Tested natively; the grid applies the answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/core/value.h"

namespace vorpex::browse {

struct FilterTerm {
    enum Kind { Contains, Compare, Nothing } kind = Contains;
    enum Op { Less, LessEqual, Greater, GreaterEqual, Equal, NotEqual } op = Equal;
    std::string text;   // Contains: the upper-cased, trimmed term
    double number = 0;  // Compare: the number the cell is compared with
};

// A filter-bar entry for a column: upper-cased and trimmed; on a numeric column a term that starts with <, >
// or = is a comparison (<, <=, >, >=, =, ==, and != or <> for unequal) with a number, and a term whose number
// does not read keeps nothing; any other term is text the cell must contain.
FilterTerm parseFilterTerm(const std::string& entry, bool numericColumn);

// Whether a cell passes a term: `text` is its display text (any case), `number` its value when it is numeric.
bool passesFilter(const FilterTerm& term, const std::string& text, std::optional<double> number);

// The order of two cells: NIL first, then logicals, numbers, dates, texts (byte order) and anything else, each
// type in its natural order. <0, 0, >0.
int orderCells(const rt::Value& a, const rt::Value& b);

// The rows' new order when sorted by element `element` (1-based; a row without it sorts as NIL), ascending or
// descending: the old (0-based) row numbers in their new places. Equal cells keep their order.
std::vector<size_t> sortedOrder(const std::vector<rt::Value>& rows, int64_t element, bool descending);

// The upper-cased text, for filters and searches that ignore case.
std::string upperText(std::string text);

}  // namespace vorpex::browse
