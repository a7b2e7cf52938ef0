// The work area's view of one NTX file: an order with scopes, a direction that can be flipped at run time,
// seeks, key numbers and maintenance from the area's change notifications. The table is reached only
// through the callbacks of OrderSource, so the order knows nothing about DBF files or work areas.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ntx_key.h"
#include "ntx_tree.h"
#include "runtime/rdd/order.h"

namespace rt::ntx {

class NtxBuilder;

struct OrderSource {
    std::function<Value()> key;        // the key expression evaluated on the area's buffered record
    std::function<bool()> condition;   // the FOR condition there; empty: every record
    // Loads each record into the buffer in record order and calls visit(recno), until visit answers false.
    std::function<void(const std::function<bool(uint32_t)>& visit)> forEach;
    std::function<uint32_t()> recordCount;
    // Set when the key can be built straight from a record image (rdd::RecordKey): the same bytes as `key`,
    // with the buffered record's image and the images of the whole table in record order, in bulk (until
    // visit answers false) to build it from.
    std::function<void(const char* record, std::string& out)> recordKey;
    std::function<const char*()> buffered;
    std::function<void(const std::function<bool(uint32_t, const char*)>& visit)> forEachImage;
};

struct OrderSpec {
    std::string path;        // the file: one order per file
    std::string bag;         // the bag name ORDBAGNAME answers; the file's when empty (temporary orders
                             // keep the bag their caller named while their file lives elsewhere)
    std::string name;        // tag name; the file's base name when empty
    std::string keyText;
    std::string forText;
    bool unique = false;
    bool descending = false;
    bool temporary = false;  // the file goes away with the order
    bool shared = false;
    bool readOnly = false;
    // Called every `progressEvery` records while the order is built (and once at the end).
    std::function<void(uint64_t done, uint64_t total)> progress;
    uint64_t progressEvery = 0;
    size_t sortMemory = size_t(256) << 20;
};

class NtxOrder : public rdd::Order {
public:
    // Builds the file from the table (every record, those meeting the FOR condition). Throws NtxError.
    static std::unique_ptr<NtxOrder> create(const OrderSpec& spec, OrderSource source);
    // Opens an existing file; `bind` turns the header's key and FOR texts into the source. A key whose size
    // differs from the file's is reported as a corrupt index. Throws NtxError.
    static std::unique_ptr<NtxOrder> open(const OrderSpec& spec,
                                          const std::function<OrderSource(const NtxHeader&)>& bind);
    ~NtxOrder() override;

    std::string name() const override { return name_; }
    std::string keyText() const override { return tree_->header().keyExpr; }
    std::string forText() const override { return tree_->header().forExpr; }
    std::string bagName() const override { return spec_.bag.empty() ? spec_.path : spec_.bag; }
    const std::string& path() const { return spec_.path; }
    bool descending() const override { return reversed_ != tree_->header().descending; }
    void setDescending(bool on) override;
    bool unique() const override { return tree_->header().unique; }
    bool temporary() const { return spec_.temporary; }
    // The file was left half-written by a process that stopped: navigation reports the corrupt-index error
    // and maintenance waits for the rebuild that repairs it.
    bool stale() const { return tree_->stale(); }
    // Throws the corrupt-index failure when stale.
    void requireInStep() const;
    const KeySpec& keySpec() const { return keySpec_; }
    NtxTree& tree() { return *tree_; }

    uint32_t first() override;
    uint32_t last() override;
    uint32_t next(uint32_t from) override;
    uint32_t previous(uint32_t from) override;
    rdd::SeekResult seek(const Value& key, bool softSeek, bool findLast) override;
    Value keyValue() override;

    uint32_t keyNo(uint32_t recno) override;
    uint32_t keyCount() override;
    uint32_t keyGoto(uint32_t position) override;

    void setScope(int which, const Value& key) override;
    Value scope(int which) const override;

    void beginUpdate() override;
    void beforeChange(uint32_t recno) override;
    void afterChange(uint32_t recno) override;
    void appended(uint32_t recno) override;
    void rebuild() override;
    // Rebuild reporting records done, counted from `base` (so several orders add up to one total).
    void rebuild(const std::function<void(uint64_t done)>& progress, uint64_t every);
    void flush() override;

private:
    NtxOrder() = default;
    struct Pending {
        uint32_t recno = 0;
        std::string key;
        bool member = false;  // the record is in the index under `key`
    };

    // Key and membership of the buffered record.
    std::string currentKey() const;
    bool keyFromRecord() const { return source_.recordKey && keySpec_.type == KeyType::Character; }
    // Feeds every key of the table to the builder; answers the records visited.
    uint64_t addKeys(NtxBuilder& b, const OrderSpec& spec);
    bool currentMember() const;
    void settlePending();
    // Before a read: the pending key goes in, and a shared file is marked whole when nothing else is pending.
    void settleForReading();
    // Shared: once no change is pending, the file is marked whole again (exclusive: at the next flush).
    void endUpdateWhenSettled();
    void build(const OrderSpec& spec);

    // The order as the area sees it: the file's order, or its reverse after ORDDESCEND.
    bool vFirst(NtxPosition& p);
    bool vLast(NtxPosition& p);
    bool vNext(NtxPosition& p);
    bool vPrev(NtxPosition& p);
    bool vSeek(NtxPosition& p, const std::string& prefix, bool strict);
    int vCompare(const std::string& key, const std::string& prefix) const;
    uint64_t vRank(NtxPosition& p);
    bool inScope(const NtxPosition& p) const;
    bool firstInScope(NtxPosition& p);
    bool lastInScope(NtxPosition& p);
    // Positions on the buffered record `recno`, or where it would be.
    bool locate(uint32_t recno, bool& exact);
    uint32_t answer(bool on, NtxPosition& p);
    // Throws the corrupt-index error for a key whose record number is not a record of the table.
    void requireRecord(uint32_t recno);

    OrderSpec spec_;
    OrderSource source_;
    std::unique_ptr<NtxTree> tree_;
    KeySpec keySpec_;
    std::string name_;
    bool reversed_ = false;
    std::optional<std::string> scopeTop_, scopeBottom_;
    Value scopeTopValue_, scopeBottomValue_;
    NtxPosition pos_;
    uint32_t knownRecords_ = 0;  // the table's record count when last read
    bool updating_ = false;      // between beginUpdate and the end of the changes it announced
    Pending changing_;
    Pending appended_;
    // Every appended record starts blank, so its key is the same each time unless the expressions look at
    // the record number; kept after the first evaluation.
    std::optional<Pending> blank_;
    bool blankCacheable() const;
};

}  // namespace rt::ntx
