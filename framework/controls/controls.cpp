#include "framework/controls/controls.h"

#include "framework/controls/error_form/error_form.h"

// The control classes of control_classes.txt, generated at configure time.
#include "control_classes.inc"

namespace vorpex {

void registerStandardControls() {
    registerControlClasses();
    // Run-time errors are shown on the error form from now on.
    setErrorPresenter(showErrorForm);
}

}  // namespace vorpex
