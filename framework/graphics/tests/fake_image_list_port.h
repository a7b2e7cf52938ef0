// An image list port that keeps lists as plain records: the images are the names (or bitmap numbers) they
// were made from, so that tests can see what a list holds. Names it knows as images: "glyph24" (a 24 by 24
// bitmap), "strip" (a 0 by 0 bitmap), "app.ico" (an icon file). Bitmap handles 500 and up are 16 by 16
// bitmaps; others are not bitmaps. A bitmap handle given to add is deleted, as the real list does; copies get
// handles from 5000 and show as the bitmap they copy. Its stream format is a 28-byte header "ILST..." and the images by name.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "framework/graphics/image_list/image_list_port.h"

namespace vorpex::testing {

class FakeImageListPort final : public gfx::ImageListPort {
public:
    struct List {
        int64_t width = 0, height = 0;
        std::vector<std::string> images;
    };
    std::map<intptr_t, List> lists;
    std::map<intptr_t, std::string> copies;  // copy handle -> the name of the bitmap it copies
    std::vector<intptr_t> deletedBitmaps;
    intptr_t nextBitmap = 5000;
    std::vector<std::string> calls;
    int64_t colorBits = 32;
    intptr_t next = 1000;

    FakeImageListPort() { gfx::setImageListPort(this); }
    ~FakeImageListPort() override { gfx::setImageListPort(nullptr); }

    List* find(intptr_t h) {
        auto it = lists.find(h);
        return it == lists.end() ? nullptr : &it->second;
    }

    int64_t screenColorBits() override { return colorBits; }
    intptr_t create(int64_t w, int64_t h, int64_t flags, int64_t initial, int64_t grow) override {
        calls.push_back("create " + std::to_string(w) + "x" + std::to_string(h) + " " + std::to_string(flags) + " " +
                        std::to_string(initial) + " " + std::to_string(grow));
        lists[next] = {w, h, {}};
        return next++;
    }
    bool destroy(intptr_t h) override {
        calls.push_back("destroy " + std::to_string(h));
        return lists.erase(h) > 0;
    }
    int64_t add(intptr_t h, const rt::Value& image, bool disabled) override {
        List* l = find(h);
        if (!l) return -1;
        std::string name;
        int64_t size = 0;
        if (image.isString() && (image.asString() == "glyph24" || image.asString() == "strip")) {
            name = image.asString();
            size = name == "glyph24" ? 24 : 0;
        } else if (image.isNumber() && liveBitmap(static_cast<intptr_t>(image.asInteger()))) {
            const auto h = static_cast<intptr_t>(image.asInteger());
            name = bitmapName(h);
            size = 16;
            deletedBitmaps.push_back(h);  // the list's to delete once added
        } else {
            return -1;
        }
        if (l->width == 1 && l->height == 1 && l->images.empty()) l->width = l->height = size ? size : 16;
        l->images.push_back(disabled ? name + " greyed" : name);
        return static_cast<int64_t>(l->images.size()) - 1;
    }
    bool liveBitmap(intptr_t h) const {
        return h >= 500 && std::find(deletedBitmaps.begin(), deletedBitmaps.end(), h) == deletedBitmaps.end();
    }
    std::string bitmapName(intptr_t h) const {
        auto it = copies.find(h);
        return it == copies.end() ? std::to_string(h) : it->second;
    }
    intptr_t copyBitmap(intptr_t h) override {
        if (!liveBitmap(h)) return 0;
        copies[nextBitmap] = bitmapName(h);
        return nextBitmap++;
    }
    void deleteBitmap(intptr_t h) override { deletedBitmaps.push_back(h); }

    int64_t addIcon(intptr_t h, const std::string& name, int64_t index, int64_t w, int64_t ht) override {
        calls.push_back("icon " + name + " " + std::to_string(index) + " " + std::to_string(w) + "x" +
                        std::to_string(ht));
        List* l = find(h);
        if (!l || name != "app.ico") return -1;
        l->images.push_back(name);
        return static_cast<int64_t>(l->images.size()) - 1;
    }
    int64_t addMasked(intptr_t h, const rt::Value& image, int64_t) override { return add(h, image, false); }
    bool remove(intptr_t h, int64_t index) override {
        List* l = find(h);
        if (!l) return false;
        if (index == -1) {
            l->images.clear();
            return true;
        }
        if (index < 0 || index >= static_cast<int64_t>(l->images.size())) return false;
        l->images.erase(l->images.begin() + index);
        return true;
    }
    int64_t count(intptr_t h) override {
        List* l = find(h);
        return l ? static_cast<int64_t>(l->images.size()) : 0;
    }
    std::optional<gfx::ImageSize> iconSize(intptr_t h) override {
        List* l = find(h);
        if (!l) return std::nullopt;
        return gfx::ImageSize{l->width, l->height};
    }
    bool setIconSize(intptr_t h, int64_t w, int64_t ht) override {
        List* l = find(h);
        if (!l) return false;
        *l = {w, ht, {}};  // the common controls' rule: a new size empties the list
        return true;
    }
    intptr_t icon(intptr_t h, int64_t index, int64_t) override {
        calls.push_back("get icon " + std::to_string(index));
        return index >= 0 && index < count(h) ? 77 : 0;
    }
    bool draw(intptr_t h, int64_t index, intptr_t, int64_t, int64_t, int64_t) override {
        calls.push_back("draw " + std::to_string(index));
        return find(h) != nullptr;
    }
    bool copy(intptr_t h, int64_t dst, int64_t src, bool swap) override {
        List* l = find(h);
        if (!l) return false;
        if (swap) std::swap(l->images[dst], l->images[src]);
        else l->images[dst] = l->images[src];
        return true;
    }

    static constexpr const char* kHeader = "ILST------------------------";  // 28 bytes
    std::optional<std::string> save(intptr_t h) override {
        List* l = find(h);
        if (!l) return std::nullopt;
        std::string bytes = kHeader;
        for (const auto& image : l->images) bytes += image + ";";
        return bytes;
    }
    intptr_t load(const std::string& bytes) override {
        if (bytes.rfind(kHeader, 0) != 0) return 0;
        List l{24, 24, {}};
        for (size_t at = 28, end; (end = bytes.find(';', at)) != std::string::npos; at = end + 1)
            l.images.push_back(bytes.substr(at, end - at));
        lists[next] = l;
        return next++;
    }
};

}  // namespace vorpex::testing
