#include "framework/dialogs/registry/registry_port.h"

namespace vorpex::dialogs {

namespace {
RegistryPort* installed = nullptr;
}

RegistryPort& registryPort() { return installed ? *installed : platformRegistryPort(); }
void setRegistryPort(RegistryPort* port) { installed = port; }

}  // namespace vorpex::dialogs
