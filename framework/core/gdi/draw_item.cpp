#include "framework/core/gdi/draw_item.h"

namespace vorpex {

rt::Value drawItemArray(const DrawItemFields& f) {
    const int64_t index = static_cast<int64_t>(static_cast<int32_t>(f.itemId)) + 1;
    return rt::Value::array({static_cast<int64_t>(f.controlType), static_cast<int64_t>(f.controlId), index,
                             static_cast<int64_t>(f.itemAction), static_cast<int64_t>(f.itemState),
                             static_cast<int64_t>(f.itemWindow), static_cast<int64_t>(f.dc), rectValue(f.rect),
                             static_cast<int64_t>(f.itemData)});
}

}  // namespace vorpex
