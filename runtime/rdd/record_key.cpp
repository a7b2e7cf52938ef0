#include "record_key.h"

#include <cctype>
#include <charconv>

#include "runtime/core/symbol.h"
#include "runtime/lib/date.h"
#include "runtime/lib/number.h"
#include "table.h"

namespace rt::rdd {

namespace {

// Widths beyond a key's largest size are left to the evaluator and its limits.
constexpr int kWidestStr = 255;

// A left-to-right reader of the few tokens a plain key expression has: names, unsigned integers and the
// punctuation ( ) , +.
class Tokens {
public:
    explicit Tokens(std::string_view text) : s_(text) {}

    bool atEnd() {
        skipBlanks();
        return at_ == s_.size();
    }
    bool take(char c) {
        skipBlanks();
        if (at_ < s_.size() && s_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    std::string_view name() {
        skipBlanks();
        size_t from = at_;
        if (at_ < s_.size() && (std::isalpha(byte()) || s_[at_] == '_'))
            while (at_ < s_.size() && (std::isalnum(byte()) || s_[at_] == '_')) ++at_;
        return s_.substr(from, at_ - from);
    }
    std::optional<int> integer() {
        skipBlanks();
        int n = 0;
        size_t from = at_;
        while (at_ < s_.size() && std::isdigit(byte()) && n <= kWidestStr) n = n * 10 + (s_[at_++] - '0');
        if (at_ == from || n > kWidestStr) return std::nullopt;
        return n;
    }

private:
    unsigned char byte() const { return static_cast<unsigned char>(s_[at_]); }
    void skipBlanks() {
        while (at_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[at_]))) ++at_;
    }
    std::string_view s_;
    size_t at_ = 0;
};

const Field* fieldNamed(const std::vector<Field>& fields, std::string_view name) {
    for (const Field& f : fields)
        if (equalsIgnoreCase(f.name, name)) return &f;
    return nullptr;
}

// STR() of a field stored without decimals that holds a plain integer, written straight into the key: the
// evaluator's digits right-aligned in the width, or stars when they do not fit. False for any other stored
// text, which the evaluator's path then formats.
bool appendIntegerStr(const Field& f, const char* at, int width, std::string& out) {
    if (f.decimals != 0) return false;
    const char* from = at;
    const char* to = at + f.length;
    while (from < to && *from == ' ') ++from;
    while (to > from && to[-1] == ' ') --to;
    int64_t v = 0;
    if (from < to) {
        auto r = std::from_chars(from, to, v);
        if (r.ec != std::errc() || r.ptr != to) return false;
    }
    char digits[24];
    const size_t n = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, v).ptr - digits);
    const size_t w = static_cast<size_t>(width);
    if (n > w) {
        out.append(w, '*');
    } else {
        out.append(w - n, ' ');
        out.append(digits, n);
    }
    return true;
}

}  // namespace

std::optional<RecordKey> RecordKey::compile(std::string_view text, const std::vector<Field>& fields) {
    RecordKey plan;
    Tokens t(text);
    do {
        const std::string_view word = t.name();
        if (word.empty()) return std::nullopt;
        Part part{Kind::Text, {}};
        if (!t.take('(')) {
            const Field* f = fieldNamed(fields, word);
            if (!f || f->type != 'C') return std::nullopt;
            part.field = *f;
        } else {
            const bool str = equalsIgnoreCase(word, "STR"), dtos = equalsIgnoreCase(word, "DTOS");
            if (!str && !dtos) return std::nullopt;
            const Field* f = fieldNamed(fields, t.name());
            if (!f || f->type != (str ? 'N' : 'D')) return std::nullopt;
            part.kind = str ? Kind::Str : Kind::Dtos;
            part.field = *f;
            if (str) {
                std::optional<int> width, decimals;
                if (!t.take(',') || !(width = t.integer()) || *width == 0) return std::nullopt;
                if (t.take(',') && !(decimals = t.integer())) return std::nullopt;
                part.width = *width;
                part.decimals = decimals ? *decimals : -1;
            }
            if (!t.take(')')) return std::nullopt;
        }
        plan.parts_.push_back(std::move(part));
    } while (t.take('+'));
    if (!t.atEnd()) return std::nullopt;
    return plan;
}

void RecordKey::build(const char* record, std::string& out) const {
    out.clear();
    for (const Part& p : parts_) {
        const char* at = record + p.field.offset;
        switch (p.kind) {
        case Kind::Text: out.append(at, p.field.length); break;
        case Kind::Str: {
            if (p.decimals <= 0 && appendIntegerStr(p.field, at, p.width, out)) break;
            const Value n = Table::numberValue(p.field, at);
            out += p.decimals < 0 ? str(n.asNumber(), p.width) : str(n.asNumber(), p.width, p.decimals);
            break;
        }
        case Kind::Dtos: out += dtos(rt::stod(std::string_view(at, p.field.length))); break;
        }
    }
}

}  // namespace rt::rdd
