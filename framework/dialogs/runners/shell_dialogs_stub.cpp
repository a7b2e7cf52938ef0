#include "framework/dialogs/runners/shell_dialogs.h"

namespace vorpex {

IconPick runPickIcon(intptr_t, const IconPick&) { return {}; }
bool runRunFile(const RunFileRequest&) { return false; }
int64_t runFormatDrive(intptr_t, int, uint32_t, const std::string&) { return kFormatError; }

}  // namespace vorpex
