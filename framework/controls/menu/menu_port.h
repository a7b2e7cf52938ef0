// Everything the menu classes ask of the platform, behind one interface: the menu model (ids, item order,
// searches, states, styles) is tested natively over a stand-in, and the Windows build answers with real menus.
// Menus and windows cross as integers; 0 is none. Items are addressed by command id unless `byPosition` says
// a zero-based position. Every answer defaults to the neutral one, which is what a platform without menus gives.
#pragma once

#include <cstdint>
#include <string>

namespace vorpex::menu {

// Native item type and state bits the classes use.
inline constexpr int64_t kTypeOwnerDraw = 256, kTypeSeparator = 2048, kTypeRightJustify = 16384;
inline constexpr int64_t kStateGrayed = 3, kStateChecked = 8, kStateHilited = 128, kStateDefault = 4096;

// One native item as the classes describe it.
struct NativeItem {
    int64_t type = 0;
    int64_t state = 0;
    int64_t id = 0;
    intptr_t subMenu = 0;
    intptr_t checkedBitmap = 0, uncheckedBitmap = 0;
    std::string text;
};

// The parts of a native item record that an insertion or an update sets: state, type and data always; the id
// always on insertion and on an update only when it is not 0; the submenu and the check-mark bitmaps when given.
struct ItemMask {
    bool id = false, subMenu = false, checkMarks = false;
};
ItemMask itemMask(const NativeItem& item, bool insertion);

// An item of type exactly owner-draw is first written as text and then switched, so that it keeps its text.
inline bool writtenAsTextFirst(const NativeItem& item) { return item.type == kTypeOwnerDraw; }

class MenuPort {
public:
    virtual ~MenuPort() = default;

    virtual intptr_t create(bool /*popup*/) { return 0; }
    virtual bool destroy(intptr_t) { return false; }
    virtual bool insert(intptr_t /*menu*/, int64_t /*where*/, bool /*byPosition*/, const NativeItem&) { return false; }
    virtual bool update(intptr_t /*menu*/, int64_t /*which*/, bool /*byPosition*/, const NativeItem&) { return false; }
    virtual bool remove(intptr_t /*menu*/, int64_t /*which*/, bool /*byPosition*/) { return false; }
    virtual void enable(intptr_t /*menu*/, int64_t /*id*/, bool /*enabled*/) {}
    virtual void check(intptr_t /*menu*/, int64_t /*id*/, bool /*checked*/) {}
    virtual void hilite(intptr_t /*window*/, intptr_t /*menu*/, int64_t /*id*/, bool /*on*/) {}
    virtual void setDefault(intptr_t /*menu*/, int64_t /*id*/) {}
    virtual int64_t state(intptr_t /*menu*/, int64_t /*id*/) { return 0; }
    virtual void drawMenuBar(intptr_t /*window*/) {}
    virtual void arrowCursor() {}
};

// The port in use: the one installed by setMenuPort, else the platform's.
MenuPort& menuPort();
// Installs a port (tests); nullptr goes back to the platform's. The caller keeps it alive while installed.
void setMenuPort(MenuPort* port);
// Defined once per platform.
MenuPort& platformMenuPort();

}  // namespace vorpex::menu
