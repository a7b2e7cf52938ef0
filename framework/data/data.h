// Data access. registerDataSources() builds the data-source classes (TDataSource, TDbfDataSource,
// TNtxDataSource) and the field class TDataField, which also makes their class functions callable by name,
// registers DATASOURCES, DATASOURCECLOSEALL and DATASOURCEEXITPROC with the table and order functions they
// use, and adds the exit procedure that ends every live source when the runtime ends. wireFramework() calls it
// before the runtime starts. Safe to call more than once.
#pragma once

namespace vorpex {

void registerDataSources();

// Builds the data-set classes TDataSet and TDbfDataSet (and their class functions), after the data sources.
// Kept apart so that a test program may put stand-ins under those names first; wireFramework() calls both.
void registerDataSets();

}  // namespace vorpex
