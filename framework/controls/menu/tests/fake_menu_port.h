// A menu port that keeps native menus as plain lists, so that tests can see what the classes put into them.
// Handles count from 7000; look-ups by command id search submenus too, as the platform's do.
#pragma once

#include <map>
#include <vector>

#include "framework/controls/menu/menu_port.h"

namespace vorpex::testing {

class FakeMenuPort final : public menu::MenuPort {
public:
    std::map<intptr_t, std::vector<menu::NativeItem>> menus;
    std::map<intptr_t, bool> popups;
    std::vector<intptr_t> barsDrawn;
    intptr_t next = 7000;

    FakeMenuPort() { menu::setMenuPort(this); }
    ~FakeMenuPort() override { menu::setMenuPort(nullptr); }

    std::vector<menu::NativeItem>* find(intptr_t h) {
        auto it = menus.find(h);
        return it == menus.end() ? nullptr : &it->second;
    }
    // The item with that command id in the menu or its submenus.
    menu::NativeItem* byId(intptr_t h, int64_t id) {
        auto* items = find(h);
        if (!items) return nullptr;
        for (auto& item : *items) {
            if (item.id == id) return &item;
            if (auto* inner = byId(item.subMenu, id)) return inner;
        }
        return nullptr;
    }
    std::vector<int64_t> ids(intptr_t h) {
        std::vector<int64_t> out;
        if (auto* items = find(h))
            for (const auto& item : *items) out.push_back(item.id);
        return out;
    }

    intptr_t create(bool popup) override {
        menus[next];
        popups[next] = popup;
        return next++;
    }
    bool destroy(intptr_t h) override { return menus.erase(h) > 0; }
    bool insert(intptr_t h, int64_t where, bool byPosition, const menu::NativeItem& item) override {
        auto* items = find(h);
        if (!items) return false;
        size_t at = items->size();
        if (byPosition) {
            if (where >= 0 && where < static_cast<int64_t>(items->size())) at = static_cast<size_t>(where);
        } else {
            at = items->size() + 1;
            for (size_t i = 0; i < items->size(); ++i)
                if ((*items)[i].id == where) at = i;
            if (at > items->size()) return false;
        }
        items->insert(items->begin() + static_cast<std::ptrdiff_t>(at), item);
        return true;
    }
    bool update(intptr_t h, int64_t which, bool byPosition, const menu::NativeItem& item) override {
        menu::NativeItem* target = nullptr;
        if (byPosition) {
            auto* items = find(h);
            if (items && which >= 0 && which < static_cast<int64_t>(items->size())) target = &(*items)[which];
        } else {
            target = byId(h, which);
        }
        if (!target) return false;
        *target = item;
        return true;
    }
    bool remove(intptr_t h, int64_t which, bool byPosition) override {
        auto* items = find(h);
        if (!items) return false;
        for (size_t i = 0; i < items->size(); ++i)
            if (byPosition ? static_cast<int64_t>(i) == which : (*items)[i].id == which) {
                items->erase(items->begin() + static_cast<std::ptrdiff_t>(i));
                return true;
            }
        return false;
    }
    void setStateBit(intptr_t h, int64_t id, int64_t bits, bool on) {
        if (auto* item = byId(h, id)) item->state = on ? (item->state | bits) : (item->state & ~bits);
    }
    void enable(intptr_t h, int64_t id, bool enabled) override { setStateBit(h, id, menu::kStateGrayed, !enabled); }
    void check(intptr_t h, int64_t id, bool checked) override { setStateBit(h, id, menu::kStateChecked, checked); }
    void hilite(intptr_t, intptr_t h, int64_t id, bool on) override { setStateBit(h, id, menu::kStateHilited, on); }
    void setDefault(intptr_t h, int64_t id) override { setStateBit(h, id, menu::kStateDefault, true); }
    int64_t state(intptr_t h, int64_t id) override {
        auto* item = byId(h, id);
        return item ? item->state : -1;
    }
    void drawMenuBar(intptr_t window) override { barsDrawn.push_back(window); }
};

}  // namespace vorpex::testing
