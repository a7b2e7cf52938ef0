#include "apps/asistencias/table_steps.h"

#include "runtime/core/error.h"
#include "runtime/rdd/commands.h"
#include "runtime/rdd/failure.h"
#include "runtime/rdd/ntx/order_functions.h"
#include "runtime/rdd/work_areas.h"

namespace asistencias {

using rt::rdd::WorkArea;
using rt::rdd::WorkAreas;

bool createTable(const std::string& file, const std::vector<rt::rdd::Field>& fields) {
    return rt::rdd::withErrorHandler(
        [&] {
            rt::rdd::Table::create(file, fields, {});
            return true;
        },
        false);
}

WorkArea* useArea(int number, const std::string& file, bool exclusive, const std::string& alias) {
    WorkAreas& areas = WorkAreas::instance();
    areas.select(number);
    rt::rdd::UseOptions o;
    o.shared = !exclusive;
    o.alias = alias;
    return areas.use(file, o) ? areas.current() : nullptr;
}

WorkArea& required(WorkArea* area, const char* operation) {
    if (area) return *area;
    rt::Error e = rt::rdd::makeError(rt::eg::NoTable, 2001, "Work area not in use");
    e.operation = operation;
    e.canDefault = false;
    e.canRetry = false;
    rt::raise(e);  // allows no answer but a break
    throw rt::Break{};
}

bool indexOn(WorkArea& area, const std::string& file, const std::string& key) {
    rt::ntx::IndexRequest index;
    index.bag = file;
    index.key = key;
    return rt::ntx::ordCreate(area, index);
}

std::string textField(WorkArea& area, int field) { return area.fieldGet(field).asString(); }

bool blankText(const std::string& text, size_t width) {
    return text.substr(0, width).find_first_not_of(' ') == std::string::npos;
}

AreaCleanup::AreaCleanup(std::vector<int> areas, std::vector<std::string> scratchFiles)
    : areas_(std::move(areas)), scratchFiles_(std::move(scratchFiles)) {}

AreaCleanup::~AreaCleanup() {
    WorkAreas& areas = WorkAreas::instance();
    for (int number : areas_) areas.close(number);
    if (!areas_.empty()) areas.select(areas_.back());
    for (const std::string& file : scratchFiles_) rt::rdd::fileErase(file);
}

}  // namespace asistencias
