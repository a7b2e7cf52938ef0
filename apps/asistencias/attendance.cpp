#include "apps/asistencias/attendance.h"

#include <algorithm>
#include <map>
#include <vector>

#include "apps/asistencias/table_steps.h"
#include "runtime/core/runtime.h"
#include "runtime/core/settings.h"
#include "runtime/lib/date.h"
#include "runtime/lib/number.h"
#include "runtime/rdd/work_areas.h"

namespace asistencias {

namespace {

using rt::Value;
using rt::rdd::Field;
using rt::rdd::WorkArea;

constexpr int kTableArea = 2, kPunchArea = 3;
constexpr const char* kTable = "asisxdia.dbf";
constexpr const char* kTableIndex = "asisxdia.ntx";
constexpr const char* kTableKey = "fecha+str(empleado,6)";
constexpr const char* kPunches = "checadas";

enum Column { kEmpleado = 1, kNombre, kFecha, kHoraEntM, kHoraSalM, kHoraEntT, kHoraSalT, kRetardos, kFaltas,
              kTExtra };
const std::vector<Field> kTableFields = {
    {"EMPLEADO", 'N', 6, 0}, {"NOMBRE", 'C', 50, 0},  {"FECHA", 'C', 10, 0},   {"HORAENTM", 'C', 8, 0},
    {"HORASALM", 'C', 8, 0}, {"HORAENTT", 'C', 8, 0}, {"HORASALT", 'C', 8, 0}, {"RETARDOS", 'N', 2, 0},
    {"FALTAS", 'N', 2, 0},   {"TEXTRA", 'N', 2, 0}};
enum PunchField { kPunchEmpleado = 1, kPunchFecha, kPunchHora };

// Badges the clocks know under another number than the employee table.
constexpr std::pair<int64_t, int64_t> kBadgeRemaps[] = {{999, 195}, {233, 203}, {190, 234}};

constexpr std::string_view kEntry = "09:00", kExit = "19:00";

std::string_view hhmm(std::string_view time) { return time.substr(0, 5); }
int hourOf(std::string_view time) { return static_cast<int>(rt::val(time.substr(0, 2)).asInteger()); }

std::string twoDigits(int n) {
    std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}

bool parseDate(std::string_view text, int& y, int& m, int& d) {
    if (text.size() != 10 || text[4] != '/' || text[7] != '/') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9') return false;
    y = std::stoi(std::string(text.substr(0, 4)));
    m = std::stoi(std::string(text.substr(5, 2)));
    d = std::stoi(std::string(text.substr(8, 2)));
    return rt::isValidYmd(y, m, d);
}

int32_t julianOf(std::string_view date) {
    int y = 0, m = 0, d = 0;
    return parseDate(date, y, m, d) ? rt::julianFromYmd(y, m, d) : 0;
}

std::string dateText(int32_t julian) {
    const rt::Ymd ymd = rt::ymdFromJulian(julian);
    return std::to_string(ymd.year) + "/" + twoDigits(ymd.month) + "/" + twoDigits(ymd.day);
}

// The weekdays of the range, in calendar order.
std::vector<std::string> weekdays(const DateRange& range) {
    std::vector<std::string> days;
    const int32_t last = julianOf(range.end);
    for (int32_t j = julianOf(range.start); j != 0 && j <= last; ++j) {
        const int dow = rt::dow(rt::Date{j});  // 1 Sunday .. 7 Saturday
        if (dow >= 2 && dow <= 6) days.push_back(dateText(j));
    }
    return days;
}

int64_t remapped(int64_t badge) {
    for (auto [from, to] : kBadgeRemaps)
        if (badge == from) badge = to;
    return badge;
}

// The first record of each badge in the employee area's order (what a search from its first record finds).
std::map<int64_t, std::string> namesByBadge(WorkArea& employees) {
    std::map<int64_t, std::string> names;
    const int numero = employees.fieldPos("NUMERO"), nombre = employees.fieldPos("NOMBRE");
    for (employees.goTop(); !employees.eof(); employees.skip(1))
        names.emplace(employees.fieldGet(numero).asInteger(), textField(employees, nombre));
    return names;
}

void appendRow(WorkArea& table, int64_t badge, const std::string& name, const std::string& date) {
    table.append();
    table.fieldPut(kFecha, Value(date));
    table.fieldPut(kEmpleado, Value(badge));
    table.fieldPut(kNombre, Value(name));
}

int64_t addWeekdayRows(WorkArea& employees, WorkArea& table, const DateRange& range) {
    const int numero = employees.fieldPos("NUMERO"), nombre = employees.fieldPos("NOMBRE"),
              baja = employees.fieldPos("BAJA");
    const std::vector<std::string> days = weekdays(range);
    int64_t rows = 0;
    for (employees.goTop(); !employees.eof(); employees.skip(1)) {
        if (textField(employees, baja) != " ") continue;
        const int64_t badge = employees.fieldGet(numero).asInteger();
        const std::string name = textField(employees, nombre);
        for (const std::string& day : days) appendRow(table, badge, name, day);
        rows += static_cast<int64_t>(days.size());
    }
    return rows;
}

// The slot of the shift band a punch time falls in ("hh:mm" compared, seconds ignored); 0 for none.
int slotOf(std::string_view time) {
    const std::string_view t = hhmm(time);
    if (t < "09:31") return kHoraEntM;
    if (t > "09:30" && t < "14:31") return kHoraSalM;
    if (t > "13:30" && t < "16:31") return kHoraEntT;
    if (t > "16:30") return kHoraSalT;
    return 0;
}

// One punch into its row: the row added when the day and badge have none, the first punch of each band kept.
int64_t placePunch(WorkArea& table, int64_t badge, const std::string& name, const std::string& date,
                   const std::string& time) {
    int64_t added = 0;
    if (!table.seek(Value(date + rt::str(rt::integerNumber(badge), 6)), false)) {
        appendRow(table, badge, name, date);
        added = 1;
    }
    table.fieldPut(kNombre, Value(name));
    const int slot = slotOf(time);
    if (slot != 0 && blankText(textField(table, slot), 5)) table.fieldPut(slot, Value(time));
    const int extra = extraHours(textField(table, kHoraEntM)) + extraHours(textField(table, kHoraSalT));
    table.fieldPut(kTExtra, Value(static_cast<int64_t>(extra)));
    return added;
}

int64_t addPunches(WorkArea& punches, WorkArea& table, const std::map<int64_t, std::string>& names,
                   const DateRange& range) {
    const std::string noName(50, ' ');
    int64_t rows = 0;
    for (punches.goTop(); !punches.eof(); punches.skip(1)) {
        const int64_t badge = remapped(punches.fieldGet(kPunchEmpleado).asInteger());
        const std::string date = textField(punches, kPunchFecha);
        if (date < range.start || date > range.end) continue;
        const auto name = names.find(badge);
        rows += placePunch(table, badge, name == names.end() ? noName : name->second, date,
                           textField(punches, kPunchHora));
    }
    return rows;
}

}  // namespace

int extraHours(std::string_view given) {
    std::string time(given);
    time.resize(8, ' ');
    if (blankText(time, 5)) return 0;
    int hours = 0;
    if (hhmm(time) < kEntry) {
        // A started hour counts whole: 07:45 is 08:00.
        const std::string rounded =
            time.substr(3, 2) != "00" ? "0" + std::to_string(hourOf(time) + 1) + ":00" : std::string(hhmm(time));
        if (std::string_view(rounded) < kEntry) hours = 9 - hourOf(rounded);
    } else if (hhmm(time) > kExit) {
        const std::string rounded = twoDigits(hourOf(time)) + ":00";
        if (std::string_view(rounded) > kExit) hours = hourOf(rounded) - 19;
    }
    return std::clamp(hours, 0, 8);
}

DateRange dateRange(const std::string& typedStart, const std::string& typedEnd) {
    DateRange r{typedStart, typedEnd, {}};
    int y = 0, m = 0, d = 0;
    for (const auto& [text, which] : {std::pair{&typedStart, "inicial"}, std::pair{&typedEnd, "final"}})
        if (!parseDate(*text, y, m, d)) {
            r.problem = std::string("La fecha ") + which + " \"" + *text + "\" no es una fecha v\xE1lida (aaaa/mm/dd).";
            return r;
        }
    if (r.start > r.end) std::swap(r.start, r.end);
    return r;
}

int64_t buildAttendanceTable(WorkArea& employees, const DateRange& range) {
    rt::Settings& s = rt::settings();
    s.century = true;
    s.dateFormat = "yyyy/mm/dd";
    s.confirm = true;

    // The form goes on showing the employee it showed: the walks below move the table.
    struct KeepPosition {
        WorkArea& area;
        uint32_t recno;
        ~KeepPosition() { area.goTo(recno); }
    } keep{employees, employees.recno()};
    rt::rdd::AreaGuard keepCurrent;

    AreaCleanup cleanup({kPunchArea, kTableArea});
    createTable(kTable, kTableFields);
    WorkArea& table = required(useArea(kTableArea, kTable, true, "ASISXDIA"), "DBUSEAREA");
    table.zap();
    indexOn(table, kTableIndex, kTableKey);

    int64_t rows = addWeekdayRows(employees, table, range);
    const std::map<int64_t, std::string> names = namesByBadge(employees);
    WorkArea& punches = required(useArea(kPunchArea, kPunches, s.exclusive), "DBUSEAREA");
    rows += addPunches(punches, table, names, range);
    return rows;
}

void registerAttendanceFunctions() {
    rt::registerFunction("CALC_HE", [](rt::Args a) -> Value {
        const Value& time = rt::arg(a, 0);
        return Value(static_cast<int64_t>(extraHours(time.isString() ? time.asString() : std::string())));
    });
}

}  // namespace asistencias
