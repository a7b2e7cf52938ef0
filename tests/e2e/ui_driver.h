// A small UI driver for end-to-end tests: starts a program, finds its windows by caption and its buttons by
// text, clicks them as a user would (BM_CLICK) and reads texts back. Every wait is bounded; the program runs
// in a process of its own, so a modal dialog it opens never blocks the driver.
#pragma once
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace e2e {

using std::chrono::milliseconds;
inline constexpr milliseconds kPatience{60000};

// A started program; ended by force when the object goes and it still runs.
class Program {
public:
    // Starts `commandLine` in the current folder; throws std::runtime_error when it cannot.
    explicit Program(const std::string& commandLine);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD id() const { return info_.dwProcessId; }
    bool running() const;
    // Waits for the end; false when it is still running after `patience`.
    bool waitExit(DWORD& exitCode, milliseconds patience = kPatience) const;

private:
    PROCESS_INFORMATION info_{};
};

// The program's visible top-level window with exactly this caption; null when none appears in time.
HWND waitForWindow(const Program& program, const std::string& caption, milliseconds patience = kPatience);
// The button with one of `texts` (as findButton) in a visible top-level window of the program with this
// caption. Another window can share the caption (a progress window still closing, the main form) and a
// message box's window can be seen before its buttons exist: so both are waited for together. Null when no
// such button appears in time.
HWND waitForDialogButton(const Program& program, const std::string& caption, const std::string& texts,
                         milliseconds patience = kPatience);
// Waits until the window is gone; false when it is still there after `patience`.
bool waitUntilGone(HWND window, milliseconds patience = kPatience);
// Waits until the window is enabled; false when it is still disabled (or gone) after `patience`.
bool waitUntilEnabled(HWND window, milliseconds patience = kPatience);

std::string textOf(HWND window);
// Waits until the window shows exactly this text; false when it does not within `patience`.
bool waitForText(HWND window, const std::string& text, milliseconds patience = kPatience);
std::string classOf(HWND window);
std::vector<HWND> childrenOf(HWND window);

// A child button (a window class with "Button" in its name) whose text, with its '&' accelerator marks removed, equals one of `texts` ('|' between
// alternatives, case-insensitive); null when there is none.
HWND findButton(HWND window, const std::string& texts);
// The first child that is a label (a window class with "Label" or "Static" in its name).
HWND findLabel(HWND window);

// Clicks the button without waiting for what the click starts.
void click(HWND button);
// The window's bounds in its parent's client area: "left,top,width,height".
std::string boundsOf(HWND window);
// A key pressed and released over the window (posted, as the keyboard would).
void pressKey(HWND window, UINT virtualKey);
// A left click at a point of the window's client area (posted).
void clickAt(HWND window, int x, int y);
// Replaces the window's text (sent, so it is in place when this returns).
void setText(HWND window, const std::string& text);
// Each character posted to the window as typed.
void typeText(HWND window, const std::string& text);
// The window's parent gets the WM_COMMAND a child control sends when one of its items is chosen.
void sendCommand(HWND control, int id);
// Returns once the window's thread has handled everything sent before (it answers WM_NULL), or when a modal
// loop started by that work is pumping messages; false when it did not answer in time.
bool settle(HWND window, milliseconds patience = kPatience);

// The path for a Windows program: a Unix path under Wine becomes its DOS path; anything else is returned as is.
std::string windowsPath(const std::string& path);

}  // namespace e2e
