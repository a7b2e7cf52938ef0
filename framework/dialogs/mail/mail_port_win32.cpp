// Simple MAPI loaded by name. The message's recipient and attachment records are allocated for the tables as
// given; texts the message leaves empty are passed as no text.
#include <windows.h>

#include <mapi.h>

#include <vector>

#include "framework/dialogs/mail/mail_port.h"

namespace vorpex {

namespace {

LPSTR textOrNull(const std::string& s) { return s.empty() ? nullptr : const_cast<LPSTR>(s.c_str()); }

template <class F>
F function(intptr_t library, const char* name) {
    if (library < 32) return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(library), name)));
}

ULONG_PTR ownerOrDesktop(intptr_t owner) {
    return owner ? static_cast<ULONG_PTR>(owner) : reinterpret_cast<ULONG_PTR>(GetDesktopWindow());
}

MapiRecipDesc recipientRecord(const MailRecipient& r) {
    MapiRecipDesc d{};
    d.ulRecipClass = static_cast<ULONG>(r.recipientClass);
    d.lpszName = textOrNull(r.name);
    d.lpszAddress = textOrNull(r.address);
    return d;
}

MapiFileDesc attachmentRecord(const MailAttachment& a) {
    MapiFileDesc d{};
    d.nPosition = static_cast<ULONG>(-1);  // not placed in the body
    d.lpszPathName = textOrNull(a.path);
    d.lpszFileName = textOrNull(a.shownName);
    return d;
}

class Win32MailPort final : public MailPort {
public:
    intptr_t load() override { return reinterpret_cast<intptr_t>(LoadLibraryA(mailLibrary().c_str())); }
    void unload(intptr_t library) override {
        if (library >= 32) FreeLibrary(reinterpret_cast<HMODULE>(library));
    }
    bool has(intptr_t library, const char* name) override { return function<FARPROC>(library, name) != nullptr; }

    int64_t logon(intptr_t library, const MailLogon& l, intptr_t& session) override {
        auto fn = function<LPMAPILOGON>(library, "MAPILogon");
        if (!fn) return MAPI_E_FAILURE;
        LHANDLE handle = 0;
        const ULONG result = fn(ownerOrDesktop(l.owner), textOrNull(l.profile), textOrNull(l.password), l.flags, 0,
                                &handle);
        session = static_cast<intptr_t>(handle);
        return result;
    }

    int64_t logoff(intptr_t library, intptr_t session) override {
        auto fn = function<LPMAPILOGOFF>(library, "MAPILogoff");
        return fn ? fn(static_cast<LHANDLE>(session), 0, 0, 0) : MAPI_E_FAILURE;
    }

    int64_t send(intptr_t library, intptr_t session, intptr_t owner, const MailMessage& m, uint32_t flags) override {
        auto fn = function<LPMAPISENDMAIL>(library, "MAPISendMail");
        if (!fn) return MAPI_E_FAILURE;
        MapiRecipDesc originator = recipientRecord(m.originator);
        std::vector<MapiRecipDesc> recipients;
        for (const MailRecipient& r : m.recipients) recipients.push_back(recipientRecord(r));
        std::vector<MapiFileDesc> files;
        for (const MailAttachment& a : m.attachments) files.push_back(attachmentRecord(a));
        MapiMessage message{};
        message.lpszSubject = textOrNull(m.subject);
        message.lpszNoteText = textOrNull(m.note);
        message.lpszMessageType = textOrNull(m.messageType);
        message.lpszDateReceived = textOrNull(m.date);
        message.lpszConversationID = textOrNull(m.conversationId);
        message.lpOriginator = &originator;
        message.nRecipCount = static_cast<ULONG>(recipients.size());
        message.lpRecips = recipients.empty() ? nullptr : recipients.data();
        message.nFileCount = static_cast<ULONG>(files.size());
        message.lpFiles = files.empty() ? nullptr : files.data();
        return fn(static_cast<LHANDLE>(session), ownerOrDesktop(owner), &message, flags, 0);
    }

    bool installed() override {
        char path[MAX_PATH];
        return SearchPathA(nullptr, "mapi32.dll", nullptr, sizeof path, path, nullptr) != 0;
    }
};

}  // namespace

MailPort& platformMailPort() {
    static Win32MailPort port;
    return port;
}

}  // namespace vorpex
