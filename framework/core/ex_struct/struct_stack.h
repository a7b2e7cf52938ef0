// STRUCBEGIN, STRUCMEMBER, STRUCEND: nested run-time records declared in reading order on one stack:
//
//     oRec := STRUCBEGIN()
//        STRUCMEMBER("NAME", "C", "", 30)
//        STRUCBEGIN("ADDRESS")          // a member ADDRESS of type OBJECT holding the nested record
//           STRUCMEMBER({"STREET", "CITY"}, "C")
//        STRUCEND()
//     STRUCEND()
//
// registerStructFunctions() also builds the record class, which makes TExStruct callable by name; wireCore()
// calls it. Safe to call more than once.
#pragma once

namespace vorpex::dialogs {

void registerStructFunctions();

// Records still open on the stack (a declaration missing its STRUCEND leaves some).
int openStructCount();

}  // namespace vorpex::dialogs
