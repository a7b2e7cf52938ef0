#include "framework/data/data.h"

#include "framework/data/data_set/data_set.h"
#include "framework/data/data_set/dbf_data_set.h"
#include "framework/data/data_source/data_source.h"
#include "framework/data/data_source/data_source_list.h"
#include "framework/data/data_source/dbf_data_source.h"
#include "framework/data/field/data_field.h"
#include "runtime/core/runtime.h"
#include "runtime/rdd/ntx/order_functions.h"
#include "runtime/rdd/table_functions.h"

namespace vorpex {

void registerDataSources() {
    using namespace data;
    rt::rdd::registerTableFunctions();
    rt::ntx::registerOrderFunctions();
    XDataSource::classRecord();
    TDataSource::classRecord();
    XDbfDataSource::classRecord();
    TDbfDataSource::classRecord();
    XNtxDataSource::classRecord();
    TNtxDataSource::classRecord();
    XDataField::classRecord();
    TDataField::classRecord();
    rt::registerFunction("DATASOURCES", DATASOURCES);
    rt::registerFunction("DATASOURCECLOSEALL", [](rt::Args) {
        DATASOURCECLOSEALL();
        return rt::Value();
    });
    rt::registerFunction("DATASOURCEEXITPROC", [](rt::Args) {
        DATASOURCEEXITPROC();
        return rt::Value();
    });
    static const bool exitAdded = [] {
        rt::addExitProc("DATASOURCEEXITPROC", DATASOURCEEXITPROC);
        return true;
    }();
    (void)exitAdded;
}

void registerDataSets() {
    using namespace data;
    registerDataSources();
    XDataSet::classRecord();
    TDataSet::classRecord();
    XDbfDataSet::classRecord();
    TDbfDataSet::classRecord();
    rt::registerFunction("VALIDALIAS", [](rt::Args a) {
        return rt::Value(validAlias(a.size() > 0 && rt::arg(a, 0).isString() ? rt::arg(a, 0).asString() : "",
                                    rt::arg(a, 1).asLogical()));
    });
}

}  // namespace vorpex
