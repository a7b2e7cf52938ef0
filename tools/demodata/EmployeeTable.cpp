#include "EmployeeTable.h"

#include <algorithm>

#include "runtime/core/error.h"
#include "runtime/rdd/work_areas.h"

namespace demodata {

bool writeEmployeeTable(const std::filesystem::path& path, const std::vector<Employee>& staff, std::string& error)
{
    using namespace rt::rdd;
    const std::string file = path.string();
    // Engine errors come back as text instead of the runtime's default report-and-break.
    rt::ErrorHandler previous = rt::setErrorHandler([&error](rt::Error& e) {
        error = rt::describe(e);
        return rt::ErrorAnswer{rt::ErrorAction::Default, rt::Value()};
    });
    bool ok = false;
    try {
        Table::create(file, {{"NUMERO", 'N', 4, 0}, {"NOMBRE", 'C', 40, 0}, {"BAJA", 'C', 1, 0}}, {});
        UseOptions options;
        options.newArea = true;
        options.alias = "EMPLEADO";
        WorkAreas& areas = WorkAreas::instance();
        if (areas.use(file, options)) {
            WorkArea& table = *areas.current();
            std::vector<Employee> sorted = staff;
            std::sort(sorted.begin(), sorted.end(), [](const Employee& a, const Employee& b) { return a.number < b.number; });
            ok = true;
            for (const Employee& e : sorted) {
                ok = ok && table.append() && table.fieldPut(1, rt::Value(e.number)) &&
                     table.fieldPut(2, rt::Value(e.name)) && table.fieldPut(3, rt::Value(e.discharged ? "*" : " "));
            }
            ok = table.commit() && ok;
            areas.close(table.number());
        }
    } catch (const Failure& f) {
        error = rt::describe(f.error);
    } catch (const rt::Break&) {
        ok = false;
    }
    rt::setErrorHandler(previous);
    return ok;
}

} // namespace demodata
