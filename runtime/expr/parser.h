// Recursive descent over the expression language, with the xBase precedence (loosest first): .OR., .AND.,
// .NOT., relational (= == != <> # < <= > >= $), + -, * / %, ** ^, unary - +. Fields and functions are
// resolved here, once, so evaluation does no name look-ups.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lexer.h"
#include "node.h"

namespace rt::expr {

class Parser {
public:
    Parser(std::string_view text, const Scope* scope);
    // The tree of the whole text; throws CompileError.
    NodePtr parse();

private:
    NodePtr parseOr();
    NodePtr parseAnd();
    NodePtr parseNot();
    NodePtr parseRelational();
    NodePtr parseAdditive();
    NodePtr parseMultiplicative();
    NodePtr parsePower();
    NodePtr parseUnary();
    NodePtr parsePrimary();
    NodePtr parseIdentifier();
    NodePtr parseParenthesized();
    NodePtr parseCall(const Token& name);
    NodePtr parseAliased(const std::string& alias);
    NodePtr parseLateAliased(NodePtr alias);
    NodePtr field(const std::string& alias, const std::string& name, size_t pos);

    const Token& peek(size_t ahead = 0) const;
    Token take();
    bool accept(Tok kind);
    void expect(Tok kind, std::string_view what);
    [[noreturn]] void fail(const Token& at, std::string_view problem) const;
    NodePtr bounded(NodePtr node) const;

    // Counts the nesting of the recursive rules; deeper text is rejected before the stack runs out.
    class Nesting {
    public:
        explicit Nesting(Parser& p);
        ~Nesting() { --p_.depth_; }

    private:
        Parser& p_;
    };

    std::vector<Token> tokens_;
    size_t next_ = 0;
    const Scope* scope_;
    int depth_ = 0;
    // While parsing alias->( ... ): the alias bare fields belong to. `late_`: inside (expr)->( ... ), where
    // the area is known only when evaluating.
    std::string areaAlias_;
    bool late_ = false;
};

// Tallest tree the compiler builds: evaluation recurses this deep.
inline constexpr int kMaxHeight = 500;

}  // namespace rt::expr
