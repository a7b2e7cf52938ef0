// A Scope over in-memory work areas, standing in for the table engine.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "runtime/expr/expression.h"

namespace rt::expr::testing {

class FakeScope : public Scope {
public:
    // alias -> field -> value; names upper case.
    std::map<std::string, std::map<std::string, Value>> areas;
    std::string current;
    mutable int lookups = 0;
    mutable std::vector<std::string> visited;  // areas made current by inArea, in order

    std::function<Value()> resolveField(std::string_view alias, std::string_view name) const override {
        ++lookups;
        std::string area = alias.empty() ? current : std::string(alias);
        auto a = areas.find(area);
        if (a == areas.end() || !a->second.count(std::string(name))) return nullptr;
        std::string field(name);
        if (alias.empty()) {
            // A bare name reads the area current when it is evaluated.
            return [this, field] { return areas.at(current).at(field); };
        }
        return [this, area, field] { return areas.at(area).at(field); };
    }

    Value inArea(std::string_view alias, const std::function<Value()>& body) const override {
        auto* self = const_cast<FakeScope*>(this);
        std::string previous = current;
        self->current = std::string(alias);
        visited.push_back(current);
        Value v = body();
        self->current = previous;
        return v;
    }
};

}  // namespace rt::expr::testing
