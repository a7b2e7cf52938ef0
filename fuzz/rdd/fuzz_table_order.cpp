// A table with its memo and an NTX order over it, opened for writing and driven by a script: navigation,
// seeks, key numbers, scopes, appends, replaces, deletes, packs and rebuilds, as a program does them.
// Input: see fuzz_input.h; three parts (table, memo, index) and the script. Flags: bit 0 the memo kind (FPT),
// bit 1 shared opening, bit 2 SET DELETED, bit 3 (shared) a file lock taken first; without it records are
// locked one by one, and a second area can open the same files as another process would.
//
// Findings: a crash, a sanitizer report, an exception that escapes the error system, a walk that does not
// end, and one of data: when the order was in step with the table at the start (its tree verifies and holds
// the keys a fresh build holds) and no operation reported an error, it must be in step at the end as well.
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz_input.h"
#include "runtime/core/error.h"
#include "runtime/core/settings.h"
#include "runtime/lib/library.h"
#include "runtime/rdd/ntx/ntx_error.h"
#include "runtime/rdd/ntx/ntx_order.h"
#include "runtime/rdd/ntx/order_functions.h"
#include "runtime/rdd/table_functions.h"
#include "runtime/rdd/work_areas.h"
#include "table_order_ops.h"

namespace {

using namespace rt::rdd;
using rt::Value;
using rt::ntx::NtxOrder;
using vorpex_fuzz::Op;

int reported = 0;  // errors handed to the handler since the last reset

// VORPEX_FUZZ_TRACE=1 prints each error and whether the data check applied (to see that the seeds reach it).
bool tracing() {
    static const bool on = std::getenv("VORPEX_FUZZ_TRACE") != nullptr;
    return on;
}

class Script {
public:
    explicit Script(std::string_view b) : b_(b) {}
    bool done() const { return at_ >= b_.size(); }
    uint8_t byte() { return at_ < b_.size() ? static_cast<uint8_t>(b_[at_++]) : 0; }
    int word() { return static_cast<int16_t>(byte() | byte() << 8); }
    std::string text(size_t max) {
        std::string s(byte() % (max + 1), ' ');
        for (char& c : s) c = static_cast<char>(byte());
        return s;
    }

private:
    std::string_view b_;
    size_t at_ = 0;
};

// A number that fits the width most of the time, and now and then one far too wide.
Value number(Script& s, uint32_t width, uint32_t decimals) {
    const uint8_t mode = s.byte();
    const double raw = s.word();
    if (mode & 0x80) return Value(std::pow(10.0, mode % 30) + raw);
    const int digits = std::max(1, std::min(9, static_cast<int>(width) - (decimals ? int(decimals) + 1 : 0) - 1));
    const double limit = std::pow(10.0, digits);
    return Value(std::fmod(raw, limit) / std::pow(10.0, decimals));
}

Value date(Script& s) {
    const int offset = s.word();
    return offset == 0 ? Value(rt::Date{}) : Value(rt::Date{2458850 + offset});
}

Value valueFor(const Field& f, Script& s) {
    switch (f.type) {
    case 'N': return number(s, f.length, f.decimals);
    case 'D': return date(s);
    case 'L': return Value(bool(s.byte() & 1));
    case 'M': return Value(s.text(40));
    default: return Value(s.text(f.length + 2));
    }
}

Value anyValue(Script& s, uint8_t kind) {
    switch (kind % 4) {
    case 0: return Value(s.text(12));
    case 1: return number(s, 12, kind >> 2 & 3);
    case 2: return date(s);
    default: return Value(bool(s.byte() & 1));
    }
}

NtxOrder* ntx(WorkArea& a) { return dynamic_cast<NtxOrder*>(a.order(1)); }

// Bounded walks: more steps than the table has records (sound order) or than the files could hold entries
// means the walk would never end.
uint64_t walkBound(WorkArea& a, const std::string& index, bool sound) {
    const uint64_t records = a.lastRec();
    if (sound) return records + 1;
    std::error_code ec;
    const uint64_t bytes = std::filesystem::file_size(index, ec);
    return records + (ec ? 0 : bytes / 1024 + 64) * 128 + 16;
}

void walk(WorkArea& a, bool forward, uint64_t bound) {
    uint64_t steps = 0;
    for (forward ? a.goTop() : a.goBottom(); !(forward ? a.eof() : a.bof()); a.skip(forward ? 1 : -1)) {
        if (++steps <= bound) continue;
        std::fprintf(stderr, "walk past %llu steps\n", static_cast<unsigned long long>(bound));
        __builtin_trap();
    }
}

// The order's entries, in file order, against a fresh build over the same table; answers whether they agree
// (and the tree verifies).
bool inStep(WorkArea& a, const std::string& dir, bool compareEntries) {
    NtxOrder* o = ntx(a);
    if (!o || !a.commit()) return false;
    try {
        o->tree().verify();
    } catch (const rt::ntx::NtxError&) {
        return false;
    }
    if (!compareEntries) return true;
    rt::ntx::IndexRequest r;
    r.bag = dir + "/check.ntx";
    r.tag = "CHECK";
    r.key = o->keyText();
    r.forCond = o->forText();
    r.unique = o->unique();
    r.descending = o->tree().header().descending;
    r.additive = true;
    if (!rt::ntx::ordCreate(a, r)) return false;
    auto* fresh = dynamic_cast<NtxOrder*>(a.order(a.orderCount()));
    bool same = fresh != nullptr;
    try {
        rt::ntx::NtxPosition p, q;
        bool on = o->tree().first(p), onq = same && fresh->tree().first(q);
        for (; same && (on || onq); on = o->tree().next(p), onq = fresh->tree().next(q))
            same = on == onq && p.key == q.key && p.recno == q.recno;
    } catch (const rt::ntx::NtxError&) {
        same = false;
    }
    rt::ntx::ordDestroy(a, Value("CHECK"));
    a.setFocus(1);
    return same;
}

void step(WorkArea& a, Op op, Script& s, uint64_t bound) {
    const size_t fields = a.fieldCount();
    switch (op) {
    case Op::GoTop: a.goTop(); break;
    case Op::GoBottom: a.goBottom(); break;
    case Op::Skip: a.skip(static_cast<int8_t>(s.byte())); break;
    case Op::GoTo: a.goTo(s.byte() % (a.lastRec() + 3)); break;
    case Op::Seek: {
        const uint8_t how = s.byte();
        a.seek(anyValue(s, how >> 2), how & 1, how & 2);
        break;
    }
    case Op::SeekCurrent: a.seek(rt::ntx::ordKeyVal(a), false); break;
    case Op::Append: a.append(false); break;
    case Op::Replace:
        if (fields) {
            const size_t f = 1 + s.byte() % fields;
            a.fieldPut(f, valueFor(a.table().fields()[f - 1], s));
        }
        break;
    case Op::ReplaceWrong:
        if (fields) a.fieldPut(1 + s.byte() % fields, anyValue(s, s.byte()));
        break;
    case Op::Delete: a.deleteRecord(); break;
    case Op::Recall: a.recall(); break;
    case Op::KeyNo: a.keyNo(); break;
    case Op::KeyCount: a.keyCount(); break;
    case Op::KeyGoto: a.keyGoto(s.byte()); break;
    case Op::Scope: {
        const uint8_t how = s.byte();
        rt::ntx::ordScope(a, how & 1, true, how & 2 ? anyValue(s, how >> 2) : Value());
        break;
    }
    case Op::Descend: rt::ntx::ordDescend(a, Value(), Value(!rt::ntx::ordDescend(a, Value()))); break;
    case Op::Commit: a.commit(); break;
    case Op::Rebuild: rt::ntx::ordListRebuild(a); break;
    case Op::WalkForward: walk(a, true, bound); break;
    case Op::WalkBackward: walk(a, false, bound); break;
    case Op::Pack: a.pack(); break;
    case Op::SetDeleted: rt::settings().deleted = !rt::settings().deleted; break;
    case Op::Focus: a.setFocus(s.byte() & 1); break;
    case Op::Lock: a.lockRecord(a.recno()); break;
    case Op::Unlock: a.unlockAll(); break;
    case Op::OtherArea:
    case Op::Count: break;
    }
}

void setUp(const std::string& dir) {
    mkdir(dir.c_str(), 0700);
    rt::registerLibraryFunctions();
    registerTableFunctions();
    rt::ntx::registerOrderFunctions();
    rt::setErrorHandler([](rt::Error& e) {
        if (tracing()) std::fprintf(stderr, "error: %s\n", rt::describe(e).c_str());
        ++reported;
        return rt::ErrorAnswer{rt::ErrorAction::Default, Value()};
    });
}

// The second area on the same files, opened when the script first turns to it.
WorkArea* otherArea(const std::string& dir) {
    WorkAreas& areas = WorkAreas::instance();
    if (int number = areas.numberOf("OTHER")) return areas.area(number);
    AreaGuard keep;
    UseOptions o;
    o.newArea = true;
    o.shared = true;
    o.alias = "OTHER";
    if (!areas.use(dir + "/t.dbf", o)) return nullptr;
    rt::ntx::ordListAdd(*areas.current(), dir + "/t.ntx");
    return areas.current();
}

void run(WorkArea& a, const std::string& dir, Script& s, bool shared, bool fileLock) {
    const std::string index = dir + "/t.ntx";
    if (fileLock) a.lockFile();
    rt::ntx::ordListAdd(a, index);
    const bool sound = inStep(a, dir, true);
    reported = 0;
    WorkArea* at = &a;
    for (int n = 0; n < 96 && !s.done(); ++n) {
        const auto op = static_cast<Op>(s.byte() % static_cast<uint8_t>(Op::Count));
        try {
            if (op == Op::OtherArea && shared) {
                WorkArea* b = at == &a ? otherArea(dir) : &a;
                if (b) at = b;
                WorkAreas::instance().select(at->number());
                continue;
            }
            step(*at, op, s, walkBound(*at, index, sound && reported == 0));
        } catch (const rt::Break&) {
            ++reported;  // a program's BEGIN SEQUENCE would end here; the engine must still be usable
        }
    }
    if (tracing())
        std::fprintf(stderr, "in step at the start: %d, errors: %d, records: %u\n", sound, reported, a.lastRec());
    if (!sound || reported != 0) return;
    // The other area may still hold a key back (its appended record's): every area commits before the check.
    if (!WorkAreas::instance().commitAll()) return;
    WorkAreas::instance().select(a.number());
    // A unique order legitimately differs from a fresh build once keys change (it kept the first record of
    // each key, not the first in record order), so only its tree is checked.
    if (!inStep(a, dir, !ntx(a) || !ntx(a)->unique())) {
        std::fprintf(stderr, "order out of step with the table after error-free changes\n");
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string dir = "/tmp/vorpex-fuzz-order-" + std::to_string(getpid());
    static const bool ready = (setUp(dir), true);
    (void)ready;
    const vorpex_fuzz::Input in = vorpex_fuzz::splitInput(data, size, 3);
    const bool fpt = in.flags & 1, shared = in.flags & 2;
    vorpex_fuzz::writeFile(dir + "/t.dbf", in.parts[0]);
    vorpex_fuzz::writeFile(dir + (fpt ? "/t.fpt" : "/t.dbt"), in.parts[1]);
    unlink((dir + (fpt ? "/t.dbt" : "/t.fpt")).c_str());
    vorpex_fuzz::writeFile(dir + "/t.ntx", in.parts[2]);
    unlink((dir + "/check.ntx").c_str());
    rt::settings() = rt::Settings{};
    rt::settings().deleted = in.flags & 4;

    WorkAreas& areas = WorkAreas::instance();
    areas.select(1);
    UseOptions o;
    o.shared = shared;
    if (areas.use(dir + "/t.dbf", o)) {
        Script s(in.rest);
        try {
            run(*areas.current(), dir, s, shared, shared && (in.flags & 8));
        } catch (const rt::Break&) {
        }
    }
    areas.closeAll();
    return 0;
}

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

// Half the mutations change the script alone: sound files then meet many sequences of operations, where
// mutating a whole input mostly damages the files.
extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned seed) {
    const vorpex_fuzz::Input in = vorpex_fuzz::splitInput(data, size, 3);
    const size_t head = static_cast<size_t>(reinterpret_cast<const uint8_t*>(in.rest.data()) - data);
    if (seed % 2 == 0 && head < maxSize) return head + LLVMFuzzerMutate(data + head, size - head, maxSize - head);
    return LLVMFuzzerMutate(data, size, maxSize);
}
