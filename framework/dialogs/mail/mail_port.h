// Everything the mail class asks of the platform: the Simple MAPI library loaded by name and its three calls.
// Tests install a recording port natively; the Windows port loads the library and copies the message into the
// library's records. Result codes are the library's (0 = success).
#pragma once

#include <cstdint>
#include <string>

#include "framework/dialogs/mail/mail_message.h"

namespace vorpex {

struct MailLogon {
    intptr_t owner = 0;  // 0: the desktop
    std::string profile, password;  // empty: passed as no text
    uint32_t flags = 0;
};

class MailPort {
public:
    virtual ~MailPort() = default;
    // The library's handle; below 32 when it could not be loaded.
    virtual intptr_t load() = 0;
    virtual void unload(intptr_t library) = 0;
    virtual bool has(intptr_t library, const char* function) = 0;
    virtual int64_t logon(intptr_t library, const MailLogon& logon, intptr_t& session) = 0;
    virtual int64_t logoff(intptr_t library, intptr_t session) = 0;
    virtual int64_t send(intptr_t library, intptr_t session, intptr_t owner, const MailMessage& message,
                         uint32_t flags) = 0;
    // Whether the library is on the system's search path.
    virtual bool installed() = 0;
};

// The port in use: the one installed by setMailPort, else the platform's.
MailPort& mailPort();
// Installs a port (tests); nullptr goes back to the platform's. The caller keeps it alive while installed.
void setMailPort(MailPort* port);
MailPort& platformMailPort();

// The library's file name, "MAPI32.DLL" unless a test names another; returns the previous one.
std::string setMailLibrary(std::string file);
const std::string& mailLibrary();

}  // namespace vorpex
