#include "framework/framework_wiring.h"

#include "framework/browse/browse_wiring.h"
#include "framework/controls/controls.h"
#include "framework/core/error/error_system.h"
#include "framework/core/startup/core_wiring.h"
#include "framework/data/data.h"
#include "framework/data/data_controls/data_controls.h"
#include "framework/dialogs/dialogs.h"
#include "framework/graphics/graphics.h"
#include "framework/print/printer/printer.h"
#include "framework/print/printer_cache/printer_info_cache.h"
#include "framework/print/report/report.h"

namespace vorpex {

void wireFramework() {
    wireCore();
    registerGraphics();
    print::registerPrinterFunctions();
    registerPrinterClasses();
    registerReportClasses();
    registerStandardControls();
    registerBrowse();
    registerDialogServices();
    registerDataSources();
    registerDataSets();
    registerDataControls();
    installErrorSystem();
}

}  // namespace vorpex
