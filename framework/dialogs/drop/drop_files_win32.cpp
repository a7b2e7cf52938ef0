// The drop functions over the shell's. DRAGQUERYFILE releases the drop itself, so a DRAGFINISH that follows
// it for the same drop is ignored rather than freeing the block twice; names are read at their full length.
#include <windows.h>
#include <shellapi.h>

#include <set>
#include <string>
#include <vector>

#include "framework/core/native/native_args.h"
#include "framework/dialogs/drop/drop_files.h"

namespace vorpex {

using rt::Value;
using namespace native;

namespace {

HDROP dropOf(rt::Args a) { return reinterpret_cast<HDROP>(handleArg(a, 0)); }

// Drops DRAGQUERYFILE has released and no DRAGFINISH has asked about yet.
std::set<intptr_t>& releasedDrops() {
    static std::set<intptr_t> released;
    return released;
}

void finishDrop(HDROP drop) {
    DragFinish(drop);
    releasedDrops().insert(reinterpret_cast<intptr_t>(drop));
}

std::string droppedName(HDROP drop, UINT index) {
    const UINT length = DragQueryFileA(drop, index, nullptr, 0);
    if (length == 0) return {};
    std::vector<char> name(length + 1);
    const UINT got = DragQueryFileA(drop, index, name.data(), length + 1);
    return std::string(name.data(), std::min(got, length));
}

Value dragQueryFile(rt::Args a) {
    HDROP drop = dropOf(a);
    std::vector<Value> names;
    if (!drop) return Value::array(std::move(names));
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) names.emplace_back(droppedName(drop, i));
    finishDrop(drop);
    return Value::array(std::move(names));
}

Value dragFinish(rt::Args a) {
    HDROP drop = dropOf(a);
    if (!drop || releasedDrops().erase(reinterpret_cast<intptr_t>(drop))) return {};
    DragFinish(drop);
    return {};
}

// The point goes into an array given as the second argument, else into the two variables passed by reference.
Value dragQueryPoint(rt::Args a) {
    HDROP drop = dropOf(a);
    if (!drop) return Value(false);
    POINT p{};
    const bool inside = DragQueryPoint(drop, &p);
    const Value x(static_cast<int64_t>(p.x)), y(static_cast<int64_t>(p.y));
    if (rt::arg(a, 1).isArray()) {
        auto& items = rt::arg(a, 1).asArray()->items;
        items.resize(std::max<size_t>(items.size(), 2));
        items[0] = x;
        items[1] = y;
    } else {
        if (isReferenceArg(a, 1)) a[1].assign(x);
        if (isReferenceArg(a, 2)) a[2].assign(y);
    }
    return Value(inside);
}

Value dragAcceptFiles(rt::Args a) {
    if (isNumberArg(a, 0)) DragAcceptFiles(reinterpret_cast<HWND>(handleArg(a, 0)), logicalArg(a, 1));
    return {};
}

}  // namespace

void registerDropFunctions() {
    registerCallable("DRAGACCEPTFILES", dragAcceptFiles);
    registerCallable("DRAGFINISH", dragFinish);
    registerCallable("DRAGQUERYPOINT", dragQueryPoint);
    registerCallable("DRAGQUERYFILE", dragQueryFile);
}

}  // namespace vorpex
