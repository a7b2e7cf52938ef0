// TForm1, Reorden's one form: the buttons "Reordenar" and "Salir" and a label for the result.
#pragma once

#include <string>

#include "framework/core/form/form.h"
#include "framework/core/object/members.h"

namespace reorden {

class TForm1 : public vorpex::TForm {
public:
    using vorpex::TForm::TForm;
    static const rt::Class& classRecord();
    VP_METHODS(CreateForm,    // (lCreate)
               Button2Click,  // ends the program
               Button1Click)  // runs the reorder

    // Puts a line in the result label.
    void tell(const std::string& text);

private:
    static inline int kButton1 = -1, kButton2 = -1, kLabel1 = -1;
};

}  // namespace reorden
