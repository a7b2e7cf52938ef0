// Where a data source shows its error list. The data-aware browse installs its modal list form here (600 x 440,
// centred, an array browse with the columns "TDataSet", "Descrip.", "# Error", "Trace"); until then, and in
// tests, the rows are shown as one text with MSGALERT under the list's title.
#pragma once

#include <functional>
#include <string>

#include "runtime/core/value.h"

namespace vorpex::data {

// (title, rows): rows is the source's error array, {set name, text, code, trace} each.
using ErrorListView = std::function<void(const std::string& title, const rt::Value& rows)>;

// Installs a view and answers the previous one; an empty view restores the plain text box.
ErrorListView setErrorListView(ErrorListView view);
void showErrorListView(const std::string& title, const rt::Value& rows);

}  // namespace vorpex::data
