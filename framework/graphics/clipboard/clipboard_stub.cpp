// No Windows: there is no clipboard to open, so every operation takes its failure path.
#include "framework/graphics/clipboard/clipboard_platform.h"

namespace vorpex::clip {

bool openClipboard(intptr_t) { return false; }
bool closeClipboard() { return false; }
bool emptyClipboard() { return false; }
intptr_t clipboardOwner() { return 0; }
intptr_t openClipboardWindow() { return 0; }
intptr_t clipboardViewer() { return 0; }
int64_t countFormats() { return 0; }
int64_t registerFormat(const std::string&) { return 0; }
bool formatAvailable(int64_t) { return false; }
std::string registeredFormatName(int64_t) { return ""; }
std::vector<int64_t> enumFormats() { return {}; }
bool setData(int64_t, const rt::Value&) { return false; }
rt::Value getData(int64_t, intptr_t*) { return {}; }
intptr_t setClipboardViewer(intptr_t) { return 0; }
bool changeClipboardChain(intptr_t, intptr_t) { return false; }
int64_t sequenceNumber() { return 0; }

}  // namespace vorpex::clip
