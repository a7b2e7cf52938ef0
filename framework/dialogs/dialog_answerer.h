// A seam for tests of the system dialogs: the dialogs' hooks hand the answerer their window once it is set up,
// so a test can answer the dialog (no person). Nothing is called while none is installed.
#pragma once

#include <cstdint>
#include <functional>

namespace vorpex {

void setDialogAnswerer(std::function<void(intptr_t dialogWindow)> answerer);
// Called by a dialog's hook with its window.
void offerDialogToAnswerer(intptr_t dialogWindow);

}  // namespace vorpex
