#include "lexer.h"

#include "runtime/core/error.h"
#include "runtime/lib/number.h"
#include "runtime/lib/text.h"

namespace rt::expr {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The dotted words: operators and logical literals.
struct Dotted {
    const char* word;
    Tok kind;
    bool truth;
};
constexpr Dotted kDotted[] = {
    {".AND.", Tok::And, false}, {".OR.", Tok::Or, false}, {".NOT.", Tok::Not, false},
    {".T.", Tok::Logical, true}, {".F.", Tok::Logical, false}, {".Y.", Tok::Logical, true},
    {".N.", Tok::Logical, false},
};

}  // namespace

std::string where(size_t pos) { return "at column " + std::to_string(pos + 1); }

void Lexer::fail(size_t pos, std::string_view problem) const {
    throw CompileError{eg::Syntax, "Syntax error: " + std::string(problem) + " " + where(pos)};
}

Token Lexer::next() {
    while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
    if (pos_ >= text_.size()) return Token{Tok::End, {}, {}, pos_};
    size_t start = pos_;
    char c = text_[pos_];
    if (isDigit(c)) return number(start);
    if (c == '.') return pos_ + 1 < text_.size() && isDigit(text_[pos_ + 1]) ? number(start) : dotted(start);
    if (c == '\'' || c == '"') return string(start, c);
    if (c == '[') return string(start, ']');
    if (isLetter(c)) return identifier(start);
    return op(start);
}

Token Lexer::number(size_t start) {
    while (pos_ < text_.size() && isDigit(text_[pos_])) ++pos_;
    // A point belongs to the number unless it starts a dotted word ("1.AND.x").
    if (pos_ < text_.size() && text_[pos_] == '.' && !(pos_ + 1 < text_.size() && isLetter(text_[pos_ + 1]))) {
        ++pos_;
        while (pos_ < text_.size() && isDigit(text_[pos_])) ++pos_;
    }
    if (pos_ < text_.size() && isLetter(text_[pos_])) fail(pos_, "a letter right after a number");
    std::string_view digits = text_.substr(start, pos_ - start);
    return Token{Tok::Number, {}, Value(val(digits)), start};
}

Token Lexer::string(size_t start, char close) {
    size_t end = text_.find(close, start + 1);
    if (end == std::string_view::npos) fail(start, "unterminated string");
    pos_ = end + 1;
    return Token{Tok::String, std::string(text_.substr(start + 1, end - start - 1)), {}, start};
}

Token Lexer::dotted(size_t start) {
    for (const Dotted& d : kDotted) {
        std::string_view word(d.word);
        if (text_.size() - start < word.size()) continue;
        if (toUpper(text_.substr(start, word.size())) != word) continue;
        pos_ = start + word.size();
        Token t{d.kind, std::string(word), {}, start};
        if (d.kind == Tok::Logical) t.value = Value(d.truth);
        return t;
    }
    fail(start, "unknown dotted word");
}

Token Lexer::identifier(size_t start) {
    while (pos_ < text_.size() && (isLetter(text_[pos_]) || isDigit(text_[pos_]))) ++pos_;
    std::string name = toUpper(text_.substr(start, pos_ - start));
    if (name == "NIL") return Token{Tok::Nil, name, {}, start};
    return Token{Tok::Ident, name, {}, start};
}

Token Lexer::op(size_t start) {
    auto two = [&](char second) { return pos_ + 1 < text_.size() && text_[pos_ + 1] == second; };
    auto make = [&](Tok kind, size_t length) {
        pos_ += length;
        return Token{kind, std::string(text_.substr(start, length)), {}, start};
    };
    switch (text_[pos_]) {
        case '(': return make(Tok::LParen, 1);
        case ')': return make(Tok::RParen, 1);
        case ',': return make(Tok::Comma, 1);
        case '+': return make(Tok::Plus, 1);
        case '-': return two('>') ? make(Tok::Arrow, 2) : make(Tok::Minus, 1);
        case '*': return two('*') ? make(Tok::Power, 2) : make(Tok::Star, 1);
        case '/': return make(Tok::Slash, 1);
        case '%': return make(Tok::Percent, 1);
        case '^': return make(Tok::Power, 1);
        case '$': return make(Tok::Dollar, 1);
        case '#': return make(Tok::NotEqual, 1);
        case '=': return two('=') ? make(Tok::ExactEqual, 2) : make(Tok::Equal, 1);
        case '!': return two('=') ? make(Tok::NotEqual, 2) : make(Tok::Not, 1);
        case '<':
            if (two('>')) return make(Tok::NotEqual, 2);
            return two('=') ? make(Tok::LessEqual, 2) : make(Tok::Less, 1);
        case '>': return two('=') ? make(Tok::GreaterEqual, 2) : make(Tok::Greater, 1);
        case ':': fail(start, two('=') ? "assignment is not allowed" : "unexpected ':'");
        case '&': fail(start, "macros are not allowed");
        default: break;
    }
    unsigned char c = static_cast<unsigned char>(text_[pos_]);
    if (c >= 0x20 && c < 0x7F) fail(start, std::string("unexpected '") + char(c) + "'");
    fail(start, "unexpected character " + std::to_string(c));
}

}  // namespace rt::expr
