// The header's own painting of an item after the control has drawn it: the face (themed or plain), the
// image, the text and the sort arrow. Windows only.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "runtime/core/value.h"

namespace vorpex {

class XHeader;

void paintHeaderItem(XHeader& header, const rt::Value& item, const NMCUSTOMDRAW& draw);

}  // namespace vorpex
