// XMapi: one mail message sent through the system's Simple MAPI library, loaded by name when the object is
// created so that a program runs without it: Logon, any number of Send, Logoff. Also reads and sets the default
// mail account of the internet account store in the registry. Without the library every operation answers .F.
// and leaves nLastError as it was. TMapi is its user class.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/object/component.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/dialogs/mail/mail_message.h"

namespace vorpex {

class XMapi : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // ([oParent]) -> Self, the library loaded
    VP_OVERRIDES(Destroy)    // frees the library
    VP_METHODS(Installed,        // () -> .T. when mapi32.dll is on the search path
               Logon,            // () -> .T. when the library logged on
               Logoff,           // () -> .T. when the session ended
               Send,             // () -> .T. when the library took the message
               AddReceipt,       // (cName, cAddress, [nClass = 1]) -> Self
               GetAccountNames,  // ([lSort]) -> the accounts' names
               GetAccount,       // () -> the default mail account's name
               SetAccount)       // (cName) -> the default account's name
    VP_PROTECTED(Initialize, Uninitialize)

    intptr_t hLib() const { return static_cast<intptr_t>(field(kLib).asInteger()); }
    bool lLoggedOn() const { return field(kLoggedOn).asLogical(); }
    intptr_t hSession() const { return static_cast<intptr_t>(field(kSession).asInteger()); }
    // The message Send hands the library, built from the properties (the date and time of now when unset).
    MailMessage message() const;

private:
    static inline int kName = -1, kPassword = -1, kFromName = -1, kFromAddress = -1, kSubject = -1, kMessage = -1,
                      kMsgType = -1, kConversation = -1, kDate = -1, kTime = -1, kReceipts = -1, kAttachments = -1,
                      kAccount = -1, kLastError = -1, kSession = -1, kLoggedOn = -1, kLib = -1, kLogonFlags = -1,
                      kSendFlags = -1;

    bool loaded() const { return hLib() >= 32; }
    // Whether the library has `function`; nLastError is untouched either way.
    bool offers(const char* function) const;
    intptr_t owner() const;
    std::string text(int field) const;
};

using TMapi = UserClass<XMapi, "TMapi">;

}  // namespace vorpex
