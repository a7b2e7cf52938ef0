#include "node.h"

#include <array>

#include "runtime/core/error.h"
#include "runtime/lib/display.h"
#include "runtime/lib/lib_error.h"
#include "runtime/lib/number.h"
#include "runtime/lib/text.h"

namespace rt::expr {
namespace {

// A logical operand; any other type raises the operator's error and the handler's value decides.
bool logicalOperand(const Value& v, int subCode, const char* operation) {
    if (v.isLogical()) return v.asLogical();
    Value answer = raiseArgError(subCode, operation, Args(&v, 1));
    return answer.isLogical() && answer.asLogical();
}

Value noVariable(const std::string& name) {
    Error e;
    e.genCode = eg::NoVar;
    e.subCode = 1003;
    e.description = "Variable does not exist";
    e.operation = name;
    e.canDefault = true;
    return raise(e).value;
}

// The work area named by a computed alias: a name, or an area number.
bool aliasText(const Value& v, std::string& out) {
    if (v.isString()) {
        out = toUpper(alltrim(v.asString()));
        return !out.empty();
    }
    if (v.isNumber()) {
        out = std::to_string(v.asInteger());
        return true;
    }
    Error e;
    e.genCode = eg::NoAlias;
    e.subCode = 1002;
    e.description = "Alias does not exist";
    e.operation = displayText(v);
    e.canDefault = true;
    raise(e);
    return false;
}

class Literal final : public Node {
public:
    explicit Literal(Value v) : v_(std::move(v)) {}
    Value eval() const override { return v_; }
    char staticType() const override { return v_.typeCode(); }

private:
    Value v_;
};

class Field final : public Node {
public:
    explicit Field(std::function<Value()> accessor) : accessor_(std::move(accessor)) {}
    Value eval() const override { return accessor_(); }

private:
    std::function<Value()> accessor_;
};

class LateField final : public Node {
public:
    LateField(const Scope& scope, std::string name) : scope_(scope), name_(std::move(name)) {}
    Value eval() const override {
        auto accessor = scope_.resolveField("", name_);
        return accessor ? accessor() : noVariable(name_);
    }

private:
    const Scope& scope_;
    std::string name_;
};

class LateAliasField final : public Node {
public:
    LateAliasField(const Scope& scope, NodePtr alias, std::string name)
        : scope_(scope), alias_(std::move(alias)), name_(std::move(name)) {
        growOver(*alias_);
    }
    Value eval() const override {
        std::string alias;
        if (!aliasText(alias_->eval(), alias)) return Value();
        auto accessor = scope_.resolveField(alias, name_);
        return accessor ? accessor() : noVariable(alias + "->" + name_);
    }

private:
    const Scope& scope_;
    NodePtr alias_;
    std::string name_;
};

class Area final : public Node {
public:
    Area(const Scope& scope, std::string alias, NodePtr body)
        : scope_(scope), alias_(std::move(alias)), body_(std::move(body)) {
        growOver(*body_);
    }
    Value eval() const override {
        return scope_.inArea(alias_, [this] { return body_->eval(); });
    }
    char staticType() const override { return body_->staticType(); }

private:
    const Scope& scope_;
    std::string alias_;
    NodePtr body_;
};

class LateArea final : public Node {
public:
    LateArea(const Scope& scope, NodePtr alias, NodePtr body)
        : scope_(scope), alias_(std::move(alias)), body_(std::move(body)) {
        growOver(*alias_);
        growOver(*body_);
    }
    Value eval() const override {
        std::string alias;
        if (!aliasText(alias_->eval(), alias)) return Value();
        return scope_.inArea(alias, [this] { return body_->eval(); });
    }
    char staticType() const override { return body_->staticType(); }

private:
    const Scope& scope_;
    NodePtr alias_;
    NodePtr body_;
};

class Unary : public Node {
public:
    explicit Unary(NodePtr operand) : operand_(std::move(operand)) { growOver(*operand_); }

protected:
    NodePtr operand_;
};

class Negate final : public Unary {
public:
    using Unary::Unary;
    Value eval() const override { return negate(operand_->eval()); }
    char staticType() const override { return operand_->staticType() == 'N' ? 'N' : 0; }
};

class UnaryPlus final : public Unary {
public:
    using Unary::Unary;
    Value eval() const override {
        Value v = operand_->eval();
        return v.isNumber() ? v : raiseArgError(1080, "+", Args(&v, 1));
    }
    char staticType() const override { return operand_->staticType() == 'N' ? 'N' : 0; }
};

class Not final : public Unary {
public:
    using Unary::Unary;
    Value eval() const override { return !logicalOperand(operand_->eval(), 1077, ".NOT."); }
    char staticType() const override { return 'L'; }
};

class Binary : public Node {
public:
    Binary(NodePtr left, NodePtr right) : left_(std::move(left)), right_(std::move(right)) {
        growOver(*left_);
        growOver(*right_);
    }

protected:
    NodePtr left_, right_;
};

char arithmeticType(ArithOp op, char a, char b) {
    if (a == 'N' && b == 'N') return 'N';
    if (op == ArithOp::Add) {
        if (a == 'C' && b == 'C') return 'C';
        if ((a == 'D' && b == 'N') || (a == 'N' && b == 'D')) return 'D';
    }
    if (op == ArithOp::Subtract) {
        if (a == 'C' && b == 'C') return 'C';
        if (a == 'D' && b == 'N') return 'D';
        if (a == 'D' && b == 'D') return 'N';
    }
    return 0;
}

class Arithmetic final : public Binary {
public:
    Arithmetic(ArithOp op, NodePtr l, NodePtr r) : Binary(std::move(l), std::move(r)), op_(op) {}
    Value eval() const override {
        Value a = left_->eval();
        return arithmetic(op_, a, right_->eval());
    }
    char staticType() const override { return arithmeticType(op_, left_->staticType(), right_->staticType()); }

private:
    ArithOp op_;
};

class Compare final : public Binary {
public:
    Compare(CompareOp op, NodePtr l, NodePtr r) : Binary(std::move(l), std::move(r)), op_(op) {}
    Value eval() const override {
        Value a = left_->eval();
        return compareOp(op_, a, right_->eval());
    }
    char staticType() const override { return 'L'; }

private:
    CompareOp op_;
};

class Contains final : public Binary {
public:
    using Binary::Binary;
    Value eval() const override {
        Value a = left_->eval();
        return containedIn(a, right_->eval());
    }
    char staticType() const override { return 'L'; }
};

class And final : public Binary {
public:
    using Binary::Binary;
    Value eval() const override {
        if (!logicalOperand(left_->eval(), 1078, ".AND.")) return false;
        return logicalOperand(right_->eval(), 1078, ".AND.");
    }
    char staticType() const override { return 'L'; }
};

class Or final : public Binary {
public:
    using Binary::Binary;
    Value eval() const override {
        if (logicalOperand(left_->eval(), 1079, ".OR.")) return true;
        return logicalOperand(right_->eval(), 1079, ".OR.");
    }
    char staticType() const override { return 'L'; }
};

class Call final : public Node {
public:
    Call(std::string name, Function fn, std::vector<NodePtr> args, char type)
        : name_(std::move(name)), fn_(std::move(fn)), args_(std::move(args)), type_(type) {
        for (const NodePtr& a : args_) growOver(*a);
    }
    Value eval() const override {
        // Filters call functions once per record: the usual few arguments stay off the heap.
        constexpr size_t kInline = 4;
        if (args_.size() <= kInline) {
            std::array<Value, kInline> values;
            for (size_t i = 0; i < args_.size(); ++i) values[i] = args_[i]->eval();
            return fn_(Args(values.data(), args_.size()));
        }
        std::vector<Value> values;
        values.reserve(args_.size());
        for (const NodePtr& a : args_) values.push_back(a->eval());
        return fn_(Args(values));
    }
    char staticType() const override { return type_; }

private:
    std::string name_;
    Function fn_;
    std::vector<NodePtr> args_;
    char type_;
};

class IIf final : public Node {
public:
    IIf(NodePtr c, NodePtr t, NodePtr f) : c_(std::move(c)), t_(std::move(t)), f_(std::move(f)) {
        growOver(*c_);
        growOver(*t_);
        growOver(*f_);
    }
    Value eval() const override { return logicalOperand(c_->eval(), 1066, "IIF") ? t_->eval() : f_->eval(); }
    char staticType() const override {
        char a = t_->staticType();
        return a == f_->staticType() ? a : 0;
    }

private:
    NodePtr c_, t_, f_;
};

}  // namespace

NodePtr makeLiteral(Value v) { return std::make_unique<Literal>(std::move(v)); }
NodePtr makeField(std::function<Value()> accessor) { return std::make_unique<Field>(std::move(accessor)); }
NodePtr makeLateField(const Scope& scope, std::string name) {
    return std::make_unique<LateField>(scope, std::move(name));
}
NodePtr makeLateAliasField(const Scope& scope, NodePtr alias, std::string name) {
    return std::make_unique<LateAliasField>(scope, std::move(alias), std::move(name));
}
NodePtr makeArea(const Scope& scope, std::string alias, NodePtr body) {
    return std::make_unique<Area>(scope, std::move(alias), std::move(body));
}
NodePtr makeLateArea(const Scope& scope, NodePtr alias, NodePtr body) {
    return std::make_unique<LateArea>(scope, std::move(alias), std::move(body));
}
NodePtr makeNegate(NodePtr operand) { return std::make_unique<Negate>(std::move(operand)); }
NodePtr makeUnaryPlus(NodePtr operand) { return std::make_unique<UnaryPlus>(std::move(operand)); }
NodePtr makeNot(NodePtr operand) { return std::make_unique<Not>(std::move(operand)); }
NodePtr makeArithmetic(ArithOp op, NodePtr l, NodePtr r) {
    return std::make_unique<Arithmetic>(op, std::move(l), std::move(r));
}
NodePtr makeCompare(CompareOp op, NodePtr l, NodePtr r) {
    return std::make_unique<Compare>(op, std::move(l), std::move(r));
}
NodePtr makeContains(NodePtr l, NodePtr r) { return std::make_unique<Contains>(std::move(l), std::move(r)); }
NodePtr makeAnd(NodePtr l, NodePtr r) { return std::make_unique<And>(std::move(l), std::move(r)); }
NodePtr makeOr(NodePtr l, NodePtr r) { return std::make_unique<Or>(std::move(l), std::move(r)); }
NodePtr makeCall(std::string name, Function fn, std::vector<NodePtr> args, char type) {
    return std::make_unique<Call>(std::move(name), std::move(fn), std::move(args), type);
}
NodePtr makeIIf(NodePtr c, NodePtr t, NodePtr f) {
    return std::make_unique<IIf>(std::move(c), std::move(t), std::move(f));
}

}  // namespace rt::expr
