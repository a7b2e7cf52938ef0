#include "framework/controls/list/item_model.h"
#include "framework/core/native/value_readers.h"

#include <algorithm>

namespace vorpex::lists {

namespace {

using native::textOf;

}  // namespace

std::string ItemModel::windowText(const rt::Value& item) const {
    std::string text = textOf(item);
    if (kind_.trimLeading) {
        const size_t first = text.find_first_not_of(' ');
        text.erase(0, first == std::string::npos ? text.size() : first);
    }
    return text;
}

void ItemModel::reloadWhenSorted() {
    if (kind_.sorted && kind_.redraw) reload();
}

bool ItemModel::insert(std::optional<int64_t> position, const rt::Value& item) {
    // Without a window the model's own count decides, so an insertion before creation lands where asked.
    const int64_t count = port_.exists() ? port_.count() : static_cast<int64_t>(items_.size());
    const bool append = !position || *position > count;
    const int64_t at = append ? static_cast<int64_t>(items_.size()) + 1 : std::max<int64_t>(*position, 1);
    if (port_.exists()) {
        const int64_t answer = append ? port_.add(windowText(item)) : port_.insert(at - 1, windowText(item));
        if (answer == kError) return false;
    }
    items_.insert(items_.begin() + std::min<int64_t>(at - 1, static_cast<int64_t>(items_.size())), item);
    reloadWhenSorted();
    return true;
}

bool ItemModel::remove(int64_t position) {
    if (position < 1 || position > static_cast<int64_t>(items_.size())) return false;
    // The window answers first: a refusal leaves the model as it was.
    if (port_.exists() && port_.remove(position - 1) == kError) return false;
    items_.erase(items_.begin() + (position - 1));
    return true;
}

bool ItemModel::modify(int64_t position, const rt::Value& item) {
    if (!remove(position)) return false;
    return insert(position, item);
}

bool ItemModel::reset() {
    if (port_.exists() && port_.reset() == kError) return false;
    items_.clear();
    return true;
}

bool ItemModel::assign(const std::vector<rt::Value>& items) {
    if (!reset()) return false;
    const bool sorted = kind_.sorted;
    kind_.sorted = false;  // read back once at the end, not after every item
    for (const rt::Value& item : items) insert(std::nullopt, item);
    kind_.sorted = sorted;
    reloadWhenSorted();
    return true;
}

void ItemModel::reload() {
    if (!port_.exists()) return;
    items_.clear();
    for (std::string& text : port_.texts()) items_.emplace_back(std::move(text));
}

int64_t ItemModel::fillWindow() {
    if (!port_.exists()) return 0;
    int64_t added = 0;
    for (int64_t i = port_.count(); i < static_cast<int64_t>(items_.size()); ++i)
        if (port_.add(windowText(items_[static_cast<size_t>(i)])) != kError) ++added;
    reloadWhenSorted();
    return added;
}

std::vector<rt::Value> unwrapped(const std::vector<rt::Value>& items) {
    if (items.size() == 1 && items[0].isArray()) return items[0].asArray()->items;
    return items;
}

std::vector<int> tabStops(const std::vector<rt::Value>& stops) {
    std::vector<int> units;
    for (const rt::Value& stop : stops) units.push_back(static_cast<int>(stop.asInteger() * 4));
    return units;
}

}  // namespace vorpex::lists
