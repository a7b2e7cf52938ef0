#include "framework/core/word_list/word_list.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/native/native_args.h"

namespace vorpex {

namespace {

// Folded characters are 0..95; the end of a word needs a symbol of its own so that a byte folding to 0 (NUL,
// 128) cannot pass for it.
using Symbol = uint16_t;
constexpr Symbol kEnd = 0x100;

Symbol symbolAt(std::string_view rest, size_t pos) {
    return pos < rest.size() ? WordList::fold(static_cast<unsigned char>(rest[pos])) : kEnd;
}

size_t gLiveChains = 0;  // plain and constant-initialised: lists still held at exit may end after anything else

}  // namespace

// The rest of one word after the character that chose its root slot: one node per character, then the end
// node. Any node, the end included, may carry the chain to follow when the character compared there differs;
// words that share a beginning part at the node where they first differ.
struct WordList::Chain {
    struct Node {
        Symbol symbol;
        std::unique_ptr<Chain> alternative;
    };
    std::vector<Node> nodes;
    int64_t number;

    Chain(std::string_view rest, int64_t n) : number(n) {
        nodes.reserve(rest.size() + 1);
        for (size_t i = 0; i <= rest.size(); ++i) nodes.push_back({symbolAt(rest, i), nullptr});
        ++gLiveChains;
    }
    ~Chain() { --gLiveChains; }
};

// Where comparing a word's rest against the chains stopped: at the chain whose end it matched (the word is
// there), or at the differing node that has no alternative, with the position in the rest where it differed.
struct WordList::Walk {
    Chain* found = nullptr;
    Chain::Node* dead = nullptr;
    size_t pos = 0;
};

WordList::Walk WordList::walk(Chain* chain, std::string_view rest) {
    size_t node = 0;
    size_t pos = 0;
    while (chain) {
        Chain::Node& n = chain->nodes[node];
        const Symbol s = symbolAt(rest, pos);
        if (n.symbol == s) {
            if (s == kEnd) return {chain, nullptr, pos};
            ++node;  // a chain ends with its end node, so a matched character always has a successor
            ++pos;
            continue;
        }
        if (!n.alternative) return {nullptr, &n, pos};
        chain = n.alternative.get();
        node = 0;
    }
    return {};
}

WordList::~WordList() {
    // Iteratively, so that deeply nested alternatives cannot exhaust the stack: each chain gives up its
    // alternatives before it ends, and every chain ends exactly once.
    std::vector<std::unique_ptr<Chain>> pending;
    for (std::unique_ptr<Chain>& slot : root_)
        if (slot) pending.push_back(std::move(slot));
    while (!pending.empty()) {
        std::unique_ptr<Chain> chain = std::move(pending.back());
        pending.pop_back();
        for (Chain::Node& n : chain->nodes)
            if (n.alternative) pending.push_back(std::move(n.alternative));
    }
}

bool WordList::add(std::string_view word, int64_t number) {
    if (word.empty()) return false;
    std::unique_ptr<Chain>& slot = root_[fold(static_cast<unsigned char>(word[0]))];
    const std::string_view rest = word.substr(1);
    if (!slot) {
        slot = std::make_unique<Chain>(rest, number);
        return true;
    }
    const Walk w = walk(slot.get(), rest);
    if (w.found) return false;
    w.dead->alternative = std::make_unique<Chain>(rest.substr(w.pos), number);
    return true;
}

int64_t WordList::search(std::string_view word) const {
    if (word.empty()) return 0;
    const Walk w = walk(root_[fold(static_cast<unsigned char>(word[0]))].get(), word.substr(1));
    return w.found ? w.found->number : 0;
}

size_t WordList::liveChains() { return gLiveChains; }

namespace {

struct Registry {
    std::unordered_map<int64_t, std::unique_ptr<WordList>> lists;
    int64_t next = 1;
};

Registry& registry() {
    static Registry r;
    return r;
}

}  // namespace

int64_t createWordList() {
    Registry& r = registry();
    const int64_t handle = r.next++;
    r.lists.emplace(handle, std::make_unique<WordList>());
    return handle;
}

WordList* findWordList(int64_t handle) {
    if (handle == 0) return nullptr;
    const auto& lists = registry().lists;
    const auto it = lists.find(handle);
    return it == lists.end() ? nullptr : it->second.get();
}

bool freeWordList(int64_t handle) { return handle != 0 && registry().lists.erase(handle) > 0; }

namespace {

using native::Args;
using native::Value;

// A handle is a whole number; anything else (text, NIL, 2.5) is no handle at all.
int64_t handleOf(const Value& v) {
    if (!v.isNumber()) return 0;
    const rt::Number& n = v.asNumber();
    if (n.isInteger) return n.integer;
    return std::trunc(n.real) == n.real ? n.asInteger() : 0;
}

WordList* listArg(Args a) { return findWordList(handleOf(rt::arg(a, 0))); }

std::string_view textOf(const Value& v) {
    const Value& d = v.deref();
    return d.isString() ? std::string_view(d.asString()) : std::string_view();
}

// The row itself, or its element `column` when a column is asked for; anything that is not text is empty.
std::string_view wordInRow(const Value& row, int64_t column) {
    if (column == 0) return textOf(row);
    const Value& r = row.deref();
    if (!r.isArray() || column < 0) return {};
    return textOf(r.asArray()->at1(static_cast<size_t>(column)));
}

// The rows from nStart on, or nCount of them when there are that many; numbered from 1 in that order, an
// empty word using up its number.
void fill(WordList& list, const rt::Array& rows, Args a) {
    const int64_t start = std::max<int64_t>(native::intArg(a, 1, 1), 1);
    const int64_t remaining = std::max<int64_t>(static_cast<int64_t>(rows.size()) - start + 1, 0);
    const std::optional<int64_t> count = native::optionalInt(a, 2);
    const int64_t total = count && *count <= remaining ? std::max<int64_t>(*count, 0) : remaining;
    const int64_t column = native::intArg(a, 3);
    for (int64_t i = 0; i < total; ++i)
        list.add(wordInRow(rows.at1(static_cast<size_t>(start + i)), column), i + 1);
}

Value wlCreate(Args a) {
    const int64_t handle = createWordList();
    const Value& rows = rt::arg(a, 0);
    if (rows.isArray()) fill(*findWordList(handle), *rows.asArray(), a);
    return Value(handle);
}

Value wlAdd(Args a) {
    WordList* list = listArg(a);
    return Value(list != nullptr && list->add(textOf(rt::arg(a, 1)), native::intArg(a, 2)));
}

Value wlSearch(Args a) {
    const WordList* list = listArg(a);
    return Value(list ? list->search(textOf(rt::arg(a, 1))) : int64_t{0});
}

Value wlFree(Args a) {
    freeWordList(handleOf(rt::arg(a, 0)));
    return Value();
}

}  // namespace

void registerWordListFunctions() {
    native::registerCallable("VP_WLCREATE", wlCreate);
    native::registerCallable("VP_WLADD", wlAdd);
    native::registerCallable("VP_WLSEARCH", wlSearch);
    native::registerCallable("VP_WLFREE", wlFree);
}

}  // namespace vorpex
