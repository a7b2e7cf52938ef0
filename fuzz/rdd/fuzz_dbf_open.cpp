// Opens fuzzed bytes as a table with a memo file and reads every field of every record: any input must end
// in an error object or data, never a crash, a hang or a read outside the buffers.
// Input: byte 0 picks the memo kind, bytes 1-2 the length of the table part, then the table, then the memo.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "runtime/core/error.h"
#include "runtime/rdd/work_areas.h"

namespace {

void put(const std::string& path, const uint8_t* data, size_t n) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(n));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace rt::rdd;
    static const std::string dir = "/tmp/vorpex-fuzz-dbf-" + std::to_string(getpid());
    static bool ready = [] {
        mkdir(dir.c_str(), 0700);
        rt::setErrorHandler([](rt::Error&) { return rt::ErrorAnswer{rt::ErrorAction::Default, rt::Value()}; });
        return true;
    }();
    (void)ready;
    if (size < 3) return 0;
    bool fpt = data[0] & 1;
    size_t tableLength = std::min<size_t>(size - 3, static_cast<size_t>(data[1]) | static_cast<size_t>(data[2]) << 8);
    put(dir + "/t.dbf", data + 3, tableLength);
    put(dir + (fpt ? "/t.fpt" : "/t.dbt"), data + 3 + tableLength, size - 3 - tableLength);
    unlink((dir + (fpt ? "/t.dbt" : "/t.fpt")).c_str());

    WorkAreas& areas = WorkAreas::instance();
    UseOptions o;
    o.readOnly = true;
    if (!areas.use(dir + "/t.dbf", o)) return 0;
    WorkArea& a = *areas.current();
    int budget = 2000;  // a valid header may claim many records; a few are enough to exercise the fields
    for (a.goTop(); !a.eof() && budget-- > 0; a.skip(1))
        for (size_t f = 1; f <= a.fieldCount(); ++f) a.fieldGet(f);
    a.goBottom();
    a.skip(-1);
    areas.closeAll();
    return 0;
}
