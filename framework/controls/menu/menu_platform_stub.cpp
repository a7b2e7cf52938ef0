// Without windows there are no native menus to call and no menu items to measure or paint.
#include "framework/controls/menu/menu_functions.h"
#include "framework/controls/menu/menu_item.h"

namespace vorpex {

namespace menu {
void registerMenuFunctions() {}
}  // namespace menu

rt::Value XMenuItem::MeasureItem(rt::Args) { return rt::Value(false); }
rt::Value XMenuItem::DrawItem(rt::Args) { return rt::Value(false); }

}  // namespace vorpex
