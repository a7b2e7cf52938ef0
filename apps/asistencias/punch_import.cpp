#include "apps/asistencias/punch_import.h"

#include <string_view>
#include <vector>

#include "apps/asistencias/table_steps.h"
#include "runtime/core/settings.h"
#include "runtime/lib/number.h"
#include "runtime/rdd/commands.h"
#include "runtime/rdd/work_areas.h"

namespace asistencias {

namespace {

using rt::Value;
using rt::rdd::Field;
using rt::rdd::WorkArea;
using rt::rdd::WorkAreas;

constexpr int kScratchArea = 2, kStoreArea = 3;
constexpr const char* kStore = "Checadas.dbf";
constexpr const char* kStoreIndex = "Checadas.ntx";
constexpr const char* kScratch = "depaso.dbf";
constexpr const char* kClockFiles[] = {"almacen.csv", "oficinas.csv"};
constexpr const char* kKey = "str(empleado,6)+fecha+hora";
constexpr int kBadgeWidth = 6;
// The warehouse clock knows one employee under a spare badge.
constexpr int64_t kSpareBadge = 999, kSpareBadgeOwner = 195;

const std::vector<Field> kStoreFields = {{"EMPLEADO", 'N', 6, 0}, {"FECHA", 'C', 10, 0}, {"HORA", 'C', 8, 0}};
// Field numbers of the scratch table, in the order below.
enum ScratchField { kScratchImportar = 1, kScratchHora, kScratchEmpleado, kScratchFecha };
const std::vector<Field> kScratchFields = {
    {"IMPORTAR", 'C', 50, 0}, {"HORA", 'C', 8, 0}, {"EMPLEADO", 'N', 6, 0}, {"FECHA", 'C', 10, 0}};
enum StoreField { kStoreEmpleado = 1, kStoreFecha, kStoreHora };

void applySettings() {
    rt::Settings& s = rt::settings();
    s.dateFormat = "yyyy/mm/dd";
    s.century = true;
    s.exclusive = false;
    s.deleted = true;
}

WorkArea& openStore() {
    WorkAreas::instance().select(kStoreArea);
    if (!rt::rdd::fileExistsCmd(kStore)) createTable(kStore, kStoreFields);
    return required(useArea(kStoreArea, kStore, true), "DBUSEAREA");
}

WorkArea& fillScratch() {
    WorkAreas::instance().select(kScratchArea);
    createTable(kScratch, kScratchFields);
    WorkArea& scratch = required(useArea(kScratchArea, kScratch, true), "DBUSEAREA");
    for (const char* clockFile : kClockFiles) rt::rdd::appendFromDelimited(scratch, clockFile);
    return scratch;
}

// "dd/mm/yyyy" as "yyyy/mm/dd"; whatever is not a date is moved the same way.
std::string reorderedDate(std::string date) {
    date.resize(10, ' ');
    return date.substr(6, 4) + "/" + date.substr(3, 2) + "/" + date.substr(0, 2);
}

enum class Line { Added, Known, Skipped, Refused };

// One scratch record: badge and date taken from `importar` (written back into the scratch record), then the
// punch sought in the store and appended when new.
Line importLine(WorkArea& scratch, WorkArea& store) {
    const std::string importar = textField(scratch, kScratchImportar);
    // An empty line or the clock's end mark is no punch.
    if (blankText(importar)) return Line::Skipped;
    const size_t comma = importar.find(',');
    const rt::Number number =
        rt::val(comma == std::string::npos ? std::string_view() : std::string_view(importar).substr(0, comma));
    const std::string fecha = reorderedDate(importar.substr(comma == std::string::npos ? 0 : comma + 1, 10));
    // A badge wider than the key would be stored as asterisks and collide with every other such badge.
    if (rt::str(number, kBadgeWidth).find('*') != std::string::npos) return Line::Refused;
    scratch.fieldPut(kScratchEmpleado, Value(number));
    scratch.fieldPut(kScratchFecha, Value(fecha));

    const bool spare = number.isInteger && number.integer == kSpareBadge;
    const rt::Number badge = spare ? rt::integerNumber(kSpareBadgeOwner) : number;
    const std::string badgeKey = rt::str(badge, kBadgeWidth);
    if (store.seek(Value(badgeKey + fecha + textField(scratch, kScratchHora)), false)) return Line::Known;
    store.append();
    store.fieldPut(kStoreEmpleado, Value(badge));
    store.fieldPut(kStoreFecha, Value(fecha));
    store.fieldPut(kStoreHora, scratch.fieldGet(kScratchHora));
    return Line::Added;
}

}  // namespace

ImportResult importPunches(ImportView& view) {
    ImportResult result;
    applySettings();
    view.status(kStatusExtracting);
    view.breathe();

    AreaCleanup cleanup({kScratchArea, kStoreArea}, {kScratch});
    WorkArea& store = openStore();
    if (!indexOn(store, kStoreIndex, kKey)) return result;
    WorkArea& scratch = fillScratch();

    view.status(kStatusImporting);
    view.progressMax(scratch.lastRec());
    for (scratch.goTop(); !scratch.eof(); scratch.skip(1)) {
        const uint32_t recno = scratch.recno();
        view.progress(recno);
        if (recno % kBreathEvery == 0) view.breathe();
        switch (importLine(scratch, store)) {
            case Line::Added: ++result.added; break;
            case Line::Refused: ++result.refused; break;
            case Line::Known:
            case Line::Skipped: break;
        }
    }
    result.finished = true;
    return result;
}

std::string closingStatus(const ImportResult& result) {
    std::string text = kStatusDone;
    if (result.refused > 0)
        text += " " + std::to_string(result.refused) + " l\xEDneas rechazadas: gafete de m\xE1s de 6 d\xEDgitos.";
    return text;
}

}  // namespace asistencias
