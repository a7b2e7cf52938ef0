// The work areas of the process, numbered from 1, with aliases and the current area; opening, closing and
// "run this in area n and restore the current one". One instance per process, as the xBase runtime has.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "failure.h"
#include "work_area.h"

namespace rt::rdd {

struct UseOptions {
    bool newArea = false;  // open in the first free area instead of the current one
    std::string driver;    // "" = the default driver
    std::string alias;     // "" = the file's base name
    bool shared = false;
    bool readOnly = false;
};

class WorkAreas {
public:
    static WorkAreas& instance();

    // USE / DBUSEAREA. False (with NETERR set when the handler defaulted an open or sharing error) when
    // the table could not be opened.
    bool use(const std::string& file, const UseOptions& options);
    void close(int number);
    void closeAll();
    bool commitAll();
    void unlockAll();

    int currentNumber() const { return current_; }
    WorkArea* current() const { return area(current_); }
    WorkArea* area(int number) const;
    // SELECT(alias): the area number, 0 when no area has that alias. Also accepts a number as text.
    int numberOf(std::string_view alias) const;
    // DBSELECTAREA(n): 0 selects the first free area.
    void select(int number);
    int firstFree() const;

    // Runs `body` with area `number` current, restoring the previous current area afterwards (also when
    // the body throws): the (alias)->(expr) primitive.
    Value inArea(int number, const std::function<Value()>& body);

    bool netErr() const { return netErr_; }
    void setNetErr(bool v) { netErr_ = v; }

    // Table file name with the default extension added when it has none.
    static std::string withExtension(const std::string& file, std::string_view ext = ".dbf");

private:
    WorkAreas() = default;
    std::map<int, std::unique_ptr<WorkArea>> areas_;
    int current_ = 1;
    bool netErr_ = false;
};

// Restores the current area when it goes out of scope.
class AreaGuard {
public:
    AreaGuard() : saved_(WorkAreas::instance().currentNumber()) {}
    ~AreaGuard() { WorkAreas::instance().select(saved_); }
    AreaGuard(const AreaGuard&) = delete;
    AreaGuard& operator=(const AreaGuard&) = delete;

private:
    int saved_;
};

// Hands an engine failure to the error handler: Retry runs the body again, Default answers `otherwise`.
template <class F, class R>
R withErrorHandler(F&& body, R otherwise) {
    for (int tries = 0;; ) {
        try {
            return body();
        } catch (Failure& f) {
            f.error.tries = tries++;
            ErrorAnswer a = raise(f.error);
            if (a.action == ErrorAction::Retry) continue;
            return otherwise;
        }
    }
}

}  // namespace rt::rdd
