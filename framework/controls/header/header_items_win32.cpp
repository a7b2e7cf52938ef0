#include "framework/controls/header/header_items.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "framework/core/native/native_args.h"
#include "framework/core/native/win_casts.h"

namespace vorpex::header {

namespace {

using native::Args;
using native::Value;

using native::number;
using win::toHwnd;
bool usable(intptr_t window, int64_t position) { return window && IsWindow(toHwnd(window)) && position >= 1; }

constexpr int kFilterLength = 256;

bool readItem(intptr_t window, int64_t position, HDITEMA& item) {
    return usable(window, position) &&
           SendMessageA(toHwnd(window), HDM_GETITEMA, static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&item));
}

int64_t writeItem(intptr_t window, int64_t position, HDITEMA& item) {
    if (!usable(window, position)) return 0;
    return SendMessageA(toHwnd(window), HDM_SETITEMA, static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&item)) + 1;
}

}  // namespace

int64_t insertItem(intptr_t window, int64_t position, const ItemSpec& spec) {
    if (!window || !IsWindow(toHwnd(window))) return 0;
    std::string text = spec.text, filter = spec.filter;
    HD_TEXTFILTERA textFilter{filter.data(), kFilterLength};
    HDITEMA item{};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_ORDER;
    item.cxy = static_cast<int>(spec.width);
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    item.fmt = static_cast<int>(header::itemFormat(spec.alignment, spec.image != 0, spec.sort));
    item.iOrder = static_cast<int>(std::max<int64_t>(position, 1) - 1);
    if (spec.image) {
        item.mask |= HDI_IMAGE;
        item.iImage = static_cast<int>(spec.image - 1);
    }
    if (!filter.empty()) {
        item.mask |= HDI_FILTER;
        item.type = HDFT_ISSTRING;
        item.pvFilter = &textFilter;
    }
    const LRESULT answer = SendMessageA(toHwnd(window), HDM_INSERTITEMA, static_cast<WPARAM>(std::max<int64_t>(position, 1) - 1),
                                        reinterpret_cast<LPARAM>(&item));
    return answer + 1;
}

int64_t setItem(intptr_t window, int64_t position, const ItemChange& change) {
    HDITEMA current{};
    current.mask = HDI_FORMAT;
    HDITEMA item{};
    std::string text = change.text.value_or(""), filter = change.filter.value_or("");
    HD_TEXTFILTERA textFilter{filter.data(), kFilterLength};
    if (!text.empty()) {
        item.mask |= HDI_TEXT;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
    }
    if (change.alignment || change.image) {
        // The format is rebuilt from the item's own, so the sort arrow and the other bits stay.
        int64_t format = (readItem(window, position, current) ? current.fmt : 0) | kFmtString;
        if (change.alignment) format = withAlignment(format, *change.alignment);
        if (change.image) format = *change.image ? (format | kFmtImage) : (format & ~kFmtImage);
        item.mask |= HDI_FORMAT;
        item.fmt = static_cast<int>(format);
    }
    if (change.width) {
        item.mask |= HDI_WIDTH;
        item.cxy = static_cast<int>(*change.width);
    }
    if (change.image) {
        item.mask |= HDI_IMAGE;
        item.iImage = static_cast<int>(*change.image - 1);
    }
    if (change.order) {
        item.mask |= HDI_ORDER;
        item.iOrder = static_cast<int>(*change.order - 1);
    }
    if (!filter.empty()) {
        item.mask |= HDI_FILTER;
        item.type = HDFT_ISSTRING;
        item.pvFilter = &textFilter;
    }
    return writeItem(window, position, item);
}

int64_t itemWidth(intptr_t window, int64_t position) {
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    return readItem(window, position, item) ? item.cxy : -1;
}

int64_t itemOrder(intptr_t window, int64_t position) {
    HDITEMA item{};
    item.mask = HDI_ORDER;
    return readItem(window, position, item) ? item.iOrder + 1 : -1;
}

int64_t itemFormat(intptr_t window, int64_t position) {
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    return readItem(window, position, item) ? item.fmt : -1;
}

int64_t setItemSort(intptr_t window, int64_t position, int64_t sort) {
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    if (!readItem(window, position, item)) return 0;
    item.fmt = static_cast<int>(withSort(item.fmt, sort));
    return writeItem(window, position, item);
}

std::optional<Box> itemRect(intptr_t window, int64_t position) {
    RECT r{};
    if (!usable(window, position) ||
        !SendMessageA(toHwnd(window), HDM_GETITEMRECT, static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&r)))
        return std::nullopt;
    return Box{r.left, r.top, r.right, r.bottom};
}

void setItemFilter(intptr_t window, int64_t position, const std::string& filter) {
    if (!usable(window, position)) return;
    if (filter.empty()) {
        SendMessageA(toHwnd(window), HDM_CLEARFILTER, static_cast<WPARAM>(position - 1), 0);
        return;
    }
    ItemChange change;
    change.filter = filter;
    setItem(window, position, change);
}

std::optional<std::string> itemFilter(intptr_t window, int64_t position) {
    // A control that fills the filter in overwrites the mark; one that keeps no filters leaves it.
    constexpr char kUntouched = '\x01';
    std::vector<char> buffer(kFilterLength + 1, kUntouched);
    buffer.back() = '\0';
    HD_TEXTFILTERA textFilter{buffer.data(), kFilterLength};
    HDITEMA item{};
    item.mask = HDI_FILTER;
    item.type = HDFT_ISSTRING;
    item.pvFilter = &textFilter;
    if (!readItem(window, position, item) || (item.type & 0x0F) != HDFT_ISSTRING) return std::nullopt;
    if (item.type & HDFT_HASNOVALUE) return std::string();  // a filter the user cleared
    if (buffer.front() == kUntouched) return std::nullopt;
    return std::string(buffer.data());
}

namespace {

std::optional<std::string> textGiven(Args a, size_t i) {
    const std::string* t = native::textArg(a, i);
    return t ? std::optional<std::string>(*t) : std::nullopt;
}

}  // namespace

void registerHeaderFunctions() {
    native::registerCallable("XHEADER_ITEMINSERT", [](Args a) {
        ItemSpec spec{native::textOr(a, 2), native::intArg(a, 3), native::intArg(a, 4, 50), native::intArg(a, 5),
                      native::intArg(a, 6), native::textOr(a, 7)};
        return number(insertItem(native::handleArg(a, 0), native::intArg(a, 1), spec));
    });
    native::registerCallable("XHEADER_ITEMSET", [](Args a) {
        const ItemChange change{textGiven(a, 2), native::optionalInt(a, 3), native::optionalInt(a, 4),
                                native::optionalInt(a, 5), native::optionalInt(a, 6), textGiven(a, 7)};
        return number(setItem(native::handleArg(a, 0), native::intArg(a, 1), change));
    });
    native::registerCallable("XHEADER_ITEMWIDTH", [](Args a) {
        return number(itemWidth(native::handleArg(a, 0), native::intArg(a, 1)));
    });
    native::registerCallable("XHEADER_ITEMORDER", [](Args a) {
        return number(itemOrder(native::handleArg(a, 0), native::intArg(a, 1)));
    });
    native::registerCallable("XHEADER_ITEMSORT", [](Args a) {
        return number(setItemSort(native::handleArg(a, 0), native::intArg(a, 1), native::intArg(a, 2)));
    });
    native::registerCallable("XHEADER_ITEMRECT", [](Args a) -> Value {
        const auto r = itemRect(native::handleArg(a, 0), native::intArg(a, 1));
        if (!r) return {};
        return Value::array({number(r->left), number(r->top), number(r->right), number(r->bottom)});
    });
    native::registerCallable("XHEADER_ITEMFILTER", [](Args a) -> Value {
        const intptr_t window = native::handleArg(a, 0);
        const int64_t position = native::intArg(a, 1);
        if (const std::string* filter = native::textArg(a, 2)) {
            setItemFilter(window, position, *filter);
            return {};
        }
        return Value(itemFilter(window, position).value_or(""));
    });
}

}  // namespace vorpex::header
