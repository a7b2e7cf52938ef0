// The table-engine steps both of the program's jobs (the punch import, the attendance report) take on numbered
// work areas, each reporting its failure through the runtime's error handler as the program's commands do.
#pragma once

#include <string>
#include <vector>

#include "runtime/rdd/table.h"
#include "runtime/rdd/work_area.h"

namespace asistencias {

// DBCREATE: retry repeats it; ignore goes on without the file (false).
bool createTable(const std::string& file, const std::vector<rt::rdd::Field>& fields);

// Selects area `number` and opens `file` there (shared unless `exclusive`) under `alias` (default: the file's
// name); null when it did not open.
rt::rdd::WorkArea* useArea(int number, const std::string& file, bool exclusive, const std::string& alias = {});

// A step on an area that did not open: an error that allows only quitting (a break out of the caller).
rt::rdd::WorkArea& required(rt::rdd::WorkArea* area, const char* operation);

// INDEX ON <key> TO <file>, the new order controlling.
bool indexOn(rt::rdd::WorkArea& area, const std::string& file, const std::string& key);

// A character field's value (the whole stored width).
std::string textField(rt::rdd::WorkArea& area, int field);

// Whether the first `width` characters of a text are blanks (an empty text is blank).
bool blankText(const std::string& text, size_t width = std::string::npos);

// Closes the areas and erases the files however a job ends, a break included; the last area is left current.
class AreaCleanup {
public:
    AreaCleanup(std::vector<int> areas, std::vector<std::string> scratchFiles = {});
    ~AreaCleanup();
    AreaCleanup(const AreaCleanup&) = delete;
    AreaCleanup& operator=(const AreaCleanup&) = delete;

private:
    std::vector<int> areas_;
    std::vector<std::string> scratchFiles_;
};

}  // namespace asistencias
