// Where there is no registry, every operation answers that it is not available.
#include "framework/dialogs/registry/registry_port.h"

namespace vorpex::dialogs {

RegistryPort& platformRegistryPort() {
    static RegistryPort none;
    return none;
}

}  // namespace vorpex::dialogs
