// Asistencias: the attendance program. Its employee table empleado.dbf lives in the program's folder; the
// clock files and the punch store in the current folder.
#include "apps/asistencias/attendance.h"
#include "apps/asistencias/form1.h"
#include "framework/core/startup/program.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

void MAIN() {
    asistencias::registerAttendanceFunctions();
    const rt::Value application = rt::publicVar("Application");
    rt::send(application, "_cTitle", {"Asistencias"});
    const rt::Value form =
        rt::send(rt::Value(asistencias::TForm1::classRecord().instantiate()), "New", {application});
    rt::send(form, "Show");
    rt::send(application, "Run");
}
