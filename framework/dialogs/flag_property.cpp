#include "framework/dialogs/flag_property.h"

#include <memory>

namespace vorpex {

uint32_t withFlag(uint32_t flags, uint32_t bit, bool on) { return on ? flags | bit : flags & ~bit; }

void addFlagProperty(VPClass& b, const FlagProperty& f, const int& flagsField, int scope) {
    const uint32_t bit = f.bit;
    const int* flags = &flagsField;
    auto own = std::make_shared<int>(-1);  // known once the property is declared
    *own = b.addProperty({.name = f.name, .initial = f.initial, .type = "L", .scope = scope,
                          .setter = rt::NativeMethod([bit, flags, own](rt::Object& self, const rt::Method&, rt::Args args) {
                              const bool on = rt::arg(args, 0).asLogical();
                              self.field(*own) = on;
                              const auto word = static_cast<uint32_t>(self.field(*flags).asInteger());
                              self.field(*flags) = rt::Value(static_cast<int64_t>(withFlag(word, bit, on)));
                              return rt::Value(on);
                          })});
}

}  // namespace vorpex
