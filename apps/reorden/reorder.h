// The reorder of Reorden: EMPLEADO.DBF becomes EMPL.DBF, is packed and sorted on NUMERO back into a new
// EMPLEADO.DBF, and EMPL.DBF is erased. The original data is never lost: EMPL.DBF goes only after the new
// table is written, closed and holds every packed record; any failure before that (an error the handler
// let pass, or a break out of it) puts EMPL.DBF back as EMPLEADO.DBF.
#pragma once
#include <string>

#include "table_steps.h"

namespace reorden {

inline constexpr char kTableFile[] = "EMPLEADO.DBF";
inline constexpr char kTempFile[] = "EMPL.DBF";
inline constexpr char kKeyField[] = "NUMERO";

enum class Outcome {
    Nothing,       // start-up check: nothing to put right
    Reordered,     // sorted, EMPL.DBF erased
    TempKept,      // sorted, but EMPL.DBF could not be erased (the next reorder refuses until it is gone)
    Missing,       // the rename found no EMPLEADO.DBF: nothing changed
    HeldOpen,      // EMPLEADO.DBF is open in another program: nothing changed
    TempExists,    // EMPL.DBF is already there: nothing changed
    RenameFailed,  // the rename failed otherwise: nothing changed
    RolledBack,    // a later step failed; EMPL.DBF is EMPLEADO.DBF again
    Stranded,      // a later step failed and the data could not be put back: it is in EMPL.DBF
    Recovered,     // start-up: an EMPL.DBF left by an interrupted reorder is EMPLEADO.DBF again
    NotRecovered,  // start-up: that EMPL.DBF could not be renamed back
    Leftover,      // start-up: EMPL.DBF beside EMPLEADO.DBF; both left alone for the user to look at
};

struct Result {
    Outcome outcome = Outcome::Nothing;
    int osCode = 0;       // the failed rename's Windows error number
    std::string message;  // the line the form shows, in Spanish (code page 1252); empty for Nothing
};

// Runs the reorder on the tables of `folder` ("" = the current folder). A break out of the error handler
// still puts the original back, then goes on unwinding.
Result reorder(TableSteps& steps, const std::string& folder = {});

// At start: an EMPL.DBF without EMPLEADO.DBF is the data of a reorder that ended half way; it is renamed
// back. With both present nothing is touched and the user is told.
Result recoverStranded(TableSteps& steps, const std::string& folder = {});

std::string messageFor(Outcome outcome, int osCode = 0);

}  // namespace reorden
