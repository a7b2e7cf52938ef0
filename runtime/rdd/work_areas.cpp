#include "work_areas.h"

#include "driver_settings.h"
#include "failure.h"
#include "runtime/core/settings.h"
#include "runtime/core/symbol.h"

namespace rt::rdd {

namespace {

constexpr int kMaxAreas = 65534;

std::string baseName(const std::string& path) {
    size_t slash = path.find_last_of("/\\:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

WorkAreas& WorkAreas::instance() {
    static WorkAreas areas;
    return areas;
}

std::string WorkAreas::withExtension(const std::string& file, std::string_view ext) {
    size_t slash = file.find_last_of("/\\");
    size_t dot = file.find_last_of('.');
    std::string path = file;
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) path += ext;
    if (!settings().defaultPath.empty() && slash == std::string::npos) {
        std::string dir = settings().defaultPath;
        if (dir.back() != '/' && dir.back() != '\\') dir += '/';
        path = dir + path;
    }
    return resolveCase(path);
}

WorkArea* WorkAreas::area(int number) const {
    auto it = areas_.find(number);
    return it == areas_.end() ? nullptr : it->second.get();
}

int WorkAreas::numberOf(std::string_view alias) const {
    if (alias.empty()) return 0;
    for (const auto& [n, a] : areas_)
        if (equalsIgnoreCase(a->alias(), alias)) return n;
    return 0;
}

int WorkAreas::firstFree() const {
    for (int n = 1; n <= kMaxAreas; ++n)
        if (!areas_.count(n)) return n;
    return 0;
}

void WorkAreas::select(int number) {
    if (number == 0) number = firstFree();
    if (number >= 1 && number <= kMaxAreas) current_ = number;
}

Value WorkAreas::inArea(int number, const std::function<Value()>& body) {
    if (number == current_) return body();
    AreaGuard restore;
    select(number);
    return body();
}

bool WorkAreas::use(const std::string& file, const UseOptions& o) {
    netErr_ = false;
    if (o.newArea) select(0);
    close(current_);
    std::string alias = upper(o.alias.empty() ? baseName(file) : o.alias);
    bool refusedBySharing = false;
    bool ok = withErrorHandler(
        [&] {
            if (!knownDriver(o.driver)) fail(eg::Arg, sub::Arg, "Unknown table driver " + o.driver);
            if (int other = numberOf(alias); other != 0 && other != current_)
                fail(eg::DupAlias, sub::Open, "Alias already in use: " + alias, file);
            TableOptions t;
            t.shared = o.shared;
            t.readOnly = o.readOnly;
            t.memoKind = driverSettings(o.driver).memoType == 2 ? MemoKind::Fpt : MemoKind::Dbt;
            std::unique_ptr<Table> table;
            try {
                table = Table::open(withExtension(file), t);
            } catch (const Failure& f) {
                refusedBySharing = f.error.osCode == oserr::Sharing || f.error.osCode == oserr::LockViolation;
                throw;
            }
            auto a = std::make_unique<WorkArea>(*this, current_, std::move(table), alias);
            WorkArea* opened = a.get();
            areas_[current_] = std::move(a);
            opened->goTop();
            return true;
        },
        false);
    // Only another user's hold is a network error: a missing or damaged table is not.
    if (!ok && refusedBySharing) netErr_ = true;
    return ok;
}

void WorkAreas::close(int number) {
    auto it = areas_.find(number);
    if (it == areas_.end()) return;
    withErrorHandler([&] { it->second->flush(); return true; }, false);  // orders evaluate keys in a reachable area
    std::unique_ptr<WorkArea> gone = std::move(it->second);
    areas_.erase(it);
    // Relations into the closed area end with it.
    for (auto& [n, a] : areas_) {
        (void)n;
        std::vector<Relation> keep;
        for (const Relation& r : a->relations())
            if (r.child != number) keep.push_back(r);
        if (keep.size() != a->relations().size()) {
            a->clearRelations();
            for (Relation& r : keep) a->setRelation(r.child, r.key, r.text);
        }
    }
}

void WorkAreas::closeAll() {
    while (!areas_.empty()) close(areas_.begin()->first);
    current_ = 1;
}

bool WorkAreas::commitAll() {
    bool ok = true;
    for (auto& [n, a] : areas_) {
        (void)n;
        ok = a->commit() && ok;
    }
    return ok;
}

}  // namespace rt::rdd

namespace rt::rdd {

void WorkAreas::unlockAll() {
    for (auto& [n, a] : areas_) {
        (void)n;
        a->unlockAll();
    }
}

}  // namespace rt::rdd
