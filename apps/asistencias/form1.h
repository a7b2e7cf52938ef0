// TForm1, Asistencias' main form: the employees in a data-aware browse with their edits and navigator, the
// punch import, the report dialog, the discharge toggle and Salir.
#pragma once

#include <string>

#include "framework/core/form/form.h"
#include "framework/core/object/members.h"

namespace asistencias {

class TForm1 : public vorpex::TForm {
public:
    using vorpex::TForm::TForm;
    static const rt::Class& classRecord();
    VP_METHODS(CreateForm,    // (lCreate)
               Button3Click,  // Salir: ends the program
               Button1Click,  // the punch import
               Button2Click,  // the attendance report
               Button4Click)  // the discharge toggle

    // Puts a line in the status label.
    void tell(const std::string& text);

private:
    // Turns the buttons, the navigator and the browse off and on around the import.
    void enableInput(bool on);

    static inline int kButton1 = -1, kButton2 = -1, kButton3 = -1, kGroupBox1 = -1, kLabel1 = -1, kLabel2 = -1,
                      kPanel1 = -1, kProgressBar1 = -1, kLabel3 = -1, kDBNavigator1 = -1, kLabel4 = -1,
                      kDBBrowse1 = -1, kDBEdit2 = -1, kDBEdit3 = -1, kDbfDataSet1 = -1, kNtxDataSource1 = -1,
                      kDBMaskEdit1 = -1, kButton4 = -1;
};

}  // namespace asistencias
