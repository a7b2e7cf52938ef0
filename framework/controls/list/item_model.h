// The items of a combo box or list box, kept twice: in the object's array (the model) and in the window.
// Every change goes to both, the window first where it can refuse, so that the two never disagree; a sorting
// window is read back after each change so that positions agree. Positions are 1-based here and 0-based in
// the window. Platform-neutral: the window is reached through ListPort.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/core/value.h"

namespace vorpex::lists {

inline constexpr int64_t kError = -1;  // CB_ERR / LB_ERR

// The window of a list control; each call answers the window's answer (kError on a refusal).
class ListPort {
public:
    virtual ~ListPort() = default;
    virtual bool exists() const = 0;
    virtual int64_t count() = 0;
    virtual int64_t add(const std::string& text) = 0;
    virtual int64_t insert(int64_t index, const std::string& text) = 0;
    virtual int64_t remove(int64_t index) = 0;
    virtual int64_t reset() = 0;
    virtual std::vector<std::string> texts() = 0;
};

struct ListKind {
    bool trimLeading = false;  // the combo box sends its items without leading blanks
    bool sorted = false;       // the window orders the items itself
    bool redraw = true;        // a sorting window is read back only while drawing is on
};

class ItemModel {
public:
    ItemModel(std::vector<rt::Value>& items, ListPort& port, ListKind kind) : items_(items), port_(port), kind_(kind) {}

    // Appends when `position` is none or past the last item, else inserts before it. False when the window
    // refused (the model is left as it was).
    bool insert(std::optional<int64_t> position, const rt::Value& item);
    // False outside 1..count or when the window refused; nothing changes then.
    bool remove(int64_t position);
    // The item at `position` replaced by `item`, at the same place.
    bool modify(int64_t position, const rt::Value& item);
    // Empties both; false when the window refused.
    bool reset();
    // Replaces every item; false when the window refused to empty itself.
    bool assign(const std::vector<rt::Value>& items);
    // The model becomes what the window holds, in its order.
    void reload();
    // Items stored before the window existed are sent to it; answers how many were added.
    int64_t fillWindow();

    // The text sent to the window for an item.
    std::string windowText(const rt::Value& item) const;

private:
    void reloadWhenSorted();

    std::vector<rt::Value>& items_;
    ListPort& port_;
    ListKind kind_;
};

// A combo box's items given as a one-element array that holds the array of items.
std::vector<rt::Value> unwrapped(const std::vector<rt::Value>& items);
// Tab stops in dialog units for LB_SETTABSTOPS: each stop of the program's times 4.
std::vector<int> tabStops(const std::vector<rt::Value>& stops);

}  // namespace vorpex::lists
