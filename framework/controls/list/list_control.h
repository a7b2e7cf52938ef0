// What the combo box and the list box share on Windows: their window as a ListPort (the two differ only in
// message numbers), and the item and selection methods both classes bind.
#pragma once

#include <cstdint>
#include <string>

#include "framework/controls/list/item_model.h"
#include "framework/core/object/vp_class.h"

namespace vorpex {

class XStdControl;

namespace lists {

// The message numbers of one kind of list window.
struct ListMessages {
    unsigned add, insert, remove, reset, count, textLength, text, setCurSel, getCurSel, selectString, findString,
        findExact, setTopIndex, getTopIndex, setHorzExtent, getHorzExtent, dir, initStorage;
};
extern const ListMessages kComboMessages, kListBoxMessages;

class WindowListPort final : public ListPort {
public:
    WindowListPort(intptr_t window, const ListMessages& messages) : window_(window), m_(messages) {}
    bool exists() const override { return window_ != 0; }
    int64_t count() override;
    int64_t add(const std::string& text) override;
    int64_t insert(int64_t index, const std::string& text) override;
    int64_t remove(int64_t index) override;
    int64_t reset() override;
    std::vector<std::string> texts() override;
    std::string text(int64_t index);

private:
    intptr_t send(unsigned message, intptr_t wParam = 0, intptr_t lParam = 0);
    intptr_t window_;
    const ListMessages& m_;
};

// How one class keeps its items (static: the methods keep a reference to it): its messages, the positions of aItems, nIndex and its sort flag, and the
// texts it uses for an item not given.
struct ListTraits {
    const ListMessages* messages;
    const int* itemsField;
    const int* indexField;
    const int* sortField;
    const char* insertDefault;
    const char* modifyDefault;
    bool trimLeading;
};

// The window's answer to `message`, 0 without a window.
intptr_t sendTo(const XStdControl& control, unsigned message, intptr_t wParam = 0, intptr_t lParam = 0);
// InsertItem, AddItem, DeleteItem, ModifyItem, SetItems, DeleteItems, Reset, LoadFromControl, SetRedraw,
// GetItems, SetCurSel, GetCurSel, GetCount, FindString, FindStringEx, SetTopIndex, GetTopIndex, SetHorzExtent,
// GetHorzExtent, SetDir, InitStorage.
void addSharedListMethods(VPClass& b, const ListTraits& traits);

}  // namespace lists
}  // namespace vorpex
