// The owner-draw record (DRAWITEMSTRUCT) as the nine-item array the framework's painters read:
// {control type, control id, item index + 1, action, state, item window, hDC, {rect}, item data}.
#pragma once

#include <cstdint>

#include "framework/core/native/geometry.h"
#include "runtime/core/value.h"

namespace vorpex {

// The platform record's fields, read out of it by the Windows side.
struct DrawItemFields {
    uint32_t controlType = 0;
    uint32_t controlId = 0;
    uint32_t itemId = 0;  // unsigned in the record; 0xFFFFFFFF means "no item" (an empty list)
    uint32_t itemAction = 0;
    uint32_t itemState = 0;
    intptr_t itemWindow = 0;
    intptr_t dc = 0;
    Rect rect;
    uint64_t itemData = 0;
};

// The item index is read as a signed 32-bit number, so "no item" becomes index 0, not 4294967296.
rt::Value drawItemArray(const DrawItemFields& f);

}  // namespace vorpex
