// TForm2, the report dialog "Reporte de Asistencias": a start and an end date and "Generar", which builds the
// attendance table for the range. Opened modally by the main form; closed with its close box.
#pragma once

#include "framework/core/form/form.h"
#include "framework/core/object/members.h"

namespace asistencias {

class TForm2 : public vorpex::TForm {
public:
    using vorpex::TForm::TForm;
    static const rt::Class& classRecord();
    VP_METHODS(CreateForm,       // (lCreate)
               Button1Click,     // Generar
               FormInitialize)   // both dates := today

    // The caption of the dialog's messages.
    static constexpr const char* kMessageTitle = "Asistencias";

private:
    static inline int kLabel1 = -1, kLabel2 = -1, kEdit1 = -1, kEdit2 = -1, kButton1 = -1;
};

}  // namespace asistencias
