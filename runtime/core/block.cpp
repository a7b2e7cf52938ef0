#include "block.h"

#include "frame.h"

namespace rt {

Value Block::eval(Args args) {
    FrameGuard frame{FrameGuard::BlockTag{}};
    return evaluate(args);
}

Value evalIfBlock(const Value& v, Args args) {
    if (auto b = v.asBlock()) return b->eval(args);
    return v;
}

}  // namespace rt
