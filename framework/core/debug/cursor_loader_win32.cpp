#include "framework/core/debug/cursor_loader.h"

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>

#include "framework/core/debug/cursor_group.h"
#include "framework/core/native/native_args.h"

namespace vorpex::win {

namespace {

constexpr UINT kGetCursorShadow = 0x101A;  // SPI_GETCURSORSHADOW
constexpr DWORD kIconVersion = 0x30000;

bool cursorShadowOn() {
    BOOL on = FALSE;
    return SystemParametersInfoA(kGetCursorShadow, 0, &on, 0) && on;
}

std::span<const uint8_t> resourceBytes(HINSTANCE instance, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(instance, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return {static_cast<const uint8_t*>(bytes), SizeofResource(instance, found)};
}

HCURSOR cursorFromGroup(HINSTANCE instance, LPCSTR name) {
    std::optional<uint16_t> id = pickCursorImage(resourceBytes(instance, name, RT_GROUP_CURSOR), cursorShadowOn());
    if (!id) return nullptr;
    std::span<const uint8_t> image = resourceBytes(instance, MAKEINTRESOURCEA(*id), RT_CURSOR);
    if (image.empty()) return nullptr;
    return reinterpret_cast<HCURSOR>(CreateIconFromResourceEx(const_cast<PBYTE>(image.data()),
                                                              static_cast<DWORD>(image.size()), FALSE,
                                                              kIconVersion, 0, 0, LR_DEFAULTSIZE));
}

}  // namespace

HCURSOR loadFrameworkCursor(HINSTANCE instance, LPCSTR name) {
    const bool systemCursor = !instance && IS_INTRESOURCE(name);
    if (!systemCursor) {
        // Built cursors are kept, one per resource, so that they behave like the shared images the rest of
        // the framework expects (never destroyed by their users, never made twice).
        static auto* built = new std::map<std::pair<HINSTANCE, std::string>, HCURSOR>;
        const std::string key = IS_INTRESOURCE(name)
                                    ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name))
                                    : std::string(name);
        if (auto it = built->find({instance, key}); it != built->end()) return it->second;
        if (HCURSOR h = cursorFromGroup(instance, name)) return built->emplace(std::pair{instance, key}, h).first->second;
    }
    return static_cast<HCURSOR>(LoadImageA(instance, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

}  // namespace vorpex::win

namespace vorpex {

void registerPlatformDebugFunctions() {
    native::registerCallable("LOADCURSORA", [](rt::Args a) -> rt::Value {
        auto instance = reinterpret_cast<HINSTANCE>(native::handleArg(a, 0));
        const rt::Value& name = rt::arg(a, 1);
        LPCSTR resource = name.isString() ? name.asString().c_str()
                                          : MAKEINTRESOURCEA(static_cast<WORD>(name.asInteger()));
        return rt::Value(reinterpret_cast<intptr_t>(win::loadFrameworkCursor(instance, resource)));
    });
}

}  // namespace vorpex
