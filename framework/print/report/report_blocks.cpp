#include "framework/print/report/report_blocks.h"

#include <memory>
#include <vector>

#include "framework/data/data_set/error_trap.h"
#include "runtime/core/block.h"
#include "runtime/core/error.h"
#include "runtime/lib/display.h"

namespace vorpex::report {

using rt::Value;

Value evalQuiet(const Value& block, rt::Args args) {
    if (!block.isBlock()) return block;
    data::ErrorTrap trap(rt::ErrorAction::Break);
    try {
        return block.asBlock()->eval(args);
    } catch (const rt::Break&) {
        return Value();
    }
}

Value evalBlock(const Value& block, std::initializer_list<Value> args) {
    if (!block.isBlock()) return block;
    return block.asBlock()->eval(rt::Args(args.begin(), args.size()));
}

std::string textOf(const Value& v) {
    if (v.isString()) return v.asString();
    if (v.isNil()) return "";
    return rt::displayText(v);
}

void fireCellEvent(rt::Object& sender, const EventRef& event, std::initializer_list<Value> before, CellLook& look,
                   std::initializer_list<Value> after) {
    if (!eventAssigned(sender, event)) return;
    auto text = std::make_shared<Value>(look.text);
    auto font = std::make_shared<Value>(look.font);
    auto color = std::make_shared<Value>(look.color);
    std::vector<Value> args(before);
    args.push_back(Value::reference(text));
    args.push_back(Value::reference(font));
    args.push_back(Value::reference(color));
    args.insert(args.end(), after.begin(), after.end());
    fireEvent(sender, event, rt::Args(args.data(), args.size()));
    look.text = textOf(*text);
    if (font->isNumber()) look.font = font->asInt();
    if (color->isNumber()) look.color = color->asInteger();
}

}  // namespace vorpex::report
