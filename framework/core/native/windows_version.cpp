#include "framework/core/native/windows_version.h"

namespace vorpex {

namespace {
WindowsVersionSource& source() {
    static WindowsVersionSource s;
    return s;
}
}  // namespace

WindowsVersionSource setWindowsVersionSource(WindowsVersionSource s) {
    WindowsVersionSource previous = std::move(source());
    source() = std::move(s);
    return previous;
}

WindowsVersion windowsVersion() { return source() ? source()() : systemWindowsVersion(); }

rt::Value versionArray(const WindowsVersion& v) {
    const double number = v.major + v.minor / 100.0;
    return rt::Value::array({rt::Value::number(number, -1, 2), static_cast<int64_t>(v.build & 0xFFFF),
                             static_cast<int64_t>(v.platformId), v.servicePack});
}

}  // namespace vorpex
