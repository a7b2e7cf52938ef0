// A mail message as Simple MAPI takes it, built from the mail object's properties: platform-neutral, so its
// rules (who a recipient is, the date text, what an entry of the tables becomes) are tested natively, and the
// Windows port only copies it into the library's records. Tables hold what was given, however many entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/core/value.h"

namespace vorpex {

inline constexpr int64_t kMailOriginator = 0;
inline constexpr int64_t kMailTo = 1;

struct MailRecipient {
    std::string name, address;  // empty: passed as no text
    int64_t recipientClass = kMailTo;
};

struct MailAttachment {
    std::string shownName, path;
};

struct MailMessage {
    std::string subject, note, messageType, date, conversationId;
    MailRecipient originator{{}, {}, kMailOriginator};
    std::vector<MailRecipient> recipients;
    std::vector<MailAttachment> attachments;
};

// AddReceipt's rules: a name holding an at sign is the address too when none is given; an address alone is
// the name too. `recipientClass` NIL is a primary recipient.
MailRecipient receiptOf(const rt::Value& name, const rt::Value& address, const rt::Value& recipientClass);
rt::Value receiptValue(const MailRecipient& r);  // {name, address, class}

// "%i/%i/%i %s": year, month and day without leading zeros, then the time as given.
std::string mailDateText(int year, int month, int day, const std::string& time);

// The tables from aReceipts ({name, address, class}) and aAttachments ({shown name, path}); entries that are
// not arrays are skipped, missing texts are empty and a missing class is a primary recipient.
std::vector<MailRecipient> recipientsOf(const rt::Value& list);
std::vector<MailAttachment> attachmentsOf(const rt::Value& list);

}  // namespace vorpex
