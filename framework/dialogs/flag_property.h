// A logical property that keeps its own value and sets or clears one bit of a flag word the class holds in
// another field (the options of the system dialogs and of the mail library). Clearing a property clears only
// its own bit.
#pragma once

#include <cstdint>

#include "framework/core/object/vp_class.h"

namespace vorpex {

struct FlagProperty {
    const char* name;
    bool initial;
    uint32_t bit;
};

uint32_t withFlag(uint32_t flags, uint32_t bit, bool on);

// `flagsField` is read when the property is set, so it may still be -1 while the class is being declared.
void addFlagProperty(VPClass& b, const FlagProperty& f, const int& flagsField, int scope = rt::scope::Published);

}  // namespace vorpex
