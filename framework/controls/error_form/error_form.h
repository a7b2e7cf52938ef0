// TErrorForm: the modal form the error handler shows: the message, one button per option the error allows
// (its modal result is the option's number), and a details button that opens this error's log (copied to the
// clipboard on opening). Installed as the handler's presenter by registerStandardControls.
#pragma once

#include <functional>

#include "framework/core/error/error_system.h"
#include "framework/core/form/form.h"

namespace vorpex {

class TErrorForm : public TForm {
public:
    using TForm::TForm;
    static const rt::Class& classRecord();

    rt::Value BuildForm(rt::Args args);  // CreateForm
    rt::Value Details(rt::Args args);
    rt::Value NCLButtonDblClk(rt::Args args);

private:
    static inline int kMessage = -1, kOptions = -1, kLog = -1, kMemo1 = -1, kMemo2 = -1, kDetails = -1;
    friend int showErrorForm(const ErrorFormRequest& request);
    rt::Value makeChild(const rt::Class& cls, int left, int top, int width, int height,
                        std::initializer_list<std::pair<const char*, rt::Value>> properties);
};

// ShowError's form: built with the main form as owner, shown modally and centred; the number of the button
// pressed, 1 (Quit) when the form closed without one.
int showErrorForm(const ErrorFormRequest& request);

// The test seam: runs on the built form just before it is shown, so that a test can queue the press of a
// button, a key or a close request, which the form's modal loop then serves as it would a person's.
using ErrorFormAutomation = std::function<void(const rt::Value& form)>;
ErrorFormAutomation setErrorFormAutomation(ErrorFormAutomation automation);

}  // namespace vorpex
