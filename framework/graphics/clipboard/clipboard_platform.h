// The Win32 clipboard calls the clipboard class and the callable functions stand on, wrapped once. Where
// there is no Windows every call fails (false, 0, empty), as a clipboard that cannot be opened does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/core/value.h"

namespace vorpex::clip {

bool openClipboard(intptr_t owner);
bool closeClipboard();
bool emptyClipboard();
intptr_t clipboardOwner();
intptr_t openClipboardWindow();
intptr_t clipboardViewer();
int64_t countFormats();
// The registered number, 0 when the name cannot be registered.
int64_t registerFormat(const std::string& name);
bool formatAvailable(int64_t format);
// The name of a registered format (at most 255 characters); "" for numbers below 19 and unknown ones.
std::string registeredFormatName(int64_t format);
// The formats on the clipboard, in the clipboard's order; the clipboard must be open.
std::vector<int64_t> enumFormats();

// Places a value in a format (the clipboard must be open). Text formats are copied; Unicode text is converted
// from the ANSI code page; bitmaps, palettes and metafiles are placed as copies, since the clipboard owns what
// it is given and the caller keeps its own handle; format 15 gets a DROPFILES record followed by the list.
// False for formats that are not exchanged and when the clipboard refuses the data.
bool setData(int64_t format, const rt::Value& data);
// The value of a format (the clipboard must be open): text, a handle, or the list text of format 15; NIL when
// the format is absent or not exchanged. `memory`, when given, receives the clipboard's memory handle.
rt::Value getData(int64_t format, intptr_t* memory = nullptr);

intptr_t setClipboardViewer(intptr_t window);
bool changeClipboardChain(intptr_t remove, intptr_t next);
int64_t sequenceNumber();

}  // namespace vorpex::clip
