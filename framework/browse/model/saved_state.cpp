#include "framework/browse/model/saved_state.h"

#include <algorithm>
#include <charconv>

namespace vorpex::browse {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

std::optional<int64_t> wholeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    int64_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return n;
}

struct Item {
    int64_t index = 0, width = 0;
    bool visible = true;
};

std::optional<Item> parseItem(std::string_view text) {
    const std::vector<std::string_view> fields = split(text, ':');
    if (fields.size() != 3 || (fields[2] != "S" && fields[2] != "H")) return std::nullopt;
    const auto index = wholeNumber(fields[0]), width = wholeNumber(fields[1]);
    if (!index || !width || *width < 0) return std::nullopt;
    return Item{*index, *width, fields[2] == "S"};
}

}  // namespace

std::string saveState(int64_t rowHeight, const std::vector<ColumnState>& columns) {
    std::string text = std::to_string(rowHeight);
    for (const ColumnState& c : columns)
        text += ";" + std::to_string(c.index) + ":" + std::to_string(c.width) + ":" + (c.visible ? "S" : "H");
    return text;
}

std::optional<RestoredState> restoreState(std::string_view text, const std::vector<ColumnState>& columns) {
    if (text.empty() || columns.empty()) return std::nullopt;
    const std::vector<std::string_view> items = split(text, ';');
    RestoredState out;
    out.rowHeight = std::max<int64_t>(wholeNumber(items[0]).value_or(0), 0);
    std::vector<ColumnState> updated = columns;
    std::vector<bool> listed(columns.size(), false);
    std::vector<size_t> order;
    bool complete = true;
    for (size_t i = 1; i <= columns.size(); ++i) {
        if (i >= items.size() || items[i].empty()) {
            complete = false;
            break;
        }
        const auto item = parseItem(items[i]);
        if (!item) continue;
        for (size_t c = 0; c < columns.size(); ++c) {
            if (columns[c].index != item->index || listed[c]) continue;
            listed[c] = true;
            updated[c].width = item->width;
            updated[c].visible = item->visible;
            order.push_back(c);
            break;
        }
    }
    if (complete) {
        for (size_t c = 0; c < columns.size(); ++c)
            if (!listed[c]) order.push_back(c);
    } else {
        order.clear();
        for (size_t c = 0; c < columns.size(); ++c) order.push_back(c);
    }
    for (size_t c : order) out.columns.push_back(updated[c]);
    out.order = std::move(order);
    return out;
}

}  // namespace vorpex::browse
