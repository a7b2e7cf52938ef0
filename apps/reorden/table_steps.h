// The file and table operations the reorder is made of, behind one interface: the program runs them on the
// table engine (RddTableSteps), the tests wrap that to make any single step fail.
#pragma once
#include <cstdint>
#include <string>

namespace reorden {

class TableSteps {
public:
    virtual ~TableSteps() = default;

    virtual bool exists(const std::string& path) = 0;
    // The path with its last component spelled as the existing file spells it (case-insensitive match).
    virtual std::string resolve(const std::string& path) = 0;
    // 0, or the Windows error number (2 not found, 5 denied, 32 held open, 80 target exists).
    virtual int rename(const std::string& from, const std::string& to) = 0;
    virtual int erase(const std::string& path) = 0;

    // The table in the current work area, opened under SET EXCLUSIVE; false when it could not be opened.
    virtual bool open(const std::string& path) = 0;
    virtual bool pack() = 0;
    // Records of the open table; -1 when none is open.
    virtual int64_t recordCount() = 0;
    // SORT TO target ON field: every record of the open table, ascending, into a new table.
    virtual bool sortTo(const std::string& target, const std::string& field) = 0;
    // Closes the current work area (nothing when it is not open).
    virtual void close() = 0;

    // The record count stored in a closed table file, read without the error handler; -1 when the file
    // cannot be opened as a table.
    virtual int64_t storedCount(const std::string& path) = 0;
};

}  // namespace reorden
