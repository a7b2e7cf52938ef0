#include "expression.h"

#include "node.h"
#include "parser.h"
#include "runtime/core/error.h"

namespace rt::expr {

Expression::Expression(std::string text, std::unique_ptr<Node> root) : text_(std::move(text)), root_(std::move(root)) {}

Expression::~Expression() = default;

Value Expression::eval() const { return root_->eval(); }

char Expression::resultType() const {
    if (type_) return type_;
    char t = root_->staticType();
    type_ = t ? t : eval().typeCode();
    return type_;
}

ExpressionPtr compile(std::string_view text, const Scope* scope) {
    try {
        Parser parser(text, scope);
        NodePtr root = parser.parse();
        return std::make_shared<Expression>(std::string(text), std::move(root));
    } catch (const CompileError& problem) {
        Error e;
        e.genCode = problem.genCode;
        e.subSystem = "BASE";
        e.description = problem.description;
        e.operation = std::string(text);
        e.canDefault = true;
        raise(e);  // Default and Retry both give up here: the text will not change
        return nullptr;
    }
}

BlockPtr compileBlock(std::string_view text, const Scope* scope) {
    ExpressionPtr compiled = compile(text, scope);
    if (!compiled) return nullptr;
    return makeBlock([compiled](Args) { return compiled->eval(); }, "{|| " + std::string(text) + " }");
}

}  // namespace rt::expr
