// The clipboard calls callable by name: OPENCLIPBOARD ... GETCLIPBOARDSEQUENCENUMBER, and the converting
// SETCLIPBOARDDATA / GETCLIPBOARDDATA.
#pragma once

namespace vorpex {

void registerClipboardFunctions();

}  // namespace vorpex
