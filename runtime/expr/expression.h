// Key, filter, locate and relation expressions: a text compiled once into a tree and evaluated many times.
// The language is the xBase expression subset only (literals, fields, operators, registered functions), so a
// filter typed by a user can never run anything else.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/core/block.h"
#include "runtime/core/value.h"

namespace rt::expr {

// What an expression can see besides literals and functions: the table engine implements this.
class Scope {
public:
    virtual ~Scope() = default;
    // A readable name: bare field (alias empty) or alias->field; null when unknown. The returned
    // accessor is called at every evaluation (cheap: no name look-up there). Names and aliases arrive in
    // upper case; FIELD->name arrives as a bare name, M->name with the alias "M". Inside alias->( ... ) the
    // bare names of the body arrive with that alias.
    virtual std::function<Value()> resolveField(std::string_view alias, std::string_view name) const = 0;
    // Runs `body` with the work area `alias` current and restores the previous one: alias->(expr).
    virtual Value inArea(std::string_view alias, const std::function<Value()>& body) const = 0;
};

class Node;

class Expression {
public:
    Expression(std::string text, std::unique_ptr<Node> root);
    ~Expression();
    Expression(const Expression&) = delete;
    Expression& operator=(const Expression&) = delete;

    Value eval() const;
    const std::string& text() const { return text_; }
    // The ValType() letter of the result ("C", "N", "D", "L", ...). Known from the text when literals and
    // functions decide it; otherwise (fields) the expression is evaluated once, on the first call, and the
    // letter kept.
    char resultType() const;

private:
    std::string text_;
    std::unique_ptr<Node> root_;
    mutable char type_ = 0;
};

using ExpressionPtr = std::shared_ptr<Expression>;

// Deepest nesting the compiler accepts, counting each parenthesis, call, alias->( ) and unary operator
// (-, +, !, .NOT.) a level; deeper text is an error (genCode Complexity) rather than a stack overflow.
inline constexpr int kMaxDepth = 200;

// Compiles; a syntax error raises an rt::Error (genCode 7 Syntax, description naming the problem,
// operation = the text) through rt::raise and returns null if the handler answers Default. An unknown
// function is reported the same way with genCode 12 NoFunc. `scope` may be null (no fields), and must
// outlive the expression.
ExpressionPtr compile(std::string_view text, const Scope* scope);

// A code block that evaluates the expression; its source is "{|| text }". Null when compile answers null.
BlockPtr compileBlock(std::string_view text, const Scope* scope);

}  // namespace rt::expr
