// TForm1, Reorden's one form: the buttons "Reordenar" and "Salir" and a label for the result.
#pragma once

#include <string>

#include "framework/core/form/form.h"

namespace reorden {

class TForm1 : public vorpex::TForm {
public:
    using TForm::TForm;
    static const rt::Class& classRecord();

    rt::Value CreateForm(rt::Args args);    // (lCreate)
    rt::Value Button1Click(rt::Args args);  // runs the reorder
    rt::Value Button2Click(rt::Args args);  // ends the program

    // Puts a line in the result label.
    void tell(const std::string& text);

private:
    static inline int kButton1 = -1, kButton2 = -1, kLabel1 = -1;
};

}  // namespace reorden
