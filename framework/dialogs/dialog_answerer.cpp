#include "framework/dialogs/dialog_answerer.h"

#include <utility>

namespace vorpex {

namespace {
std::function<void(intptr_t)>& answerer() {
    static std::function<void(intptr_t)> slot;
    return slot;
}
}  // namespace

void setDialogAnswerer(std::function<void(intptr_t)> a) { answerer() = std::move(a); }

void offerDialogToAnswerer(intptr_t dialogWindow) {
    if (answerer()) answerer()(dialogWindow);
}

}  // namespace vorpex
