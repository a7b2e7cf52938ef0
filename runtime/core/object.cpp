#include "object.h"

#include <atomic>

#include "class.h"

namespace rt {

namespace {
std::atomic<int64_t> g_live{0};
}

Object::Object(const Class& cls) : class_(&cls) {
    ++g_live;
    const auto& decls = cls.fields();
    fields_.reserve(decls.size());
    for (const FieldDecl& d : decls) fields_.push_back(cloneInitial(d.initial));
}

Object::~Object() { --g_live; }

int64_t Object::liveCount() { return g_live.load(); }

void Object::growTo(int position) const {
    const auto& decls = class_->fields();
    while (static_cast<int>(fields_.size()) <= position) {
        size_t i = fields_.size();
        fields_.push_back(i < decls.size() ? cloneInitial(decls[i].initial) : Value());
    }
}

Value& Object::field(int position) {
    if (position < 0) {
        static Value scratch;
        scratch = Value();
        return scratch;
    }
    if (position >= static_cast<int>(fields_.size())) growTo(position);
    return fields_[position];
}

const Value& Object::field(int position) const {
    if (position < 0) return nil();
    if (position >= static_cast<int>(fields_.size())) growTo(position);
    return fields_[position];
}

}  // namespace rt
