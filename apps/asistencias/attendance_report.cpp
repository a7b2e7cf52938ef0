#include "apps/asistencias/attendance_report.h"

#include <vector>

#include "apps/asistencias/table_steps.h"
#include "framework/graphics/font/font.h"
#include "framework/print/report/report.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"
#include "runtime/core/settings.h"
#include "runtime/lib/number.h"
#include "runtime/rdd/work_areas.h"

namespace asistencias {

namespace {

using rt::Value;

constexpr int kReportArea = 3;
constexpr const char* kCompany = "Ruzodidovuviv Trelm, S.A. de C.V.";

struct ColumnSpec {
    const char* title;
    const char* field;
    int alignment;
    const char* picture;  // nullptr: none
};
const ColumnSpec kColumns[] = {
    {"EMPLEADO", "EMPLEADO", 2, "999999"},  {"NOMBRE", "NOMBRE", 0, nullptr},
    {"FECHA", "FECHA", 0, nullptr},         {"ENTRADA T.M.", "HORAENTM", 0, nullptr},
    {"SALIDA T.M.", "HORASALM", 0, nullptr}, {"ENTRADA T.V.", "HORAENTT", 0, nullptr},
    {"SALIDA T.V.", "HORASALT", 0, nullptr},
};

Value constantBlock(std::string text) {
    return Value(rt::makeBlock([text](rt::Args) { return Value(text); }));
}

Value list(std::vector<Value> items) { return Value::array(std::move(items)); }

// ASISXDIA->field of the record the report is on.
Value fieldBlock(const char* field) {
    return Value(rt::makeBlock([field](rt::Args) -> Value {
        rt::rdd::WorkAreas& areas = rt::rdd::WorkAreas::instance();
        rt::rdd::WorkArea* area = areas.area(areas.numberOf("ASISXDIA"));
        return area ? area->fieldGet(static_cast<size_t>(area->fieldPos(field))) : Value();
    }));
}

Value lineSet(const Value& report, Value line, const char* kind) {
    return rt::send(Value(vorpex::TRptLine::classRecord().instantiate()), "Create",
                    {report, list({std::move(line)}), Value(), Value(kind)});
}

void addColumn(const Value& report, const ColumnSpec& spec) {
    const Value column = rt::send(report, "AddColumn");
    rt::send(column, "_aTitle", {list({constantBlock(spec.title)})});
    rt::send(column, "_aData", {list({fieldBlock(spec.field)})});
    if (spec.picture) {
        rt::send(column, "_aPicture", {list({Value(spec.picture)})});
        rt::send(column, "_cTotalPict", {Value(spec.picture)});
    }
    rt::send(column, "_nAlignment", {spec.alignment});
    rt::send(column, "Create");
}

Value reportFont() {
    const Value font = Value(vorpex::TFont::classRecord().instantiate());
    rt::send(font, "_nWidth", {6});
    rt::send(font, "_nHeight", {7});
    return rt::send(font, "Create", {"ARIAL"});
}

// The report and its font end however the export ends.
struct Ending {
    Value report, font;
    ~Ending() {
        if (report.isObject()) rt::send(report, "End");
        if (font.isObject()) rt::send(font, "End");
    }
};

}  // namespace

bool exportAttendance(const std::string& typedStart, const std::string& typedEnd) {
    rt::rdd::AreaGuard keepCurrent;
    AreaCleanup cleanup({kReportArea});
    // Opened without its index: the report lists the rows in the order they were added.
    required(useArea(kReportArea, "asisxdia", rt::settings().exclusive, "ASISXDIA"), "DBUSEAREA");

    Ending ending{Value(), reportFont()};
    ending.report = rt::send(Value(vorpex::TReport::classRecord().instantiate()), "New");
    const Value& report = ending.report;
    const std::weak_ptr<rt::Object> reportRef = report.asObject();
    rt::send(report, "_oTitle",
             {lineSet(report, constantBlock("REPORTE DE ASISTENCIAS DE EMPLEADOS DEL " + typedStart + " AL " + typedEnd),
                      "t")});
    rt::send(report, "_oHeader", {lineSet(report, constantBlock(kCompany), "h")});
    rt::send(report, "_oFooter", {lineSet(report, Value(rt::makeBlock([reportRef](rt::Args) {
                                              const auto r = reportRef.lock();
                                              const Value page = r ? rt::send(Value(r), "nPage") : Value(0);
                                              return Value("P\xE1gina: " + rt::str(page.asNumber(), 10));
                                          })),
                                          "f")});
    rt::send(report, "_aFonts", {list({ending.font})});
    rt::send(report, "_lPreview", {true});
    rt::send(report, "Create");
    for (const ColumnSpec& spec : kColumns) addColumn(report, spec);
    rt::send(report, "_nTitleUpLine", {0});
    rt::send(report, "_nGridStyle", {3});
    return rt::send(report, "ToExcel").asLogical();
}

}  // namespace asistencias
