// The discharge mark of an employee (BAJA: "*" discharged, anything else active), toggled in place under a
// file lock of the employee table.
#pragma once

#include <cstdint>

namespace rt::rdd {
class WorkArea;
}

namespace asistencias {

enum class DischargeToggle { Marked, Unmarked, LockRefused, NoRecord };

// Flips BAJA of record `recno` of `employees`: "*" becomes " ", anything else "*". The area is left on that
// record with no locks (a file lock releases the area's record locks, so callers must not be editing).
DischargeToggle toggleDischarge(rt::rdd::WorkArea& employees, uint32_t recno);

// What the form shows when the mark could not be changed.
inline const char* const kCannotMark = "NO FUE POSIBLE MARCAR EL REGISTRO";
inline const char* const kFinishEditFirst = "Termine la edici\xF3n del registro antes de marcarlo.";

}  // namespace asistencias
