#include "framework/core/error/error_log.h"

#include "framework/core/debug/version_text.h"
#include "framework/core/error/error_platform.h"
#include "framework/core/native/whole_file.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/lib/date.h"
#include "runtime/rdd/work_areas.h"

namespace vorpex::errsys {

namespace {

constexpr int kLastArea = 600;

std::string applicationText(const char* member) {
    const rt::Value& app = rt::publicVar("Application");
    if (!app.isObject()) return "";
    rt::Value v = rt::send(app, member);
    return v.isString() ? v.asString() : "";
}

AreaState stateOf(const rt::rdd::WorkArea& a) {
    AreaState s;
    s.number = a.number();
    s.alias = a.alias();
    s.recno = a.recno();
    s.filter = a.filterText();
    if (!a.relations().empty()) s.relation = a.relations().front().text;
    s.order = static_cast<int>(a.focus());
    if (const rt::rdd::Order* o = a.controlling()) s.key = o->keyText();
    return s;
}

}  // namespace

LogEnvironment currentEnvironment() {
    PlatformFacts facts = platformFacts();
    LogEnvironment env;
    env.exe = applicationText("cFileName");
    env.version = applicationText("cVersion");
    env.user = facts.user;
    env.computer = facts.computer;
    env.date = rt::dtoc(rt::today());
    env.time = rt::timeOfDay();
    env.freeMemory = facts.freeMemory;
    env.currentArea = rt::rdd::WorkAreas::instance().currentNumber();
    env.frameworkVersion = vorpexVersion(1);
    env.runtimeVersion = vorpexVersion(4) + " " + vorpexVersion(6);
    env.compiler = vorpexVersion(5);
    env.platform = facts.platform;
    return env;
}

std::vector<AreaState> openAreas() {
    std::vector<AreaState> list;
    rt::rdd::WorkAreas& areas = rt::rdd::WorkAreas::instance();
    for (int n = 1; n <= kLastArea; ++n)
        if (const rt::rdd::WorkArea* a = areas.area(n)) list.push_back(stateOf(*a));
    return list;
}

bool writeLogFile(const std::string& path, const std::string& text) { return native::writeFile(path, text); }

LogResult LogError(const rt::Error& e, std::span<const rt::StackEntry> stack, const std::optional<Origin>& origin) {
    rt::setExitCode(1);  // in every case, also when the file cannot be written
    LogResult r;
    std::vector<AreaState> areas = openAreas();
    r.text = logText(e, currentEnvironment(), stack, origin, areas);
    r.written = writeLogFile(kLogFile, r.text);
    return r;
}

}  // namespace vorpex::errsys
