// The few window operations that link bookkeeping needs, behind an interface so that the bookkeeping is tested
// natively with a fake and runs on Win32 through a thin wrapper. Handles and procedures cross as integers.
#pragma once

#include <cstdint>
#include <string_view>

namespace vorpex {

class WindowPort {
public:
    virtual ~WindowPort() = default;

    virtual intptr_t userData(intptr_t hWnd) = 0;
    virtual void setUserData(intptr_t hWnd, intptr_t value) = 0;
    virtual intptr_t procedure(intptr_t hWnd) = 0;
    virtual void setProcedure(intptr_t hWnd, intptr_t procedure) = 0;
    // Whether the window has the WS_CHILD style.
    virtual bool isChild(intptr_t hWnd) = 0;
    // The window procedure of a registered class (system classes first, then the program's), 0 when unknown.
    virtual intptr_t classProcedure(std::string_view className) = 0;

    // The framework's one window procedure, and the plain one that a detached window falls back to.
    virtual intptr_t frameworkProcedure() = 0;
    virtual intptr_t plainProcedure() = 0;
};

}  // namespace vorpex
