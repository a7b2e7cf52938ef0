#include "reorder.h"

namespace reorden {

namespace {

namespace oserr {
constexpr int NotFound = 2, PathNotFound = 3, Sharing = 32, Exists = 80, AlreadyExists = 183;
}

std::string inFolder(const std::string& folder, const char* name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

Result result(Outcome outcome, int osCode = 0) { return {outcome, osCode, messageFor(outcome, osCode)}; }

Result renameRefused(int code) {
    switch (code) {
    case oserr::NotFound:
    case oserr::PathNotFound: return result(Outcome::Missing, code);
    case oserr::Sharing: return result(Outcome::HeldOpen, code);
    case oserr::Exists:
    case oserr::AlreadyExists: return result(Outcome::TempExists, code);
    default: return result(Outcome::RenameFailed, code);
    }
}

// The steps after the rename, with what it takes to undo them.
class Attempt {
public:
    Attempt(TableSteps& steps, std::string table, std::string temp)
        : s_(steps), table_(std::move(table)), temp_(std::move(temp)) {}

    // True when the new table is complete and closed.
    bool sortBack() {
        if (!s_.open(temp_) || !s_.pack()) return false;
        const int64_t packed = s_.recordCount();
        // The original's name must still be free: a file someone put there meanwhile is not ours to replace.
        if (packed < 0 || s_.exists(table_)) return false;
        sorting_ = true;
        if (!s_.sortTo(table_, kKeyField)) return false;
        s_.close();
        return s_.storedCount(table_) == packed;
    }

    Result finish() {
        return s_.erase(temp_) == 0 ? result(Outcome::Reordered) : result(Outcome::TempKept);
    }

    // Never throws: it also runs while a break unwinds.
    Result rollBack() noexcept {
        try {
            s_.close();
        } catch (...) {
            // A failure while closing cannot stop the data from going back.
        }
        try {
            if (sorting_ && s_.exists(table_)) s_.erase(table_);
            return s_.rename(temp_, table_) == 0 ? result(Outcome::RolledBack) : result(Outcome::Stranded);
        } catch (...) {
            return result(Outcome::Stranded);
        }
    }

private:
    TableSteps& s_;
    std::string table_, temp_;
    bool sorting_ = false;  // from here on a table under the original's name is our partial output
};

}  // namespace

Result reorder(TableSteps& steps, const std::string& folder) {
    const std::string table = steps.resolve(inFolder(folder, kTableFile));
    const std::string temp = steps.resolve(inFolder(folder, kTempFile));
    if (int code = steps.rename(table, temp); code != 0) return renameRefused(code);

    Attempt attempt(steps, table, temp);
    bool complete = false;
    try {
        complete = attempt.sortBack();
    } catch (...) {
        attempt.rollBack();
        throw;
    }
    return complete ? attempt.finish() : attempt.rollBack();
}

Result recoverStranded(TableSteps& steps, const std::string& folder) {
    const std::string table = steps.resolve(inFolder(folder, kTableFile));
    const std::string temp = steps.resolve(inFolder(folder, kTempFile));
    if (!steps.exists(temp)) return {};
    if (steps.exists(table)) return result(Outcome::Leftover);
    const int code = steps.rename(temp, table);
    return code == 0 ? result(Outcome::Recovered) : result(Outcome::NotRecovered, code);
}

std::string messageFor(Outcome outcome, int osCode) {
    // At most 30 characters: the label has the rest of the form's width. Code page 1252: \xE1 a acute,
    // \xED i acute, \xF3 o acute.
    switch (outcome) {
    case Outcome::Nothing: return {};
    case Outcome::Reordered: return "Listo! Archivo reordenado.";
    case Outcome::TempKept: return "Listo. No se borr\xF3 EMPL.DBF.";
    case Outcome::Missing: return "No se encontr\xF3 EMPLEADO.DBF.";
    case Outcome::HeldOpen: return "EMPLEADO.DBF est\xE1" " en uso.";
    case Outcome::TempExists: return "Ya existe EMPL.DBF.";
    case Outcome::RenameFailed: return "Error " + std::to_string(osCode) + " al renombrar.";
    case Outcome::RolledBack: return "Fall\xF3. Se restaur\xF3 el archivo.";
    case Outcome::Stranded: return "Fall\xF3. Datos en EMPL.DBF.";
    case Outcome::Recovered: return "Se restaur\xF3 EMPLEADO.DBF.";
    case Outcome::NotRecovered: return "Los datos est\xE1n en EMPL.DBF.";
    case Outcome::Leftover: return "Ya existe EMPL.DBF: rev\xEDselo.";
    }
    return {};
}

}  // namespace reorden
