// An in-memory registry with the system's answers for what the registry class relies on: names compared
// without case, subkeys listed in name order, values in the order they were made, a key with subkeys that
// cannot be deleted, numbers that are not live keys refused, no remote machines.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "framework/dialogs/registry/registry_port.h"

namespace vorpex::dialogs::testing {

class FakeRegistry : public RegistryPort {
public:
    int64_t open(int64_t parent, const std::string& subKey, int64_t, int64_t& key) override {
        Node* from = node(parent);
        if (!from) return kRegInvalidHandle;
        Node* found = walk(*from, subKey, false);
        if (!found) return kRegNotFound;
        return handOut(found, key);
    }
    int64_t create(int64_t parent, const std::string& subKey, const std::string&, int64_t, int64_t,
                   int64_t& key) override {
        Node* from = node(parent);
        if (!from) return kRegInvalidHandle;
        return handOut(walk(*from, subKey, true), key);
    }
    int64_t connect(const std::string&, int64_t, int64_t&) override { return 53; }  // network path not found
    int64_t close(int64_t key) override { return handles_.erase(key) ? kRegSuccess : kRegInvalidHandle; }
    int64_t deleteKey(int64_t key, const std::string& subKey) override {
        Node* from = node(key);
        if (!from) return kRegInvalidHandle;
        auto slash = subKey.rfind('\\');
        Node* parent = slash == std::string::npos ? from : walk(*from, subKey.substr(0, slash), false);
        const std::string last = slash == std::string::npos ? subKey : subKey.substr(slash + 1);
        if (!parent) return kRegNotFound;
        auto it = parent->keys.find(folded(last));
        if (it == parent->keys.end()) return kRegNotFound;
        if (!it->second->keys.empty()) return 5;  // access denied
        parent->keys.erase(it);
        return kRegSuccess;
    }
    int64_t deleteValue(int64_t key, const std::string& name) override {
        Node* n = node(key);
        if (!n) return kRegInvalidHandle;
        auto it = findValue(*n, name);
        if (it == n->values.end()) return kRegNotFound;
        n->values.erase(it);
        return kRegSuccess;
    }
    int64_t subKeys(int64_t key, std::vector<std::string>& names) override {
        Node* n = node(key);
        if (!n) return kRegInvalidHandle;
        for (auto& [folded, child] : n->keys) names.push_back(child->name);
        return kRegSuccess;
    }
    int64_t valueNames(int64_t key, std::vector<std::string>& names) override {
        Node* n = node(key);
        if (!n) return kRegInvalidHandle;
        for (auto& [name, value] : n->values) names.push_back(name);
        return kRegSuccess;
    }
    int64_t read(int64_t key, const std::string& name, RegValue& value) override {
        Node* n = node(key);
        if (!n) return kRegInvalidHandle;
        auto it = findValue(*n, name);
        if (it == n->values.end()) return kRegNotFound;
        value = it->second;
        return kRegSuccess;
    }
    int64_t write(int64_t key, const std::string& name, const RegValue& value) override {
        Node* n = node(key);
        if (!n) return kRegInvalidHandle;
        auto it = findValue(*n, name);
        if (it != n->values.end())
            it->second = value;
        else
            n->values.emplace_back(name, value);
        return kRegSuccess;
    }
    int64_t flush(int64_t key) override { return node(key) ? kRegSuccess : kRegInvalidHandle; }

    size_t openKeys() const { return handles_.size(); }

private:
    struct Node {
        std::string name;
        std::map<std::string, std::shared_ptr<Node>> keys;  // by folded name
        std::vector<std::pair<std::string, RegValue>> values;
    };

    static std::string folded(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    }

    // A key deleted while open keeps its node alive here but is no longer reachable from the root.
    Node* node(int64_t key) {
        if (isRegistryRoot(key)) return &roots_[key];
        auto it = handles_.find(key);
        return it == handles_.end() ? nullptr : it->second.get();
    }

    Node* walk(Node& from, const std::string& path, bool make) {
        Node* at = &from;
        std::istringstream parts(path);
        for (std::string part; std::getline(parts, part, '\\');) {
            if (part.empty()) continue;
            auto& child = at->keys[folded(part)];
            if (!child) {
                if (!make) {
                    at->keys.erase(folded(part));
                    return nullptr;
                }
                child = std::make_shared<Node>(Node{part, {}, {}});
            }
            at = child.get();
        }
        return at;
    }

    std::shared_ptr<Node> shared(Node* n) {
        // Every node but a root is owned by its parent's map; find it to share ownership with the handle.
        for (auto& [root, top] : roots_)
            if (auto found = find(top, n)) return found;
        return nullptr;
    }
    static std::shared_ptr<Node> find(Node& at, Node* wanted) {
        for (auto& [folded, child] : at.keys) {
            if (child.get() == wanted) return child;
            if (auto found = find(*child, wanted)) return found;
        }
        return nullptr;
    }

    int64_t handOut(Node* n, int64_t& key) {
        key = next_++;
        // A root opened with an empty path stays a root: alias it without ownership.
        std::shared_ptr<Node> owned = shared(n);
        handles_[key] = owned ? owned : std::shared_ptr<Node>(n, [](Node*) {});
        return kRegSuccess;
    }

    std::vector<std::pair<std::string, RegValue>>::iterator findValue(Node& n, const std::string& name) {
        return std::find_if(n.values.begin(), n.values.end(),
                            [&](const auto& v) { return folded(v.first) == folded(name); });
    }

    std::map<int64_t, Node> roots_;
    std::map<int64_t, std::shared_ptr<Node>> handles_;
    int64_t next_ = 0x1000;
};

}  // namespace vorpex::dialogs::testing
