// Splits an expression text into tokens. Only the expression language's tokens exist here: anything else
// (macros, assignments, array or block literals) is a syntax error, never something to run.
#pragma once

#include <string>
#include <string_view>

#include "runtime/core/value.h"

namespace rt::expr {

enum class Tok {
    End, Number, String, Logical, Nil, Ident, LParen, RParen, Comma, Arrow,
    Plus, Minus, Star, Slash, Percent, Power,
    Equal, ExactEqual, NotEqual, Less, LessEqual, Greater, GreaterEqual, Dollar,
    And, Or, Not,
};

struct Token {
    Tok kind = Tok::End;
    std::string text;  // identifier (upper case) or string contents
    Value value;       // number and logical literals
    size_t pos = 0;    // offset in the text, for messages
};

// The problem with the text, raised by compile() as an rt::Error.
struct CompileError {
    int genCode;
    std::string description;
};

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}
    // The next token; throws CompileError on a character or string the language does not have.
    Token next();

private:
    Token number(size_t start);
    Token string(size_t start, char close);
    Token dotted(size_t start);
    Token identifier(size_t start);
    Token op(size_t start);
    [[noreturn]] void fail(size_t pos, std::string_view problem) const;

    std::string_view text_;
    size_t pos_ = 0;
};

// "at column N" for messages (1-based).
std::string where(size_t pos);

}  // namespace rt::expr
