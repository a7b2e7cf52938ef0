// No mail library outside Windows: nothing loads, so every operation of the mail class answers .F.
#include "framework/dialogs/mail/mail_port.h"

namespace vorpex {

namespace {

class NoMailPort final : public MailPort {
public:
    intptr_t load() override { return 0; }
    void unload(intptr_t) override {}
    bool has(intptr_t, const char*) override { return false; }
    int64_t logon(intptr_t, const MailLogon&, intptr_t&) override { return -1; }
    int64_t logoff(intptr_t, intptr_t) override { return -1; }
    int64_t send(intptr_t, intptr_t, intptr_t, const MailMessage&, uint32_t) override { return -1; }
    bool installed() override { return false; }
};

}  // namespace

MailPort& platformMailPort() {
    static NoMailPort port;
    return port;
}

}  // namespace vorpex
