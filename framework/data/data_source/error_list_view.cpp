#include "framework/data/data_source/error_list_view.h"

#include <vector>

#include "framework/data/data_source/data_errors.h"
#include "runtime/core/runtime.h"

namespace vorpex::data {

namespace {

ErrorListView& slot() {
    static ErrorListView view;
    return view;
}

void plainView(const std::string& title, const rt::Value& rows) {
    const rt::Function* alert = rt::findFunction("MSGALERT");
    if (!alert || !rows.isArray()) return;
    const rt::Value call[] = {rt::Value(massErrorText(rows.asArray()->items)), rt::Value(title)};
    (*alert)(rt::Args(call, 2));
}

}  // namespace

ErrorListView setErrorListView(ErrorListView view) {
    ErrorListView old = std::move(slot());
    slot() = std::move(view);
    return old;
}

void showErrorListView(const std::string& title, const rt::Value& rows) {
    if (slot())
        slot()(title, rows);
    else
        plainView(title, rows);
}

}  // namespace vorpex::data
