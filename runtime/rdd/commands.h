// The table commands the programs use beyond navigation: APPEND FROM ... DELIMITED WITH BLANK, SORT TO,
// and the file functions FILE, FERASE, FRENAME with their FERROR code.
#pragma once
#include <cstdint>
#include <istream>
#include <string>

#include "work_area.h"

namespace rt::rdd {

// APPEND FROM <file> DELIMITED WITH BLANK into `area`: each line becomes one record; the text before the
// first blank goes to the first field, the next part to the second, and so on. No text delimiter; CR/LF or
// LF line ends; a final 0x1A ends the data. Parts longer than their field are cut, parts beyond the last
// field are dropped, empty lines add nothing. Each record is written whole. Answers the records appended,
// or -1 when the file could not be read or a record could not be appended (the error went to the handler).
int64_t appendFromDelimited(WorkArea& area, const std::string& file);
// The same over a stream (tests and fuzzing).
int64_t appendFromDelimited(WorkArea& area, std::istream& in);

// SORT TO <target> ON <field>: the visible records of `area` (all of them, in natural order, honouring the
// filter and SET DELETED) written to a new table of the same structure, ascending by the field and stable
// (equal keys keep their order). The target gets the default extension when it has none and matches an
// existing file's name case-insensitively. False when the field is unknown or the target cannot be written.
bool sortTo(WorkArea& area, const std::string& target, const std::string& field);

// File functions with the Windows rules on every platform; each sets the code lastFileError() answers
// (0 on success, else the OS error number: 2 not found, 5 denied, 32 held open, 80 target exists).
bool fileExistsCmd(const std::string& path);
int fileErase(const std::string& path);   // FERASE: 0 or -1
int fileRename(const std::string& from, const std::string& to);  // FRENAME: 0 or -1
int lastFileError();

}  // namespace rt::rdd
