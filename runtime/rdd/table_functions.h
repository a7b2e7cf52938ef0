// The table functions callable by name (programs, macro calls and expressions) over the work areas.
#pragma once
#include <string_view>

#include "runtime/core/block.h"

namespace rt::rdd {

// Registers DELETED, RECNO, EOF, BOF, FOUND, LASTREC, RECCOUNT, FIELDGET/FIELDPUT/FIELDPOS/FCOUNT/FIELDNAME,
// ALIAS, SELECT, DBSELECTAREA, NETERR, USED, the DB* family (DBUSEAREA, DBCLOSEAREA, DBCREATE, DBSTRUCT,
// DBGOTOP, DBSKIP, DBAPPEND, DBRLOCK, DBSETFILTER, DBSETRELATION, DBSEEK, ...), __DBPACK, __DBZAP,
// __DBLOCATE, __DBCONTINUE, __DBDELIM (APPEND FROM ... DELIMITED), __DBSORT (SORT TO), RDDINFO,
// RDDSETDEFAULT, FILE, FERASE, FRENAME and FERROR. Calling it again changes nothing.
void registerTableFunctions();

// A block for a filter, locate or relation text, compiled against the work areas; null (after the error
// went to the handler) when the text does not compile or no expression compiler is linked in.
BlockPtr compileText(std::string_view text);

}  // namespace rt::rdd
