// Reorden: rewrites EMPLEADO.DBF of the current folder sorted on NUMERO, without its deleted records.
#include "apps/reorden/form1.h"
#include "apps/reorden/rdd_table_steps.h"
#include "apps/reorden/reorder.h"
#include "framework/core/startup/program.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

void MAIN() {
    // A reorder that ended half way left the data in EMPL.DBF: put it back before anything else.
    reorden::RddTableSteps steps;
    const reorden::Result stranded = reorden::recoverStranded(steps);

    const rt::Value application = rt::publicVar("Application");
    rt::send(application, "_cTitle", {"Reorden"});
    const rt::Value form = rt::send(rt::Value(reorden::TForm1::classRecord().instantiate()), "New", {application});
    if (!stranded.message.empty()) rt::objectAs<reorden::TForm1>(form)->tell(stranded.message);
    rt::send(form, "Show");
    rt::send(application, "Run");
}
