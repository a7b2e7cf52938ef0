// Feeds arbitrary bytes to the NTX reader as an index file: open, walk both ways, seek, count, rank, verify,
// and one insert and remove. Any outcome but a corrupt-index (or other NtxError) report is a finding: a
// crash, a sanitizer report or a walk that does not end.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "runtime/rdd/ntx/ntx_error.h"
#include "runtime/rdd/ntx/ntx_tree.h"

namespace {

std::string scratchFile() {
    return "/tmp/ntx_fuzz_" + std::to_string(getpid()) + ".ntx";
}

void exercise(const std::string& path, const uint8_t* data, size_t size) {
    using namespace rt::ntx;
    auto t = NtxTree::open(path, {});
    const size_t limit = 200000;  // a walk longer than the file could hold means a loop went unnoticed
    NtxPosition pos;
    size_t steps = 0;
    for (bool on = t->first(pos); on; on = t->next(pos))
        if (++steps > limit) __builtin_trap();
    steps = 0;
    for (bool on = t->last(pos); on; on = t->prev(pos))
        if (++steps > limit) __builtin_trap();
    std::string probe(reinterpret_cast<const char*>(data), std::min<size_t>(size, 8));
    t->seek(pos, probe, false);
    t->seek(pos, probe, true);
    uint64_t n = t->keyCount();
    if (n > 0) {
        t->gotoRank(pos, n / 2 + 1);
        t->rank(pos);
    }
    t->verify();
    std::string key(t->keySize(), 'k');
    t->insert(key, 7);
    t->remove(key, 7);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = scratchFile();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    try {
        exercise(path, data, size);
    } catch (const rt::ntx::NtxError&) {
    }
    return 0;
}
