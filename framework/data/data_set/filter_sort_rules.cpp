#include "framework/data/data_set/filter_sort_rules.h"

#include <cctype>
#include <string_view>

namespace vorpex::data {

namespace {

std::string blankTrimmed(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

std::string upperCased(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string lowerCased(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A string literal of the expression language holding `value` as it stands: the first delimiter the value does
// not contain; nothing when it contains them all.
std::optional<std::string> stringLiteral(const std::string& value) {
    if (value.find('\'') == std::string::npos) return "'" + value + "'";
    if (value.find('"') == std::string::npos) return "\"" + value + "\"";
    if (value.find(']') == std::string::npos) return "[" + value + "]";
    return std::nullopt;
}

// The comparison at the front of a typed term, from the ones a filter bar offers; "" when there is none.
std::string takeOperator(std::string& typed) {
    for (const char* op : {"<=", ">=", "<>", "<", ">", "="})
        if (typed.rfind(op, 0) == 0) {
            typed = blankTrimmed(std::string_view(typed).substr(std::string_view(op).size()));
            return op;
        }
    return {};
}

bool isNumberLiteral(const std::string& s) {
    size_t i = s.empty() || (s[0] != '-' && s[0] != '+') ? 0 : 1;
    size_t digits = 0, dots = 0;
    for (; i < s.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(s[i])))
            ++digits;
        else if (s[i] == '.' && ++dots == 1)
            continue;
        else
            return false;
    }
    return digits > 0;
}

bool isDateLiteral(const std::string& s) {
    size_t digits = 0;
    for (char c : s) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            ++digits;
        else if (c != '/' && c != '-' && c != '.')
            return false;
    }
    return digits > 0;
}

std::optional<std::string> numberTerm(const std::string& field, std::string typed) {
    const std::string op = takeOperator(typed);
    if (!isNumberLiteral(typed)) return std::nullopt;
    if (op.empty() || op == "=") return field + " = " + typed;
    return field + " " + op + typed;
}

std::optional<std::string> dateTerm(const std::string& field, std::string typed) {
    const std::string op = takeOperator(typed);
    if (op == "<>" || !isDateLiteral(typed)) return std::nullopt;
    return field + " " + (op.empty() ? "=" : op) + " CToD( '" + typed + "' )";
}

std::optional<std::string> textTerm(const std::string& field, const std::string& typed) {
    std::string value = upperCased(typed);
    const bool anyStart = value.front() == '%';
    const bool anyEnd = value.size() > 1 && value.back() == '%';
    if (anyStart) value.erase(0, 1);
    if (anyEnd) value.pop_back();
    const std::optional<std::string> quoted = stringLiteral(value);
    if (!quoted) return std::nullopt;
    const std::string n = std::to_string(value.size());
    if (anyStart && !anyEnd) return "Right( Upper( " + field + " ), " + n + " )  == " + *quoted;
    if (anyEnd && !anyStart) return "Left( Upper( " + field + " ), " + n + " ) == " + *quoted;
    return *quoted + " $ Upper( " + field + " )";
}

std::optional<std::string> logicalTerm(const std::string& field, const std::string& typed) {
    const std::optional<std::string> quoted = stringLiteral(typed);
    if (!quoted) return std::nullopt;
    return field + " == ( Left( Upper( " + *quoted + " ), 1 ) != 'N' )";
}

}  // namespace

std::optional<std::string> filterTerm(const std::string& field, const std::string& type, const std::string& typed) {
    const std::string value = blankTrimmed(typed);
    if (value.empty() || field.empty() || type.empty()) return std::nullopt;
    switch (std::toupper(static_cast<unsigned char>(type[0]))) {
    case 'C':
    case 'M': return textTerm(field, value);
    case 'N': return numberTerm(field, value);
    case 'D': return dateTerm(field, value);
    case 'L': return logicalTerm(field, value);
    default: return std::nullopt;
    }
}

uint32_t crc32Of(const std::string& text) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : text) {
        crc ^= c;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string sortTagName(const std::string& expression, int attempt) {
    const std::string digits = std::to_string(crc32Of(expression)).substr(0, 9);
    if (attempt <= 0) return "_" + digits;
    return "_" + std::to_string(std::stoull(digits) + static_cast<unsigned>(attempt)).substr(0, 9);
}

bool sameExpression(const std::string& a, const std::string& b) {
    const auto squeezed = [](const std::string& s) {
        std::string out;
        for (char c : s)
            if (c != ' ') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return out;
    };
    return squeezed(a) == squeezed(b);
}

namespace {

// Removes the word (" ASC" or " DESC") when the expression has it; true when it did.
bool takeWord(std::string& expression, const std::string& word) {
    const std::string upper = upperCased(expression);
    for (size_t at = upper.find(word); at != std::string::npos; at = upper.find(word, at + 1)) {
        const size_t end = at + word.size();
        if (end < upper.size() && upper[end] != ' ') continue;
        expression = blankTrimmed(expression.substr(0, at) + expression.substr(end));
        return true;
    }
    return false;
}

}  // namespace

bool takeSortDirection(std::string& expression) {
    takeWord(expression, " ASC");
    return takeWord(expression, " DESC");
}

std::string capitalizedTag(const std::string& name) {
    std::string out, word;
    const auto flush = [&] {
        if (word.empty()) return;
        if (!out.empty()) out += ' ';
        word = lowerCased(word);
        if (word.size() > 2) word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
        out += word;
        word.clear();
    };
    for (char c : name) {
        if (c == ' ')
            flush();
        else
            word += c;
    }
    flush();
    return out;
}

}  // namespace vorpex::data
