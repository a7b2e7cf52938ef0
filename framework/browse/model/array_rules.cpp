#include "framework/browse/model/array_rules.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <numeric>

namespace vorpex::browse {

namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

struct OperatorText {
    const char* text;
    FilterTerm::Op op;
};
// Longest first, so that "<=" is not read as "<" followed by "=".
constexpr OperatorText kOperators[] = {{"<=", FilterTerm::LessEqual}, {">=", FilterTerm::GreaterEqual},
                                       {"<>", FilterTerm::NotEqual},  {"==", FilterTerm::Equal},
                                       {"!=", FilterTerm::NotEqual},  {"<", FilterTerm::Less},
                                       {">", FilterTerm::Greater},    {"=", FilterTerm::Equal}};

// A plain decimal number, nothing before or after it.
std::optional<double> readNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const char* end = text.data() + text.size();
    const char* start = text.data() + (text[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [ptr, error] = std::from_chars(start, end, value, std::chars_format::fixed);
    if (error != std::errc() || ptr != end) return std::nullopt;
    return value;
}

int typeRank(const rt::Value& v) {
    switch (v.type()) {
        case rt::Type::Nil: return 0;
        case rt::Type::Logical: return 1;
        case rt::Type::Number: return 2;
        case rt::Type::Date: return 3;
        case rt::Type::String: return 4;
        default: return 5;
    }
}

template <class T>
int threeWay(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

rt::Value elementOf(const rt::Value& row, int64_t element) {
    const auto items = row.isArray() ? row.asArray() : nullptr;
    if (!items || element < 1 || element > static_cast<int64_t>(items->size())) return {};
    return items->items[static_cast<size_t>(element - 1)];
}

}  // namespace

std::string upperText(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

FilterTerm parseFilterTerm(const std::string& entry, bool numericColumn) {
    FilterTerm term;
    term.text = upperText(trimmed(entry));
    if (!numericColumn || term.text.empty() || std::string("<>=!").find(term.text[0]) == std::string::npos ||
        (term.text[0] == '!' && term.text.rfind("!=", 0) != 0))
        return term;
    for (const OperatorText& o : kOperators) {
        if (term.text.rfind(o.text, 0) != 0) continue;
        const std::optional<double> value = readNumber(trimmed(term.text.substr(std::char_traits<char>::length(o.text))));
        FilterTerm parsed;
        parsed.kind = value ? FilterTerm::Compare : FilterTerm::Nothing;
        parsed.op = o.op;
        parsed.number = value.value_or(0);
        return parsed;
    }
    return term;
}

bool passesFilter(const FilterTerm& term, const std::string& text, std::optional<double> number) {
    switch (term.kind) {
        case FilterTerm::Nothing: return false;
        case FilterTerm::Contains: return upperText(trimmed(text)).find(term.text) != std::string::npos;
        case FilterTerm::Compare: break;
    }
    if (!number) return false;
    switch (term.op) {
        case FilterTerm::Less: return *number < term.number;
        case FilterTerm::LessEqual: return *number <= term.number;
        case FilterTerm::Greater: return *number > term.number;
        case FilterTerm::GreaterEqual: return *number >= term.number;
        case FilterTerm::Equal: return *number == term.number;
        case FilterTerm::NotEqual: return *number != term.number;
    }
    return false;
}

int orderCells(const rt::Value& a, const rt::Value& b) {
    const int ra = typeRank(a), rb = typeRank(b);
    if (ra != rb) return threeWay(ra, rb);
    switch (a.type()) {
        case rt::Type::Logical: return threeWay(a.asLogical(), b.asLogical());
        case rt::Type::Number: return threeWay(a.asDouble(), b.asDouble());
        case rt::Type::Date: return threeWay(a.asDate().julian, b.asDate().julian);
        case rt::Type::String: return threeWay(a.asString(), b.asString());
        default: return 0;
    }
}

std::vector<size_t> sortedOrder(const std::vector<rt::Value>& rows, int64_t element, bool descending) {
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::vector<rt::Value> keys;
    keys.reserve(rows.size());
    for (const rt::Value& row : rows) keys.push_back(elementOf(row, element));
    std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
        const int c = orderCells(keys[x], keys[y]);
        return descending ? c > 0 : c < 0;
    });
    return order;
}

}  // namespace vorpex::browse
