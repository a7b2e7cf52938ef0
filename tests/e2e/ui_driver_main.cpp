// vorpex_uidriver: runs a script of UI steps given as arguments, in order, and prints what it reads:
//
//   start <program>            start the program in the current folder
//   hold <file>                open the file as a program using it would (shared read/write), until the end
//   window <caption>           wait for the program's window with this caption; later steps act on it
//   click <text>               click the window's button with this text, then wait until the click is handled
//                              (or a dialog it opened is waiting)
//   answer <caption> <texts>   wait for the program's dialog with this caption, click its button with one of
//                              the texts ("Ignore|Ignorar"), wait until it is gone
//   label                      print "label: <text>" of the window's label
//   controls                   print "control: <class> <left>,<top>,<width>,<height> <text>" for every child of
//                              the window (bounds in its parent's client area); children are numbered in
//                              this order, from 0, for the steps below
//   text <n>                   print "text: <text>" of child n
//   until <n> <text>           wait until child n shows the text (work that lets its window repaint answers
//                              the other steps' waits before it ends)
//   key <n> <vk>               press and release the virtual key (a number) over child n
//   mouse <n> <x> <y>          left-click child n at a point of its client area
//   type <n> <text>            type the characters into child n
//   command <n> <id>           child n tells its parent that its item <id> was chosen (WM_COMMAND)
//   set <n> <text>             replace child n's text (WM_SETTEXT)
//                              each of these four then waits until the window has handled it
//   ready                      wait until the window takes input again (a job that disables it while it runs,
//                              such as an export, has ended), then until it has handled what was sent
//   close                      close the window with its close box (WM_CLOSE) and wait until it is gone
//   exit                       wait for the program to end, print "exit: <code>"
//
// Any step that fails prints "error: ..." and ends the driver with exit code 1 (the program is ended too).
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui_driver.h"

namespace {

class Script {
public:
    void run(int argc, char** argv) {
        for (int i = 1; i < argc; ++i) {
            const std::string step = argv[i];
            auto operand = [&]() -> std::string {
                if (i + 1 >= argc) throw std::runtime_error(step + ": operand missing");
                return argv[++i];
            };
            if (step == "start") start(operand());
            else if (step == "hold") hold(operand());
            else if (step == "window") window(operand());
            else if (step == "click") clickButton(operand());
            else if (step == "answer") { std::string caption = operand(); answer(caption, operand()); }
            else if (step == "label") print("label", e2e::textOf(label()));
            else if (step == "controls") controls();
            else if (step == "text") print("text", e2e::textOf(child(operand())));
            else if (step == "until") { HWND c = child(operand()); waitForText(c, operand()); }
            else if (step == "key") { HWND c = child(operand()); act([&] { e2e::pressKey(c, number(operand())); }); }
            else if (step == "mouse") {
                HWND c = child(operand());
                const int x = number(operand());
                act([&] { e2e::clickAt(c, x, number(operand())); });
            }
            else if (step == "type") { HWND c = child(operand()); act([&] { e2e::typeText(c, operand()); }); }
            else if (step == "set") { HWND c = child(operand()); act([&] { e2e::setText(c, operand()); }); }
            else if (step == "close") closeWindow();
            else if (step == "command") { HWND c = child(operand()); act([&] { e2e::sendCommand(c, number(operand())); }); }
            else if (step == "ready") ready();
            else if (step == "exit") waitExit();
            else throw std::runtime_error("unknown step " + step);
        }
    }
    ~Script() {
        if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
    }

private:
    void start(const std::string& path) { program_ = std::make_unique<e2e::Program>("\"" + e2e::windowsPath(path) + "\""); }

    void hold(const std::string& file) {
        held_ = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (held_ == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold " + file);
    }

    void window(const std::string& caption) {
        window_ = e2e::waitForWindow(running(), caption);
        if (!window_) throw std::runtime_error("no window \"" + caption + "\" appeared");
        e2e::settle(window_);
    }

    void clickButton(const std::string& text) {
        HWND button = e2e::findButton(current(), text);
        if (!button) throw std::runtime_error("no button \"" + text + "\"");
        e2e::click(button);
        // A click that closes the window (or ends the program) has nothing left to settle.
        if (!e2e::settle(window_) && IsWindow(window_))
            throw std::runtime_error("the window did not answer after clicking " + text);
    }

    void answer(const std::string& caption, const std::string& texts) {
        HWND button = e2e::waitForDialogButton(running(), caption, texts);
        if (!button) throw std::runtime_error("no dialog \"" + caption + "\" with a button " + texts + " appeared");
        HWND dialog = GetAncestor(button, GA_ROOT);
        e2e::click(button);
        if (!e2e::waitUntilGone(dialog)) throw std::runtime_error("dialog \"" + caption + "\" stayed open");
        // The work the dialog interrupted goes on; the window answers once it is done (or it closes).
        if (window_ && IsWindow(window_)) e2e::settle(window_);
    }

    void ready() {
        HWND w = current();
        if (!e2e::waitUntilEnabled(w) || (!e2e::settle(w) && IsWindow(w)))
            throw std::runtime_error("the window did not take input again");
    }

    void closeWindow() {
        HWND w = current();
        PostMessageA(w, WM_CLOSE, 0, 0);
        if (!e2e::waitUntilGone(w)) throw std::runtime_error("the window stayed open");
        window_ = nullptr;
    }

    HWND label() {
        HWND found = e2e::findLabel(current());
        if (!found) throw std::runtime_error("the window has no label");
        return found;
    }

    void controls() {
        for (HWND c : e2e::childrenOf(current()))
            print("control", e2e::classOf(c) + " " + e2e::boundsOf(c) + " " + e2e::textOf(c));
    }

    HWND child(const std::string& index) {
        const std::vector<HWND> all = e2e::childrenOf(current());
        const int n = number(index);
        if (n < 0 || n >= static_cast<int>(all.size())) throw std::runtime_error("no child " + index);
        return all[static_cast<size_t>(n)];
    }

    static void waitForText(HWND control, const std::string& text) {
        if (!e2e::waitForText(control, text))
            throw std::runtime_error("\"" + text + "\" did not appear; the control shows \"" + e2e::textOf(control) + "\"");
    }

    static int number(const std::string& text) {
        try {
            return std::stoi(text);
        } catch (const std::exception&) {
            throw std::runtime_error("not a number: " + text);
        }
    }

    // Runs an input step, then waits until the window has handled it.
    template <class Input>
    void act(Input&& input) {
        input();
        if (!e2e::settle(window_) && IsWindow(window_)) throw std::runtime_error("the window did not answer");
    }

    void waitExit() {
        DWORD code = 0;
        if (!running().waitExit(code)) throw std::runtime_error("the program did not end");
        print("exit", std::to_string(code));
    }

    const e2e::Program& running() const {
        if (!program_) throw std::runtime_error("no program started");
        return *program_;
    }
    HWND current() const {
        if (!window_ || !IsWindow(window_)) throw std::runtime_error("no window");
        return window_;
    }
    static void print(const char* what, const std::string& text) {
        std::printf("%s: %s\n", what, text.c_str());
        std::fflush(stdout);
    }

    std::unique_ptr<e2e::Program> program_;
    HWND window_ = nullptr;
    HANDLE held_ = INVALID_HANDLE_VALUE;
};

}  // namespace

int main(int argc, char** argv) {
    try {
        Script().run(argc, argv);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
}
