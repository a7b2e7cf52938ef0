#include "apps/asistencias/form2.h"

#include <utility>

#include "apps/asistencias/attendance.h"
#include "apps/asistencias/attendance_report.h"
#include "apps/asistencias/form_building.h"
#include "framework/controls/edit/edit.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/settings.h"
#include "runtime/lib/date.h"
#include "runtime/rdd/work_areas.h"

namespace asistencias {

using rt::Value;

const rt::Class& TForm2::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        vorpex::VPClass b("TForm2", &vorpex::TForm::classRecord(), rt::factoryOf<TForm2>());
        addComponents(b, {{&kLabel1, "oLabel1"},
                          {&kLabel2, "oLabel2"},
                          {&kEdit1, "oEdit1"},
                          {&kEdit2, "oEdit2"},
                          {&kButton1, "oButton1"}});
        addMembers<TForm2>(b);
        return b.create();
    }();
    return c;
}

Value TForm2::CreateForm(rt::Args args) {
    const Value form = selfValue();
    if (rt::arg(args, 0).asLogical()) {
        setUpForm(form, {563, 353, 314, 194}, 298, 156, "Reporte de Asistencias", true);
        rt::send(form, "_OnInitialize", {"FormInitialize"});
        rt::send(form, "Create");
    }
    const Value noCreate(false);
    XForm::CreateForm(rt::Args(&noCreate, 1));

    field(kLabel1) = label(form, {36, 36, 63, 14}, "Fecha inicial:");
    field(kLabel2) = label(form, {36, 72, 56, 14}, "Fecha final:");
    for (auto [slot, top] : {std::pair{kEdit1, 32}, std::pair{kEdit2, 68}})
        field(slot) = control(vorpex::TEdit::classRecord(), form, {104, top, 126, 20},
                              [](const Value& e) { rt::send(e, "_Value", {""}); });
    field(kButton1) = button(form, {104, 112, 80, 25}, "Generar", "Button1Click");
    return form;
}

Value TForm2::FormInitialize(rt::Args) {
    rt::settings().dateFormat = "yyyy/mm/dd";
    rt::settings().century = true;
    const std::string today = rt::dtoc(rt::today());
    for (int slot : {kEdit1, kEdit2}) rt::send(field(slot), "_Value", {Value(today)});
    return {};
}

Value TForm2::Button1Click(rt::Args) {
    const std::string typedStart = rt::send(field(kEdit1), "GetValue").asString(),
                      typedEnd = rt::send(field(kEdit2), "GetValue").asString();
    const DateRange range = dateRange(typedStart, typedEnd);
    if (!range.problem.empty()) {
        tellUser(range.problem, kMessageTitle);  // the dialog stays open for a corrected date
        return {};
    }
    rt::rdd::WorkAreas& areas = rt::rdd::WorkAreas::instance();
    rt::rdd::WorkArea* employees = areas.area(areas.numberOf("EMPLEADO"));
    if (!employees) {
        tellUser("La tabla de empleados no est\xE1 abierta.", kMessageTitle);
        return {};
    }
    buildAttendanceTable(*employees, range);
    exportAttendance(typedStart, typedEnd);  // the title shows the dates as typed
    return {};
}

}  // namespace asistencias
