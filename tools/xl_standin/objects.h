// The stand-in's Automation objects over one workbook model: Application, Workbooks, Workbook, Worksheet,
// Range, Font and Interior, each answering only the members the report export uses. Windows only.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dispatch.h"
#include "sheet.h"

namespace xl {

struct Book {
    Sheet sheet;
    bool open = true;
};

// One running spreadsheet: its workbooks, which one is active, its visibility and the selected range.
struct Model {
    std::vector<Book> books;
    int active = -1;
    bool visible = false;
    std::optional<std::pair<int, Area>> selection;  // book, area
};
using ModelPtr = std::shared_ptr<Model>;

// A new Application object over a new model (the caller's reference).
DispatchBase* newApplication();

// Writes the book as an .xlsx file; false when the file cannot be written.
bool saveBook(const Book& book, const std::wstring& path);

}  // namespace xl
