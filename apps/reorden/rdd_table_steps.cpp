#include "rdd_table_steps.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "runtime/core/settings.h"
#include "runtime/rdd/commands.h"
#include "runtime/rdd/failure.h"
#include "runtime/rdd/file.h"
#include "runtime/rdd/table.h"
#include "runtime/rdd/work_areas.h"

namespace reorden {

namespace {

rt::rdd::WorkAreas& areas() { return rt::rdd::WorkAreas::instance(); }

bool sameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::toupper(x) == std::toupper(y);
    });
}

}  // namespace

bool RddTableSteps::exists(const std::string& path) { return rt::rdd::fileExistsCmd(path); }

// The folder's own spelling on every platform (Windows would take any spelling): the rewritten table then
// keeps the name the original had, instead of appearing beside it as a second file on a case-sensitive disk.
std::string RddTableSteps::resolve(const std::string& path) {
    namespace fs = std::filesystem;
    const size_t slash = path.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string found = it->path().filename().string();
        if (sameName(found, name)) return slash == std::string::npos ? found : path.substr(0, slash + 1) + found;
    }
    return path;
}

int RddTableSteps::rename(const std::string& from, const std::string& to) {
    return rt::rdd::fileRename(from, to) == 0 ? 0 : rt::rdd::lastFileError();
}

int RddTableSteps::erase(const std::string& path) {
    return rt::rdd::fileErase(path) == 0 ? 0 : rt::rdd::lastFileError();
}

bool RddTableSteps::open(const std::string& path) {
    rt::rdd::UseOptions options;
    options.shared = !rt::settings().exclusive;
    if (!areas().use(path, options)) return false;
    area_ = areas().currentNumber();
    return true;
}

bool RddTableSteps::pack() {
    rt::rdd::WorkArea* area = areas().area(area_);
    return area && area->pack();
}

int64_t RddTableSteps::recordCount() {
    rt::rdd::WorkArea* area = areas().area(area_);
    return area ? static_cast<int64_t>(area->lastRec()) : -1;
}

bool RddTableSteps::sortTo(const std::string& target, const std::string& field) {
    rt::rdd::WorkArea* area = areas().area(area_);
    return area && rt::rdd::sortTo(*area, target, field);
}

void RddTableSteps::close() {
    // The error handler's Quit closes every area before the break unwinds: then there is nothing left here.
    if (area_ != 0 && areas().area(area_)) areas().close(area_);
    area_ = 0;
}

int64_t RddTableSteps::storedCount(const std::string& path) {
    rt::rdd::TableOptions options;
    options.shared = true;
    options.readOnly = true;
    try {
        return rt::rdd::Table::open(rt::rdd::resolveCase(path), options)->recCount();
    } catch (const rt::rdd::Failure&) {
        return -1;
    }
}

}  // namespace reorden
