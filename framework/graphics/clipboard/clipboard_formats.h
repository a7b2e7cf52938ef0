// The clipboard's formats apart from the clipboard itself: the names of the standard formats, the file list
// of format 15 (a DROPFILES record followed by NUL-ended names) as the framework writes it and as any program
// may have written it, and the ranges of system and registered formats.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/value.h"

namespace vorpex::clip {

inline constexpr int64_t kText = 1, kBitmap = 2, kMetafilePict = 3, kOemText = 7, kDib = 8,
                         kPalette = 9, kUnicodeText = 13, kEnhMetafile = 14, kHdrop = 15;
// Registered formats take the numbers 0xC000 to 0xFFFF; the first of them is a valid answer too.
inline constexpr int64_t kFirstRegisteredFormat = 0xC000;
inline constexpr size_t kDropFilesHeader = 20;

// "TEXT" ... "DIBV5" for 1..17; "" for 18 and every number outside the table.
std::string standardFormatName(int64_t format);

inline bool isSystemFormat(int64_t format) { return format < 18; }
inline bool isRegisteredFormat(int64_t format) { return format >= kFirstRegisteredFormat && format <= 0xFFFF; }

// SetDropFiles' list: an array gives each name followed by a NUL; a text is taken as it is, with a NUL added
// when it does not end with one; a final NUL ends the list. Anything else gives the empty list "\0".
std::string dropList(const rt::Value& files);

// The block placed for format 15: the 20-byte DROPFILES record (list offset 20, point 0,0, non-client 0,
// wide 0) followed by `list`, always ending with two NULs so that no reader runs past it.
std::string dropFilesBlock(std::string_view list);

// Reads a DROPFILES block as any program may have written it: the names start at the record's pFiles offset
// and are wide (UTF-16) when fWide is set; nothing is read past `block`'s end. Wide names are converted by
// `wideToAnsi`. An unusable record gives no names.
using WideToAnsi = std::function<std::string(std::u16string_view)>;
std::vector<std::string> readDropFiles(std::string_view block, const WideToAnsi& wideToAnsi);

// The list text of format 15 as the framework hands it out: each name followed by a NUL, then a final NUL.
std::string joinDropList(const std::vector<std::string>& names);
// GetDropFiles: the list cut at each NUL, ending at the first empty name or at the end of the text.
std::vector<std::string> splitDropList(std::string_view list);

}  // namespace vorpex::clip
