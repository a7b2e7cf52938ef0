// The grid browse's start-up: TBrowse, TBrwColumn and TBrwRecSel become callable by name. Safe to call more
// than once; does nothing where there are no windows.
#pragma once

namespace vorpex {

void registerBrowse();

}  // namespace vorpex
