// A tiny program for the process tests: exits with code 7, after the named event is signalled when one is
// given (so a test decides when it ends; the wait is capped so a failed test leaves nothing behind).
#include <windows.h>

int main(int argc, char** argv) {
    if (argc > 1) {
        HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, argv[1]);
        if (event) {
            WaitForSingleObject(event, 60000);
            CloseHandle(event);
        }
    }
    return 7;
}
