// Feeds fuzzed text to APPEND FROM ... DELIMITED WITH BLANK over a table with every field type: any text
// must append whole records of the declared widths and nothing else.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "runtime/core/error.h"
#include "runtime/rdd/commands.h"
#include "runtime/rdd/work_areas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace rt::rdd;
    static WorkArea* area = [] {
        std::string dir = "/tmp/vorpex-fuzz-delim-" + std::to_string(getpid());
        mkdir(dir.c_str(), 0700);
        Table::create(dir + "/t.dbf",
                      {{"A", 'C', 5, 0}, {"B", 'N', 6, 2}, {"C", 'D', 8, 0}, {"D", 'L', 1, 0}, {"E", 'C', 12, 0},
                       {"F", 'M', 10, 0}},
                      {});
        UseOptions o;
        WorkAreas::instance().use(dir + "/t.dbf", o);
        return WorkAreas::instance().current();
    }();
    if (!area) std::abort();
    area->zap();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    int64_t added = appendFromDelimited(*area, in);
    if (added < 0 || static_cast<uint64_t>(added) != area->lastRec()) std::abort();
    uint16_t length = area->table().recordLength();
    for (area->goTop(); !area->eof(); area->skip(1)) {
        if (area->fieldGet(1).asString().size() != 5 || area->fieldGet(5).asString().size() != 12) std::abort();
        if (area->deleted()) std::abort();
        (void)length;
    }
    return 0;
}
