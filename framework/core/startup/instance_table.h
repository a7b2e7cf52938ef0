// The module handles that resource look-ups walk: slot 0 is the program, slots 1..255 the resource modules
// added by RegisterDllInstance. Used slots are always packed at the front. Handles cross as integers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vorpex {

class InstanceTable {
public:
    static constexpr size_t kSlots = 256;

    void reset(intptr_t programInstance);
    // Stores the handle in the first free slot 1..255; a full table ignores it.
    void add(intptr_t module);
    // Removes the handle from slots 1..255 and moves the later slots down; slot 0 is never searched.
    void remove(intptr_t module);
    // 0 for an empty slot and for any index past the table.
    intptr_t at(size_t index) const { return index < kSlots ? slots_[index] : 0; }

private:
    std::array<intptr_t, kSlots> slots_{};
};

InstanceTable& instanceTable();

void RegisterDllInstance(intptr_t module);
void UnRegisterDllInstance(intptr_t module);
intptr_t GetInstance(unsigned index);

}  // namespace vorpex
