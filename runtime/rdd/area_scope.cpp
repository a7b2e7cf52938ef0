#include "area_scope.h"

#include "failure.h"
#include "runtime/core/runtime.h"
#include "runtime/core/symbol.h"
#include "table_functions.h"
#include "work_areas.h"

namespace rt::rdd {

namespace {

bool memvarAlias(std::string_view a) { return equalsIgnoreCase(a, "M") || equalsIgnoreCase(a, "MEMVAR"); }

// Reads a field by name from whichever area is current at evaluation time, remembering the position for
// the table it last saw so that repeated evaluations skip the name look-up.
class FieldReader {
public:
    FieldReader(std::string alias, std::string name) : alias_(std::move(alias)), name_(std::move(name)) {}

    Value operator()() {
        WorkAreas& areas = WorkAreas::instance();
        WorkArea* a = alias_.empty() ? areas.current() : areas.area(areas.numberOf(alias_));
        if (!a) throw Failure{missing(eg::NoAlias, "Alias does not exist: " + alias_)};
        if (&a->table() != table_) {
            table_ = &a->table();
            pos_ = a->fieldPos(name_);
        }
        if (pos_ == 0) throw Failure{missing(eg::NoVar, "Variable does not exist: " + name_)};
        return a->fieldGet(static_cast<size_t>(pos_));
    }

private:
    Error missing(int gen, std::string what) const { return makeError(gen, 1003, std::move(what)); }

    std::string alias_, name_;
    const Table* table_ = nullptr;
    int pos_ = 0;
};

class AreaScope final : public expr::Scope {
public:
    std::function<Value()> resolveField(std::string_view alias, std::string_view name) const override {
        WorkAreas& areas = WorkAreas::instance();
        std::string n(name);
        if (memvarAlias(alias)) return [n] { return publicVar(n); };
        if (equalsIgnoreCase(alias, "FIELD")) alias = {};
        WorkArea* a = alias.empty() ? areas.current() : areas.area(areas.numberOf(alias));
        if (a && a->fieldPos(name) > 0) {
            auto reader = std::make_shared<FieldReader>(std::string(alias), n);
            return [reader] {
                return withErrorHandler([&] { return (*reader)(); }, Value());
            };
        }
        if (alias.empty() && isPublic(name)) return [n] { return publicVar(n); };
        return nullptr;
    }

    Value inArea(std::string_view alias, const std::function<Value()>& body) const override {
        WorkAreas& areas = WorkAreas::instance();
        int n = areas.numberOf(alias);
        if (n == 0) {
            Failure f{makeError(eg::NoAlias, 1002, "Alias does not exist: " + std::string(alias))};
            f.error.canDefault = true;
            raise(f.error);
            return Value();
        }
        return areas.inArea(n, body);
    }
};

}  // namespace

const expr::Scope& areaScope() {
    static AreaScope scope;
    return scope;
}

BlockPtr compileText(std::string_view text) { return expr::compileBlock(text, &areaScope()); }

}  // namespace rt::rdd
