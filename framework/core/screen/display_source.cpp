#include "framework/core/screen/display_source.h"

namespace vorpex {

namespace {
DisplaySource* installed = nullptr;
}

DisplaySource& displaySource() { return installed ? *installed : platformDisplaySource(); }

void setDisplaySource(DisplaySource* source) { installed = source; }

}  // namespace vorpex
