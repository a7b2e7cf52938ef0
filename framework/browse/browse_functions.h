// The grid's callable functions (XBROWSE_DRAWBMP, LOADMNARROWBMP, EXTRACTLINE, GENMENUBLOCK). Windows only.
#pragma once

namespace vorpex {

void registerBrowseFunctions();

}  // namespace vorpex
