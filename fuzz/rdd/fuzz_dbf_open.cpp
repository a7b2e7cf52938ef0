// Opens fuzzed bytes as a table with a memo file and reads every field of every record: any input must end
// in an error object or data, never a crash, a hang or a read outside the buffers.
// Input: byte 0 picks the memo kind (bit 0) and the input's form (bit 1); bytes 1-2 the length of the table part,
// then the table, then the memo. In the second form the table part is not a file but field descriptors (type,
// width, decimals; three bytes each) followed by record bytes: the harness writes a header around them whose
// lengths agree, so the fuzzer reaches every field type at every width without having to keep a record length
// in step with its fields by chance.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// A table file from descriptors the fuzzer chose: header and record lengths always agree with them.
std::string tableFromDescriptors(const uint8_t* data, size_t n) {
    static const char types[] = "CNDLMFBG?";
    const size_t fields = n / 3 > 0 ? std::min<size_t>(1 + data[0] % 8, n / 3) : 0;
    std::string descriptors;
    size_t recordLength = 1;
    for (size_t i = 0; i < fields; ++i) {
        const uint8_t* d = data + 1 + 3 * i;
        if (d + 3 > data + n) break;
        std::string one(32, '\0');
        one[0] = static_cast<char>('A' + i);
        one[11] = types[d[0] % (sizeof types - 1)];
        one[16] = static_cast<char>(d[1]);
        one[17] = static_cast<char>(d[2]);
        recordLength += one[11] == 'C' ? d[1] | d[2] << 8 : d[1];
        descriptors += one;
    }
    const size_t used = std::min(n, 1 + 3 * fields);
    const size_t records = recordLength > 1 ? (n - used) / recordLength : 0;
    const size_t headerLength = 32 + descriptors.size() + 1;
    std::string t(32, '\0');
    t[0] = 0x03;
    for (int i = 0; i < 4; ++i) t[4 + i] = static_cast<char>(records >> (8 * i));
    t[8] = static_cast<char>(headerLength), t[9] = static_cast<char>(headerLength >> 8);
    t[10] = static_cast<char>(recordLength), t[11] = static_cast<char>(recordLength >> 8);
    t += descriptors + '\x0D';
    t.append(reinterpret_cast<const char*>(data + used), n - used);
    return t;
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
    if (data[0] & 2) {
        const std::string table = tableFromDescriptors(data + 3, tableLength);
        put(dir + "/t.dbf", reinterpret_cast<const uint8_t*>(table.data()), table.size());
    } else {
        put(dir + "/t.dbf", data + 3, tableLength);
    }
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
