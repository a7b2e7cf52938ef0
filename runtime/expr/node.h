// The compiled form of an expression: a tree of nodes, each evaluating its children as the language does
// (operators through the library's comparison and arithmetic rules, .AND./.OR./IIf lazily).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "expression.h"
#include "runtime/core/runtime.h"
#include "runtime/lib/arithmetic.h"
#include "runtime/lib/compare.h"

namespace rt::expr {

class Node;
using NodePtr = std::unique_ptr<Node>;

class Node {
public:
    virtual ~Node() = default;
    virtual Value eval() const = 0;
    // The ValType() letter when the text decides it, else 0.
    virtual char staticType() const { return 0; }
    // Longest path to a leaf: evaluation recurses this deep, so the compiler bounds it.
    int height() const { return height_; }

protected:
    void growOver(const Node& child) { height_ = std::max(height_, child.height() + 1); }

private:
    int height_ = 1;
};

NodePtr makeLiteral(Value v);
NodePtr makeField(std::function<Value()> accessor);
// A bare field resolved at every evaluation in the area current then: the body of (expr)->(...).
NodePtr makeLateField(const Scope& scope, std::string name);
// (expr)->field: the alias is computed at every evaluation.
NodePtr makeLateAliasField(const Scope& scope, NodePtr alias, std::string name);
// alias->(body) and (expr)->(body).
NodePtr makeArea(const Scope& scope, std::string alias, NodePtr body);
NodePtr makeLateArea(const Scope& scope, NodePtr alias, NodePtr body);

NodePtr makeNegate(NodePtr operand);
NodePtr makeUnaryPlus(NodePtr operand);
NodePtr makeNot(NodePtr operand);
NodePtr makeArithmetic(ArithOp op, NodePtr left, NodePtr right);
NodePtr makeCompare(CompareOp op, NodePtr left, NodePtr right);
NodePtr makeContains(NodePtr left, NodePtr right);
NodePtr makeAnd(NodePtr left, NodePtr right);
NodePtr makeOr(NodePtr left, NodePtr right);
// `type` is the result letter when known from the function's name, else 0.
NodePtr makeCall(std::string name, Function fn, std::vector<NodePtr> args, char type);
NodePtr makeIIf(NodePtr condition, NodePtr whenTrue, NodePtr whenFalse);

}  // namespace rt::expr
