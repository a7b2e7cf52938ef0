#include "apps/asistencias/discharge.h"

#include <string>

#include "runtime/rdd/work_area.h"

namespace asistencias {

DischargeToggle toggleDischarge(rt::rdd::WorkArea& employees, uint32_t recno) {
    const int baja = employees.fieldPos("BAJA");
    if (baja == 0 || recno == 0 || recno > employees.lastRec()) return DischargeToggle::NoRecord;
    employees.goTo(recno);
    if (!employees.lockFile()) return DischargeToggle::LockRefused;
    const bool discharged = employees.fieldGet(baja).asString() == "*";
    const bool written = employees.fieldPut(baja, rt::Value(discharged ? " " : "*"));
    employees.unlockAll();
    if (!written) return DischargeToggle::LockRefused;
    return discharged ? DischargeToggle::Unmarked : DischargeToggle::Marked;
}

}  // namespace asistencias
