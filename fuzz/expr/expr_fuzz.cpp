// libFuzzer target for the expression compiler: any text must compile to an expression or to an error
// object, and evaluating what compiles must end normally (errors answered with Default), never crash,
// overflow the stack or run away.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "runtime/core/error.h"
#include "runtime/core/settings.h"
#include "runtime/expr/expression.h"
#include "runtime/lib/date.h"
#include "runtime/lib/library.h"

namespace {

// Two small work areas; "FIELD", "CITY" and "WHEN" are the fields, "A" and "B" the aliases.
class FuzzScope : public rt::expr::Scope {
public:
    FuzzScope() {
        areas_["A"] = {{"FIELD", rt::Value("Ana Lopez")}, {"CITY", rt::Value(5)}, {"WHEN", rt::Value(rt::makeDate(2024, 3, 7))}};
        areas_["B"] = {{"FIELD", rt::Value(true)}, {"CITY", rt::Value("Lima")}, {"WHEN", rt::Value(rt::Date{})}};
    }

    std::function<rt::Value()> resolveField(std::string_view alias, std::string_view name) const override {
        auto a = areas_.find(alias.empty() ? current_ : std::string(alias));
        if (a == areas_.end()) return nullptr;
        auto f = a->second.find(std::string(name));
        if (f == a->second.end()) return nullptr;
        const rt::Value* v = &f->second;
        return [v] { return *v; };
    }

    rt::Value inArea(std::string_view alias, const std::function<rt::Value()>& body) const override {
        if (!areas_.count(std::string(alias))) return rt::Value();
        std::string previous = current_;
        current_ = std::string(alias);
        rt::Value v = body();
        current_ = previous;
        return v;
    }

private:
    std::map<std::string, std::map<std::string, rt::Value>> areas_;
    mutable std::string current_ = "A";
};

void setUp() {
    rt::registerLibraryFunctions();
    rt::setErrorHandler([](rt::Error&) { return rt::ErrorAnswer{rt::ErrorAction::Default, rt::Value()}; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = (setUp(), true);
    (void)ready;
    static FuzzScope scope;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    rt::settings().exact = size % 2 == 0;  // both comparison modes
    rt::expr::ExpressionPtr e = rt::expr::compile(text, &scope);
    if (!e) return 0;
    e->eval();
    e->resultType();
    return 0;
}
