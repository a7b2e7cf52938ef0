#include "framework/dialogs/mail/mail_port.h"

#include <utility>

namespace vorpex {

namespace {
MailPort*& installed() {
    static MailPort* port = nullptr;
    return port;
}
std::string& libraryFile() {
    static std::string file = "MAPI32.DLL";
    return file;
}
}  // namespace

MailPort& mailPort() { return installed() ? *installed() : platformMailPort(); }
void setMailPort(MailPort* port) { installed() = port; }

std::string setMailLibrary(std::string file) { return std::exchange(libraryFile(), std::move(file)); }
const std::string& mailLibrary() { return libraryFile(); }

}  // namespace vorpex
