#include "framework/core/window/message_methods.h"

#include <memory>
#include <unordered_map>

namespace vorpex {

namespace {

struct Resolved {
    MessageMethods methods;
    // A class that grows its method table may move its entries: the first entry's address and the size tell.
    const rt::Method* tableFront = nullptr;
    size_t tableSize = 0;
};

const rt::Method* frontOf(const rt::Class& cls) { return cls.methods().empty() ? nullptr : &cls.methods().front(); }

void resolve(const rt::Class& cls, Resolved& r) {
    r.methods = MessageMethods{};
    for (const MessageName& n : messageNames()) {
        if (r.methods.byMessage[n.number]) continue;  // an earlier name for the same number won
        r.methods.byMessage[n.number] = cls.find(rt::Symbol::intern(n.methodName));
    }
    r.methods.handleEvent = cls.find(rt::Symbol::intern("HandleEvent"));
    r.tableFront = frontOf(cls);
    r.tableSize = cls.methods().size();
}

}  // namespace

const MessageMethods& messageMethodsOf(const rt::Class& cls) {
    // Only the GUI thread dispatches messages, so the cache needs no lock.
    static std::unordered_map<const rt::Class*, std::unique_ptr<Resolved>> cache;
    auto& slot = cache[&cls];
    if (!slot) {
        slot = std::make_unique<Resolved>();
        resolve(cls, *slot);
    } else if (slot->tableFront != frontOf(cls) || slot->tableSize != cls.methods().size()) {
        resolve(cls, *slot);
    }
    return slot->methods;
}

}  // namespace vorpex
