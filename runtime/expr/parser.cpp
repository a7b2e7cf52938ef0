#include "parser.h"

#include <unordered_map>

#include "runtime/core/error.h"

namespace rt::expr {
namespace {

// Result letters of the functions whose type the text decides; others are learned by evaluating.
char functionType(const std::string& name) {
    static const std::unordered_map<std::string, char> types = {
        {"STR", 'C'},     {"SUBSTR", 'C'},   {"LEFT", 'C'},     {"RIGHT", 'C'},    {"UPPER", 'C'},
        {"LOWER", 'C'},   {"TRIM", 'C'},     {"RTRIM", 'C'},    {"LTRIM", 'C'},    {"ALLTRIM", 'C'},
        {"PADL", 'C'},    {"PADR", 'C'},     {"PADC", 'C'},     {"SPACE", 'C'},    {"REPLICATE", 'C'},
        {"STRTRAN", 'C'}, {"DTOS", 'C'},     {"DTOC", 'C'},     {"CMONTH", 'C'},   {"CDOW", 'C'},
        {"TIME", 'C'},    {"TRANSFORM", 'C'}, {"VALTYPE", 'C'}, {"CHR", 'C'},      {"ALIAS", 'C'},
        {"VAL", 'N'},     {"AT", 'N'},       {"RAT", 'N'},      {"LEN", 'N'},      {"YEAR", 'N'},
        {"MONTH", 'N'},   {"DAY", 'N'},      {"DOW", 'N'},      {"SECONDS", 'N'},  {"ROUND", 'N'},
        {"INT", 'N'},     {"ABS", 'N'},      {"MOD", 'N'},      {"ASC", 'N'},      {"RECNO", 'N'},
        {"LASTREC", 'N'}, {"RECCOUNT", 'N'}, {"CTOD", 'D'},     {"STOD", 'D'},     {"DATE", 'D'},
        {"EMPTY", 'L'},   {"DELETED", 'L'},  {"EOF", 'L'},      {"BOF", 'L'},      {"FOUND", 'L'},
    };
    auto it = types.find(name);
    return it == types.end() ? 0 : it->second;
}

bool isRelational(Tok t, CompareOp& op) {
    switch (t) {
        case Tok::Equal: op = CompareOp::Equal; return true;
        case Tok::ExactEqual: op = CompareOp::ExactEqual; return true;
        case Tok::NotEqual: op = CompareOp::NotEqual; return true;
        case Tok::Less: op = CompareOp::Less; return true;
        case Tok::LessEqual: op = CompareOp::LessEqual; return true;
        case Tok::Greater: op = CompareOp::Greater; return true;
        case Tok::GreaterEqual: op = CompareOp::GreaterEqual; return true;
        default: return false;
    }
}

std::string describeToken(const Token& t) {
    switch (t.kind) {
        case Tok::End: return "end of text";
        case Tok::String: return "string";
        case Tok::Number: return "number";
        case Tok::Ident: return "'" + t.text + "'";
        default: return "'" + t.text + "'";
    }
}

}  // namespace

Parser::Nesting::Nesting(Parser& p) : p_(p) {
    if (++p_.depth_ > kMaxDepth) {
        --p_.depth_;
        throw CompileError{eg::Complexity, "Expression nested too deeply " + where(p_.peek().pos)};
    }
}

Parser::Parser(std::string_view text, const Scope* scope) : scope_(scope) {
    Lexer lexer(text);
    for (;;) {
        tokens_.push_back(lexer.next());
        if (tokens_.back().kind == Tok::End) break;
    }
}

const Token& Parser::peek(size_t ahead) const {
    size_t i = next_ + ahead;
    return i < tokens_.size() ? tokens_[i] : tokens_.back();
}

Token Parser::take() {
    Token t = peek();
    if (next_ < tokens_.size() - 1) ++next_;
    return t;
}

bool Parser::accept(Tok kind) {
    if (peek().kind != kind) return false;
    take();
    return true;
}

void Parser::expect(Tok kind, std::string_view what) {
    if (!accept(kind)) fail(peek(), "expected " + std::string(what) + ", found " + describeToken(peek()));
}

void Parser::fail(const Token& at, std::string_view problem) const {
    throw CompileError{eg::Syntax, "Syntax error: " + std::string(problem) + " " + where(at.pos)};
}

NodePtr Parser::bounded(NodePtr node) const {
    if (node->height() > kMaxHeight)
        throw CompileError{eg::Complexity, "Expression too complex " + where(peek().pos)};
    return node;
}

NodePtr Parser::parse() {
    if (peek().kind == Tok::End) fail(peek(), "empty expression");
    NodePtr root = parseOr();
    if (peek().kind != Tok::End) fail(peek(), "unexpected " + describeToken(peek()));
    return root;
}

NodePtr Parser::parseOr() {
    Nesting nesting(*this);
    NodePtr left = parseAnd();
    while (accept(Tok::Or)) left = bounded(makeOr(std::move(left), parseAnd()));
    return left;
}

NodePtr Parser::parseAnd() {
    NodePtr left = parseNot();
    while (accept(Tok::And)) left = bounded(makeAnd(std::move(left), parseNot()));
    return left;
}

NodePtr Parser::parseNot() {
    if (!accept(Tok::Not)) return parseRelational();
    Nesting nesting(*this);
    return bounded(makeNot(parseNot()));
}

NodePtr Parser::parseRelational() {
    NodePtr left = parseAdditive();
    for (;;) {
        CompareOp op;
        if (accept(Tok::Dollar)) {
            left = bounded(makeContains(std::move(left), parseAdditive()));
        } else if (isRelational(peek().kind, op)) {
            take();
            left = bounded(makeCompare(op, std::move(left), parseAdditive()));
        } else {
            return left;
        }
    }
}

NodePtr Parser::parseAdditive() {
    NodePtr left = parseMultiplicative();
    for (;;) {
        if (accept(Tok::Plus)) {
            left = bounded(makeArithmetic(ArithOp::Add, std::move(left), parseMultiplicative()));
        } else if (accept(Tok::Minus)) {
            left = bounded(makeArithmetic(ArithOp::Subtract, std::move(left), parseMultiplicative()));
        } else {
            return left;
        }
    }
}

NodePtr Parser::parseMultiplicative() {
    NodePtr left = parsePower();
    for (;;) {
        ArithOp op;
        if (accept(Tok::Star)) {
            op = ArithOp::Multiply;
        } else if (accept(Tok::Slash)) {
            op = ArithOp::Divide;
        } else if (accept(Tok::Percent)) {
            op = ArithOp::Modulo;
        } else {
            return left;
        }
        left = bounded(makeArithmetic(op, std::move(left), parsePower()));
    }
}

NodePtr Parser::parsePower() {
    NodePtr left = parseUnary();
    while (accept(Tok::Power)) left = bounded(makeArithmetic(ArithOp::Power, std::move(left), parseUnary()));
    return left;
}

NodePtr Parser::parseUnary() {
    Tok kind = peek().kind;
    if (kind != Tok::Minus && kind != Tok::Plus && kind != Tok::Not) return parsePrimary();
    take();
    Nesting nesting(*this);
    NodePtr operand = parseUnary();
    if (kind == Tok::Minus) return bounded(makeNegate(std::move(operand)));
    if (kind == Tok::Plus) return bounded(makeUnaryPlus(std::move(operand)));
    return bounded(makeNot(std::move(operand)));
}

NodePtr Parser::parsePrimary() {
    const Token& t = peek();
    switch (t.kind) {
        case Tok::Number:
        case Tok::Logical: return makeLiteral(take().value);
        case Tok::String: return makeLiteral(Value(take().text));
        case Tok::Nil: take(); return makeLiteral(Value());
        case Tok::Ident: return parseIdentifier();
        case Tok::LParen: return parseParenthesized();
        case Tok::End: fail(t, "unexpected end of text");
        default: fail(t, "unexpected " + describeToken(t));
    }
}

NodePtr Parser::parseIdentifier() {
    Token name = take();
    if (peek().kind == Tok::LParen) return parseCall(name);
    if (!accept(Tok::Arrow)) return field(std::string(), name.text, name.pos);
    if (name.text == "FIELD" || name.text == "_FIELD") {
        // FIELD->name is a field of the area the expression runs in.
        if (peek().kind != Tok::Ident) fail(peek(), "expected a field name after FIELD->");
        Token f = take();
        return field(std::string(), f.text, f.pos);
    }
    return parseAliased(name.text);
}

// alias->field or alias->( expr ).
NodePtr Parser::parseAliased(const std::string& alias) {
    if (peek().kind == Tok::Ident) {
        Token f = take();
        return field(alias, f.text, f.pos);
    }
    if (!accept(Tok::LParen)) fail(peek(), "expected a field or '(' after '->'");
    if (!scope_) throw CompileError{eg::NoAlias, "No work areas in this expression " + where(peek().pos)};
    std::string savedAlias = areaAlias_;
    bool savedLate = late_;
    areaAlias_ = alias;
    late_ = false;
    NodePtr body = parseOr();
    areaAlias_ = savedAlias;
    late_ = savedLate;
    expect(Tok::RParen, "')'");
    return bounded(makeArea(*scope_, alias, std::move(body)));
}

// ( expr ), or (alias)->... where the alias is a bare name or an expression computed at every evaluation.
NodePtr Parser::parseParenthesized() {
    if (peek(1).kind == Tok::Ident && peek(2).kind == Tok::RParen && peek(3).kind == Tok::Arrow) {
        take();
        std::string alias = take().text;
        take();
        take();
        return parseAliased(alias);
    }
    take();
    NodePtr inner = parseOr();
    expect(Tok::RParen, "')'");
    if (!accept(Tok::Arrow)) return inner;
    return parseLateAliased(std::move(inner));
}

NodePtr Parser::parseLateAliased(NodePtr alias) {
    if (!scope_) throw CompileError{eg::NoAlias, "No work areas in this expression " + where(peek().pos)};
    if (peek().kind == Tok::Ident) return bounded(makeLateAliasField(*scope_, std::move(alias), take().text));
    if (!accept(Tok::LParen)) fail(peek(), "expected a field or '(' after '->'");
    bool savedLate = late_;
    late_ = true;
    NodePtr body = parseOr();
    late_ = savedLate;
    expect(Tok::RParen, "')'");
    return bounded(makeLateArea(*scope_, std::move(alias), std::move(body)));
}

NodePtr Parser::parseCall(const Token& name) {
    take();  // (
    std::vector<NodePtr> args;
    if (!accept(Tok::RParen)) {
        for (;;) {
            // An empty argument ("f(a,,b)") passes NIL, as the language allows.
            if (peek().kind == Tok::Comma || peek().kind == Tok::RParen) {
                args.push_back(makeLiteral(Value()));
            } else {
                args.push_back(parseOr());
            }
            if (accept(Tok::RParen)) break;
            expect(Tok::Comma, "',' or ')'");
        }
    }
    if (name.text == "IIF" || name.text == "IF") {
        if (args.size() != 3) fail(name, name.text + "() needs three arguments");
        return bounded(makeIIf(std::move(args[0]), std::move(args[1]), std::move(args[2])));
    }
    const Function* fn = findFunction(name.text);
    if (!fn) throw CompileError{eg::NoFunc, "Undefined function: " + name.text + " " + where(name.pos)};
    return bounded(makeCall(name.text, *fn, std::move(args), functionType(name.text)));
}

NodePtr Parser::field(const std::string& alias, const std::string& name, size_t pos) {
    if (alias.empty() && late_) {
        return makeLateField(*scope_, name);
    }
    const std::string& area = alias.empty() ? areaAlias_ : alias;
    std::function<Value()> accessor = scope_ ? scope_->resolveField(area, name) : nullptr;
    if (!accessor) {
        std::string shown = area.empty() ? name : area + "->" + name;
        throw CompileError{eg::NoVar, "Variable does not exist: " + shown + " " + where(pos)};
    }
    return makeField(std::move(accessor));
}

}  // namespace rt::expr
