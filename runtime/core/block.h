// Code blocks: callables that are values. A block remembers its source text for display ("{|| ... }").
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "value.h"

namespace rt {

class Block {
public:
    virtual ~Block() = default;
    // Evaluates the block; pushes a code-block frame so that the executing object seen by an event
    // assignment inside it is the object whose code built the block.
    Value eval(Args args);
    const std::string& source() const { return source_; }

protected:
    explicit Block(std::string source) : source_(std::move(source)) {}
    virtual Value evaluate(Args args) = 0;

private:
    std::string source_;
};

// A block around a C++ callable.
class FunctionBlock final : public Block {
public:
    using Fn = std::function<Value(Args)>;
    FunctionBlock(Fn fn, std::string source = "{|| ... }") : Block(std::move(source)), fn_(std::move(fn)) {}

protected:
    Value evaluate(Args args) override { return fn_ ? fn_(args) : Value(); }

private:
    Fn fn_;
};

inline BlockPtr makeBlock(FunctionBlock::Fn fn, std::string source = "{|| ... }") {
    return std::make_shared<FunctionBlock>(std::move(fn), std::move(source));
}

// Evaluates a value that may be a block; any other value is returned as it is.
Value evalIfBlock(const Value& v, Args args = {});

}  // namespace rt
