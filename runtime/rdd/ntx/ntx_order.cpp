#include "ntx_order.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "ntx_builder.h"
#include "ntx_error.h"
#include "runtime/rdd/failure.h"

namespace rt::ntx {

namespace {

int subCodeOf(int genCode) {
    switch (genCode) {
    case eg::Open: return rdd::sub::Open;
    case eg::Create: return rdd::sub::Create;
    case eg::Read: return rdd::sub::Read;
    case eg::Write: return rdd::sub::Write;
    case eg::DataType: return rdd::sub::DataType;
    case eg::DataWidth: return rdd::sub::DataWidth;
    case eg::ReadOnly: return rdd::sub::ReadOnly;
    default: return rdd::sub::Corruption;
    }
}

// The work area reports failures that travel as rdd::Failure; NTX failures become those at this boundary.
template <class F>
auto reported(F&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const NtxError& e) {
        Error err = e.toError();
        err.subCode = subCodeOf(e.genCode());
        throw rdd::Failure{err};
    }
}

std::string baseName(const std::string& path) { return std::filesystem::path(path).stem().string(); }

}  // namespace

std::unique_ptr<NtxOrder> NtxOrder::create(const OrderSpec& spec, OrderSource source) {
    return reported([&] {
        std::unique_ptr<NtxOrder> o(new NtxOrder());
        o->spec_ = spec;
        o->source_ = std::move(source);
        try {
            o->keySpec_ = keySpecOf(o->source_.key());
        } catch (NtxError& e) {
            throw NtxError(e.genCode(), spec.path, e.what());
        }
        o->name_ = spec.name.empty() ? baseName(spec.path) : spec.name;
        o->build(spec);
        return o;
    });
}

void NtxOrder::build(const OrderSpec& spec) {
    // The old file is replaced whole: nothing of it is written (a stop before the new header leaves a file
    // without one, which reads as damaged).
    if (tree_) tree_->abandon();
    tree_.reset();
    updating_ = false;
    knownRecords_ = 0;
    NtxHeader h = NtxHeader::forKey(keySpec_.size, keySpec_.decimals, spec.keyText, spec.forText, spec.unique,
                                    spec.descending);
    h.tagName = name_.substr(0, 10);
    NtxBuilder b(h, spec.sortMemory);
    const uint64_t done = addKeys(b, spec);
    if (spec.progress) spec.progress(done, source_.recordCount ? source_.recordCount() : 0);
    b.write(spec.path, spec.shared ? rdd::Share::Shared : rdd::Share::Exclusive);
    NtxTree::Options opt;
    opt.shared = spec.shared;
    opt.readOnly = spec.readOnly;
    tree_ = NtxTree::open(spec.path, opt);
    pos_ = {};
}

uint64_t NtxOrder::addKeys(NtxBuilder& b, const OrderSpec& spec) {
    const uint64_t total = source_.recordCount ? source_.recordCount() : 0;
    uint64_t done = 0;
    auto counted = [&] {
        ++done;
        if (spec.progress && spec.progressEvery && done % spec.progressEvery == 0) spec.progress(done, total);
        return true;
    };
    if (keyFromRecord() && source_.forEachImage && !source_.condition) {
        // Every record counts and its key comes from its bytes: the table is read in bulk, not record by record.
        std::string key;
        source_.forEachImage([&](uint32_t recno, const char* image) {
            source_.recordKey(image, key);
            key.resize(keySpec_.size, ' ');
            b.add(key, recno);
            return counted();
        });
        return done;
    }
    source_.forEach([&](uint32_t recno) {
        if (!source_.condition || source_.condition()) b.add(currentKey(), recno);
        return counted();
    });
    return done;
}

std::unique_ptr<NtxOrder> NtxOrder::open(const OrderSpec& spec,
                                         const std::function<OrderSource(const NtxHeader&)>& bind) {
    return reported([&] {
        std::unique_ptr<NtxOrder> o(new NtxOrder());
        o->spec_ = spec;
        NtxTree::Options opt;
        opt.shared = spec.shared;
        opt.readOnly = spec.readOnly;
        o->tree_ = NtxTree::open(spec.path, opt);
        const NtxHeader& h = o->tree_->header();
        o->source_ = bind(h);
        KeySpec k;
        try {
            k = keySpecOf(o->source_.key());
        } catch (NtxError& e) {
            throw NtxError(e.genCode(), spec.path, e.what());
        }
        if (k.size != h.keySize) throwCorrupt(spec.path, "key size does not match the key expression");
        k.decimals = h.keyDecimals;
        o->keySpec_ = k;
        o->spec_.keyText = h.keyExpr;
        o->spec_.forText = h.forExpr;
        o->spec_.unique = h.unique;
        o->spec_.descending = h.descending;
        o->name_ = spec.name.empty() ? baseName(spec.path) : spec.name;
        return o;
    });
}

NtxOrder::~NtxOrder() {
    try {
        if (tree_ && !stale()) settlePending();
        if (tree_) tree_->close();
    } catch (...) {
    }
    if (spec_.temporary) {
        std::error_code ec;
        std::filesystem::remove(spec_.path, ec);
    }
}

void NtxOrder::requireInStep() const {
    reported([&] {
        tree_->requireInStep();
        return 0;
    });
}

void NtxOrder::setDescending(bool on) { reversed_ = on != tree_->header().descending; }

// ---- the area's view ----

bool NtxOrder::vFirst(NtxPosition& p) { return reversed_ ? tree_->last(p) : tree_->first(p); }
bool NtxOrder::vLast(NtxPosition& p) { return reversed_ ? tree_->first(p) : tree_->last(p); }
bool NtxOrder::vNext(NtxPosition& p) { return reversed_ ? tree_->prev(p) : tree_->next(p); }
bool NtxOrder::vPrev(NtxPosition& p) { return reversed_ ? tree_->next(p) : tree_->prev(p); }

bool NtxOrder::vSeek(NtxPosition& p, const std::string& prefix, bool strict) {
    if (!reversed_) return tree_->seek(p, prefix, strict);
    // Reversed: the last entry of the file's order at (or strictly before) the prefix.
    bool on = tree_->seek(p, prefix, !strict);
    return on ? tree_->prev(p) : tree_->last(p);
}

int NtxOrder::vCompare(const std::string& key, const std::string& prefix) const {
    int c = tree_->comparePrefix(key, prefix);
    return reversed_ ? -c : c;
}

uint64_t NtxOrder::vRank(NtxPosition& p) {
    uint64_t r = tree_->rank(p);
    return reversed_ && r ? tree_->keyCount() - r + 1 : r;
}

bool NtxOrder::inScope(const NtxPosition& p) const {
    if (!p.valid()) return false;
    if (scopeTop_ && vCompare(p.key, *scopeTop_) < 0) return false;
    if (scopeBottom_ && vCompare(p.key, *scopeBottom_) > 0) return false;
    return true;
}

bool NtxOrder::firstInScope(NtxPosition& p) {
    bool on = scopeTop_ ? vSeek(p, *scopeTop_, false) : vFirst(p);
    return on && inScope(p);
}

bool NtxOrder::lastInScope(NtxPosition& p) {
    bool on;
    if (scopeBottom_) {
        on = vSeek(p, *scopeBottom_, true);
        on = on ? vPrev(p) : vLast(p);
    } else {
        on = vLast(p);
    }
    return on && inScope(p);
}

uint32_t NtxOrder::answer(bool on, NtxPosition& p) {
    if (on && scopeTop_ && vCompare(p.key, *scopeTop_) < 0) on = firstInScope(p);
    if (!on || !inScope(p)) {
        p.path.clear();
        pos_ = p;
        return 0;
    }
    requireRecord(p.recno);
    pos_ = p;
    return p.recno;
}

void NtxOrder::requireRecord(uint32_t recno) {
    // The table only grows while the order is open (PACK and ZAP rebuild it), so the count read once covers
    // most keys; a key past it makes the order read the count again, for records other handles appended.
    if ((recno != 0 && recno <= knownRecords_) || !source_.recordCount) return;
    knownRecords_ = source_.recordCount();
    if (recno == 0 || recno > knownRecords_)
        throwCorrupt(path(), "key for record " + std::to_string(recno) + " beyond the table's " +
                                 std::to_string(knownRecords_));
}

std::string NtxOrder::currentKey() const {
    if (!keyFromRecord()) return encodeKey(source_.key(), keySpec_);
    std::string key;
    source_.recordKey(source_.buffered(), key);
    key.resize(keySpec_.size, ' ');  // as encodeKey fits a character key
    return key;
}
bool NtxOrder::currentMember() const { return !source_.condition || source_.condition(); }

bool NtxOrder::locate(uint32_t recno, bool& exact) {
    if (pos_.valid() && pos_.recno == recno && pos_.generation == tree_->generation()) {
        exact = true;
        return true;
    }
    std::string key = currentKey();
    return tree_->seekEntry(pos_, key, recno, exact);
}

uint32_t NtxOrder::first() {
    return reported([&] {
        settleForReading();
        NtxPosition p;
        return answer(firstInScope(p), p);
    });
}

uint32_t NtxOrder::last() {
    return reported([&] {
        settleForReading();
        NtxPosition p;
        return answer(lastInScope(p), p);
    });
}

uint32_t NtxOrder::next(uint32_t from) {
    return reported([&] {
        settleForReading();
        bool exact = false;
        bool on = locate(from, exact);
        NtxPosition p = pos_;
        if (exact) {
            on = vNext(p);
        } else if (reversed_) {  // p is the file-order successor of where the record would be
            on = on ? tree_->prev(p) : tree_->last(p);
        }
        return answer(on, p);
    });
}

uint32_t NtxOrder::previous(uint32_t from) {
    return reported([&] {
        settleForReading();
        bool exact = false;
        bool on = locate(from, exact);
        NtxPosition p = pos_;
        if (exact)
            on = vPrev(p);
        else if (!reversed_)  // p is the file-order successor of where the record would be
            on = on ? tree_->prev(p) : tree_->last(p);
        if (on && scopeTop_ && vCompare(p.key, *scopeTop_) < 0) on = false;  // moving up past the scope: BOF
        return answer(on, p);
    });
}

rdd::SeekResult NtxOrder::seek(const Value& key, bool softSeek, bool findLast) {
    return reported([&] {
        settleForReading();
        const std::string prefix = encodeSeekKey(key, keySpec_);
        NtxPosition p;
        bool on = vSeek(p, prefix, findLast);
        bool found = false;
        if (findLast) {
            NtxPosition q = p;
            bool onq = on ? vPrev(q) : vLast(q);
            if (onq && vCompare(q.key, prefix) == 0) {
                p = q;
                on = found = true;
            }
        } else {
            found = on && vCompare(p.key, prefix) == 0;
        }
        if (found && !inScope(p)) found = false;
        rdd::SeekResult r;
        r.found = found;
        if (found || softSeek) r.recno = answer(on, p);
        else answer(false, p);
        return r;
    });
}

Value NtxOrder::keyValue() {
    return reported([&] { return decodeKey(currentKey(), keySpec_); });
}

uint32_t NtxOrder::keyNo(uint32_t recno) {
    return reported([&]() -> uint32_t {
        settleForReading();
        bool exact = false;
        locate(recno, exact);
        if (!exact || !inScope(pos_)) return 0;
        NtxPosition p = pos_;
        uint64_t r = vRank(p);
        if (scopeTop_) {
            NtxPosition f;
            if (!firstInScope(f)) return 0;
            r -= vRank(f) - 1;
        }
        return static_cast<uint32_t>(r);
    });
}

uint32_t NtxOrder::keyCount() {
    return reported([&]() -> uint32_t {
        settleForReading();
        if (!scopeTop_ && !scopeBottom_) return static_cast<uint32_t>(tree_->keyCount());
        NtxPosition f, l;
        if (!firstInScope(f) || !lastInScope(l)) return 0;
        uint64_t a = vRank(f), b = vRank(l);
        return b >= a ? static_cast<uint32_t>(b - a + 1) : 0;
    });
}

uint32_t NtxOrder::keyGoto(uint32_t position) {
    return reported([&]() -> uint32_t {
        settleForReading();
        NtxPosition p;
        if (position == 0) return answer(false, p);
        uint64_t base = 0;
        if (scopeTop_) {
            NtxPosition f;
            if (!firstInScope(f)) return answer(false, p);
            base = vRank(f) - 1;
        }
        uint64_t target = base + position;
        uint64_t count = tree_->keyCount();
        if (target > count) return answer(false, p);
        uint64_t fileRank = reversed_ ? count - target + 1 : target;
        return answer(tree_->gotoRank(p, fileRank), p);
    });
}

void NtxOrder::setScope(int which, const Value& key) {
    const Value& v = key.deref();
    std::optional<std::string> enc;
    if (!v.isNil()) enc = encodeSeekKey(v, keySpec_);
    if (which == 0) {
        scopeTop_ = enc;
        scopeTopValue_ = v;
    } else {
        scopeBottom_ = enc;
        scopeBottomValue_ = v;
    }
}

Value NtxOrder::scope(int which) const { return which == 0 ? scopeTopValue_ : scopeBottomValue_; }

// ---- maintenance ----

void NtxOrder::settlePending() {
    if (appended_.recno == 0) return;
    Pending a = appended_;
    appended_.recno = 0;
    if (a.member) tree_->insert(a.key, a.recno);
}

void NtxOrder::settleForReading() {
    settlePending();
    endUpdateWhenSettled();
}

bool NtxOrder::blankCacheable() const {
    auto mentionsRecno = [](std::string text) {
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text.find("RECNO") != std::string::npos;
    };
    return !mentionsRecno(keyText()) && !mentionsRecno(forText());
}

void NtxOrder::beginUpdate() {
    reported([&] {
        if (updating_ || stale()) return 0;
        tree_->beginChanges();
        updating_ = true;
        return 0;
    });
}

void NtxOrder::endUpdateWhenSettled() {
    if (!updating_ || !spec_.shared || appended_.recno != 0 || changing_.recno != 0) return;
    updating_ = false;
    tree_->endChanges();
}

void NtxOrder::appended(uint32_t recno) {
    reported([&] {
        if (stale()) return 0;
        settlePending();
        // The blank key is held back: a field assignment usually follows at once, and then only the final
        // key goes into the file.
        if (blank_) {
            appended_ = *blank_;
            appended_.recno = recno;
            return 0;
        }
        appended_ = {recno, currentKey(), currentMember()};
        if (blankCacheable()) blank_ = appended_;
        return 0;
    });
}

void NtxOrder::beforeChange(uint32_t recno) {
    reported([&] {
        if (stale()) return 0;
        if (appended_.recno == recno) {
            changing_ = {recno, {}, false};
            appended_.recno = 0;
            return 0;
        }
        settlePending();
        changing_ = {recno, currentKey(), currentMember()};
        return 0;
    });
}

void NtxOrder::afterChange(uint32_t recno) {
    reported([&] {
        if (stale()) return 0;
        settlePending();
        std::string key = currentKey();
        bool member = currentMember();
        if (changing_.recno != recno) {
            // No "before" seen: make sure the record is where its key says, at least.
            NtxPosition p;
            if (member && !tree_->find(p, key, recno)) tree_->insert(key, recno);
        } else {
            changing_.recno = 0;
            if (changing_.member != member || changing_.key != key) {
                if (changing_.member) tree_->remove(changing_.key, recno);
                if (member) tree_->insert(key, recno);
            }
        }
        endUpdateWhenSettled();
        return 0;
    });
}

void NtxOrder::rebuild() {
    reported([&] {
        appended_.recno = 0;
        changing_.recno = 0;
        OrderSpec s = spec_;
        s.progress = nullptr;
        build(s);
        return 0;
    });
}

void NtxOrder::rebuild(const std::function<void(uint64_t done)>& progress, uint64_t every) {
    reported([&] {
        appended_.recno = 0;
        changing_.recno = 0;
        OrderSpec s = spec_;
        s.progress = nullptr;
        if (progress) s.progress = [&](uint64_t done, uint64_t) { progress(done); };
        s.progressEvery = every;
        build(s);
        return 0;
    });
}

void NtxOrder::flush() {
    reported([&] {
        if (stale()) return 0;
        settlePending();
        if (updating_) {
            updating_ = false;
            tree_->endChanges();
        }
        tree_->flush();
        return 0;
    });
}

}  // namespace rt::ntx
