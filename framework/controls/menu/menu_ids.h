// The command ids of menu items: one counter for the whole program, so that no two live items share an id.
// Items created without an id take the next one (the first is 1001); an item that took the last one issued
// gives it back when it goes, so that building and ending the same pop-up again and again does not use ids up.
#pragma once

#include <cstdint>

namespace vorpex::menu {

class MenuIds {
public:
    static constexpr int64_t kBase = 1000;

    int64_t issue() { return ++last_; }
    // Only an id this counter issued last goes back; an explicit id that happens to be equal stays taken.
    void giveBack(int64_t id) {
        if (id == last_ && last_ > kBase) --last_;
    }
    int64_t last() const { return last_; }

private:
    int64_t last_ = kBase;
};

MenuIds& menuIds();

}  // namespace vorpex::menu
