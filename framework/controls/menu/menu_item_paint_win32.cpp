// Owner-drawn menu items: measured and painted through the menu painter.
#include <windows.h>

#include "framework/controls/menu/menu_item.h"

namespace vorpex {

rt::Value XMenuItem::MeasureItem(rt::Args) { return rt::Value(false); }
rt::Value XMenuItem::DrawItem(rt::Args) { return rt::Value(false); }

}  // namespace vorpex
