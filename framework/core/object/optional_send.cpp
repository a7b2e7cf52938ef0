#include "framework/core/object/optional_send.h"

#include "runtime/core/class.h"
#include "runtime/core/object.h"
#include "runtime/core/send.h"

namespace vorpex {

rt::Value sendIfUnderstood(const rt::Value& receiver, rt::Symbol message, rt::Args args) {
    auto object = receiver.deref().asObject();
    if (!object || !object->objectClass().understands(message)) return {};
    return rt::send(*object, message, args);
}

}  // namespace vorpex
