// The punch import: the two time clocks' exports (almacen.csv, oficinas.csv) copied into the punch store
// Checadas.dbf once each, through the scratch table depaso.dbf, in numbered work areas 2 and 3 of the current
// folder. Platform-neutral: the form gives it its status label and progress bar through ImportView.
#pragma once

#include <cstdint>
#include <string>

namespace asistencias {

// What the import shows while it runs.
class ImportView {
public:
    virtual ~ImportView() = default;
    virtual void status(const std::string& text) = 0;
    virtual void progressMax(int64_t max) = 0;
    virtual void progress(int64_t value) = 0;
    // Called once before the walk and then every `kBreathEvery` records, so that a window can repaint.
    virtual void breathe() {}
};

inline constexpr int64_t kBreathEvery = 512;

struct ImportResult {
    bool finished = false;  // false: a step failed and its error allowed no going on
    int64_t added = 0;      // punches new to the store
    int64_t refused = 0;    // lines whose badge does not fit the store's six-digit key
};

// The status texts, in the order the import shows them.
inline const char* const kStatusExtracting = "Extrayendo existencias...";
inline const char* const kStatusImporting = "Extrayendo asistencias...";
inline const char* const kStatusDone = "Importaci\xF3n terminada!";

// The import as the attendance program runs it. Leaves the engine settings it needs for the rest of the
// program (date format yyyy/mm/dd with century, shared opening, deleted records hidden). Errors go to the
// runtime's error handler; a break out of it (the user's Quit) passes through after areas 2 and 3 are closed
// and the scratch table erased.
ImportResult importPunches(ImportView& view);

// The text a finished import leaves in the status label.
std::string closingStatus(const ImportResult& result);

}  // namespace asistencias
