// Scope guards for GDI work: whatever a drawing routine selects, clips, saves or makes is given back or
// deleted when the scope ends, on every path. Windows only.
#pragma once

#include <windows.h>

namespace vorpex::win {

// A GDI object the scope made, deleted at its end (after whatever a DC held was selected back).
template <typename H>
class Owned {
public:
    explicit Owned(H handle = nullptr) : handle_(handle) {}
    ~Owned() {
        if (handle_) DeleteObject(handle_);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    H handle_;
};

// An object selected into a DC for the scope; nothing happens for a null object.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~Selected() {
        if (previous_) SelectObject(dc_, previous_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Everything a routine changes in a DC (clipping, selected objects, colours, modes, viewport) is restored at
// the end of the scope.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
    ~SavedDC() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

// A clipping region for the scope; at its end the clipping is removed and the region deleted.
class Clipped {
public:
    Clipped(HDC dc, HRGN region) : dc_(dc), region_(region) {
        if (region_) SelectClipRgn(dc_, region_);
    }
    Clipped(HDC dc, const RECT& r) : Clipped(dc, CreateRectRgnIndirect(&r)) {}
    ~Clipped() {
        if (!region_) return;
        SelectClipRgn(dc_, nullptr);
        DeleteObject(region_);
    }
    Clipped(const Clipped&) = delete;
    Clipped& operator=(const Clipped&) = delete;

private:
    HDC dc_;
    HRGN region_;
};

// A memory DC compatible with the screen, holding one bitmap while it lives.
class MemoryDC {
public:
    explicit MemoryDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
        if (dc_ && bitmap) previous_ = SelectObject(dc_, bitmap);
    }
    ~MemoryDC() {
        if (previous_) SelectObject(dc_, previous_);
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return previous_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace vorpex::win
