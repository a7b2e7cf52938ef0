#include "framework/core/startup/instance_table.h"

namespace vorpex {

void InstanceTable::reset(intptr_t programInstance) {
    slots_.fill(0);
    slots_[0] = programInstance;
}

void InstanceTable::add(intptr_t module) {
    for (size_t i = 1; i < kSlots; ++i) {
        if (slots_[i] != 0) continue;
        slots_[i] = module;
        return;
    }
}

void InstanceTable::remove(intptr_t module) {
    if (module == 0) return;  // 0 marks the free slots
    for (size_t i = 1; i < kSlots; ++i) {
        if (slots_[i] != module) continue;
        for (size_t j = i; j + 1 < kSlots; ++j) slots_[j] = slots_[j + 1];
        slots_[kSlots - 1] = 0;
        return;
    }
}

InstanceTable& instanceTable() {
    static InstanceTable table;
    return table;
}

void RegisterDllInstance(intptr_t module) { instanceTable().add(module); }
void UnRegisterDllInstance(intptr_t module) { instanceTable().remove(module); }
intptr_t GetInstance(unsigned index) { return instanceTable().at(index); }

}  // namespace vorpex
