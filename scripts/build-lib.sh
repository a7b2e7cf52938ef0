# Sourced by test.sh and run.sh: configure and build one configuration.
#   native  host g++, platform-neutral libraries, their tests, host tools
#   win64   mingw-w64 x86_64, everything; tests run under Wine
#   win32   mingw-w64 i686, everything; compiled only
# Call from the repository root.

# VORPEX_JOBS caps the parallel jobs (several builds sharing one machine); read at each call, so
# `VORPEX_JOBS=3 vorpex_build ...` works as well as an exported value.
vorpex_jobs() { echo "${VORPEX_JOBS:-$(nproc 2>/dev/null || echo 2)}"; }

# vorpex_require <command>...: one-line error for the first one missing.
vorpex_require() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null && continue
        echo "error: $tool not found (scripts/setup.sh installs it on Debian 12)" >&2
        return 1
    done
}

vorpex_config_args() {
    case "$1" in
        native) ;;
        win64) echo "-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake" ;;
        win32) echo "-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake" ;;
        *) echo "error: unknown configuration $1" >&2; return 1 ;;
    esac
}

# Configures once per build folder; afterwards ninja re-runs CMake by itself
# whenever a CMakeLists.txt changes or a folder with one appears.
vorpex_configure() {
    local name="$1" dir="build/$1" log="build/configure-$1.log" args
    [ -f "$dir/build.ninja" ] && return 0
    args="$(vorpex_config_args "$name")" || return 1
    mkdir -p build
    # shellcheck disable=SC2086 # args holds zero or one word
    cmake -S . -B "$dir" -G Ninja $args >"$log" 2>&1 || { cat "$log" >&2; return 1; }
}

# vorpex_build <config> [targets...]: one-line error on failure.
vorpex_build() {
    local name="$1"; shift
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    echo "== build $name"
    vorpex_configure "$name" || { echo "error: configuring $name failed" >&2; return 1; }
    cmake --build "build/$name" --parallel "$(vorpex_jobs)" "${targets[@]}" -- --quiet ||
        { echo "error: build of $name failed" >&2; return 1; }
}
