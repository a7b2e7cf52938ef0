// The live data sources of the program, in creation order, and the ways they end together: DATASOURCECLOSEALL
// (the error handler's, before it breaks out of a failed operation) and the exit procedure DATASOURCEEXITPROC.
#pragma once

#include "runtime/core/value.h"

namespace vorpex::data {

// The list itself (an array value: DATASOURCES hands it out by reference).
rt::Value& dataSources();
void joinDataSources(const rt::Value& source);
void leaveDataSources(const rt::Object& source);

// DATASOURCES([aList]): the list; with an array, that array becomes the list and the old one is answered.
rt::Value DATASOURCES(rt::Args args);
// Ends every live source, newest first.
void DATASOURCECLOSEALL();
// Program end: ends every live source, newest first, warning first in debug mode when one still has open
// data sets ("VORPEX TDbfDataSource: 2 files not closed correctly").
void DATASOURCEEXITPROC();

}  // namespace vorpex::data
