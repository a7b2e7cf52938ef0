# Sourced, never run: the environment for running this project's Windows
# programs under Wine, plus helpers to check it and to create the prefix.
#
# VORPEX_BUILD_DIR selects the build folder whose throwaway prefix is used
# (default: build/win64 of this checkout). A user's own WINEPREFIX is ignored
# on purpose: tests must never touch a real Wine installation.

_vorpex_repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export VORPEX_BUILD_DIR="${VORPEX_BUILD_DIR:-$_vorpex_repo/build/win64}"
export WINEPREFIX="$VORPEX_BUILD_DIR/wineprefix"
export WINEDEBUG=-all
# Never offer to download Mono or Gecko, never add menu entries to the desktop.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
# A test that puts a stand-in for a system library beside itself names it here ("mapi32=n,b"), since
# Wine would otherwise load its own built-in one.
if [ -n "${VORPEX_WINE_DLL_OVERRIDES:-}" ]; then
    export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$VORPEX_WINE_DLL_OVERRIDES"
fi
# The C locale maps to Wine's English (US) locale, whose ANSI code page is
# 1252, the programs' code page. It exists on every glibc system, unlike
# en_US.UTF-8. The harness's CodePage tests check the result under Wine.
export LANG=C.UTF-8
export LC_ALL=C.UTF-8

# Debian keeps the 64-bit loader off the PATH, in Wine's library folder.
_vorpex_find_wine64() {
    local candidate
    for candidate in /usr/lib/wine/wine64 /usr/lib/x86_64-linux-gnu/wine/wine64; do
        [ -x "$candidate" ] && { echo "$candidate"; return; }
    done
    candidate="$(dpkg -L wine64 2>/dev/null | grep -m1 '/wine64$')"
    [ -n "$candidate" ] && [ -x "$candidate" ] && { echo "$candidate"; return; }
    command -v wine64 2>/dev/null
}
export WINE64="${WINE64:-$(_vorpex_find_wine64)}"
if [ -n "$WINE64" ] && [ -x "$(dirname "$WINE64")/wineserver" ]; then
    export WINESERVER="$(dirname "$WINE64")/wineserver"
else
    export WINESERVER="${WINESERVER:-$(command -v wineserver 2>/dev/null)}"
fi

# One-line reasons why Windows programs cannot run here; non-zero when so.
vorpex_wine_check_loader() {
    if [ -z "$WINE64" ] || [ ! -x "$WINE64" ]; then
        echo "error: Wine's 64-bit loader wine64 was not found (install the wine64 package: scripts/setup.sh)" >&2
        return 1
    fi
    if [ -z "$WINESERVER" ] || [ ! -x "$WINESERVER" ]; then
        echo "error: wineserver was not found beside $WINE64 (reinstall the wine64 package)" >&2
        return 1
    fi
}

vorpex_wine_check() {
    vorpex_wine_check_loader || return 1
    if [ -z "${DISPLAY:-}" ]; then
        echo "error: no X display (DISPLAY is unset); run under xvfb-run or from a desktop session" >&2
        return 1
    fi
}

# Creates the prefix once per build folder. Parallel callers wait on a lock;
# a half-made prefix (no stamp) is thrown away and made again.
vorpex_wine_ensure_prefix() {
    local stamp="$WINEPREFIX/.vorpex-ready"
    [ -f "$stamp" ] && return 0
    mkdir -p "$VORPEX_BUILD_DIR"
    (
        flock -w 600 9 || { echo "error: timed out waiting for another Wine prefix creation" >&2; exit 1; }
        [ -f "$stamp" ] && exit 0
        local log="$VORPEX_BUILD_DIR/wineprefix-setup.log"
        rm -rf "$WINEPREFIX"
        echo "Creating Wine prefix $WINEPREFIX (once per build folder)..." >&2
        if ! timeout 300 "$WINE64" wineboot -i >"$log" 2>&1 ||
           ! timeout 60 "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$log" 2>&1 ||
           ! timeout 120 "$WINESERVER" -w; then
            echo "error: creating the Wine prefix failed; see $log" >&2
            exit 1
        fi
        touch "$stamp"
    ) 9>"$VORPEX_BUILD_DIR/.wineprefix.lock"
}
