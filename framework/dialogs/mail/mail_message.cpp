#include "framework/core/native/value_readers.h"
#include "framework/dialogs/mail/mail_message.h"

namespace vorpex {

namespace {

using native::textOf;

std::vector<const rt::Array*> entriesOf(const rt::Value& list) {
    std::vector<const rt::Array*> entries;
    if (!list.isArray()) return entries;
    for (const rt::Value& item : list.asArray()->items)
        if (item.isArray()) entries.push_back(item.asArray().get());
    return entries;
}

rt::Value item(const rt::Array& entry, size_t index) {
    return index < entry.items.size() ? entry.items[index] : rt::Value();
}

}  // namespace

MailRecipient receiptOf(const rt::Value& name, const rt::Value& address, const rt::Value& recipientClass) {
    MailRecipient r{textOf(name), textOf(address), recipientClass.isNumber() ? recipientClass.asInteger() : kMailTo};
    if (r.address.empty() && r.name.find('@') != std::string::npos) r.address = r.name;
    if (r.name.empty() && !r.address.empty()) r.name = r.address;
    return r;
}

rt::Value receiptValue(const MailRecipient& r) {
    return rt::Value::array({rt::Value(r.name), rt::Value(r.address), rt::Value(r.recipientClass)});
}

std::string mailDateText(int year, int month, int day, const std::string& time) {
    return std::to_string(year) + "/" + std::to_string(month) + "/" + std::to_string(day) + " " + time;
}

std::vector<MailRecipient> recipientsOf(const rt::Value& list) {
    std::vector<MailRecipient> recipients;
    for (const rt::Array* e : entriesOf(list)) {
        const rt::Value cls = item(*e, 2);
        recipients.push_back({textOf(item(*e, 0)), textOf(item(*e, 1)), cls.isNumber() ? cls.asInteger() : kMailTo});
    }
    return recipients;
}

std::vector<MailAttachment> attachmentsOf(const rt::Value& list) {
    std::vector<MailAttachment> attachments;
    for (const rt::Array* e : entriesOf(list)) attachments.push_back({textOf(item(*e, 0)), textOf(item(*e, 1))});
    return attachments;
}

}  // namespace vorpex
