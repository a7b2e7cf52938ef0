#include "framework/controls/controls.h"

#include "framework/controls/button/button.h"
#include "framework/controls/edit/memo.h"
#include "framework/controls/label/label.h"

namespace vorpex {

void registerStandardControls() {
    TLabel::classRecord();
    TButton::classRecord();
    TEdit::classRecord();
    TMemo::classRecord();
}

}  // namespace vorpex
