#include "framework/dialogs/mail/mapi.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "framework/core/object/vp_class.h"
#include "framework/dialogs/flag_property.h"
#include "framework/dialogs/mail/mail_port.h"
#include "framework/dialogs/owner_window.h"
#include "framework/dialogs/registry/registry.h"
#include "runtime/core/send.h"
#include "runtime/lib/date.h"

namespace vorpex {

using rt::Value;

namespace {

constexpr const char* kManagerKey = "Software\\Microsoft\\Internet Account Manager";
constexpr const char* kAccountsKey = "Software\\Microsoft\\Internet Account Manager\\Accounts";

const FlagProperty kLogonOptions[] = {{"lUseUI", false, 0x1}, {"lAskPassword", false, 0x20000}, {"lNewSession", false, 0x2}};
const FlagProperty kSendOptions[] = {{"lAskRecipients", false, 0x8}};

std::string upperTrimmed(std::string s) {
    const auto first = s.find_first_not_of(' ');
    s = first == std::string::npos ? std::string() : s.substr(first, s.find_last_not_of(' ') - first + 1);
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// A registry object over HKEY_CURRENT_USER with `path` opened; NIL when the key cannot be opened. Its keys
// close when it is dropped.
Value openedKey(const std::string& path) {
    Value registry(dialogs::TRegistry::classRecord().instantiate());
    if (rt::send(registry, "OpenKey", {Value(path)}).asInteger() == dialogs::kRegSuccess) return registry;
    rt::send(registry, "Destroy");
    return Value();
}

// The "Account Name" of an account's subkey; nothing when the subkey cannot be opened.
std::optional<std::string> accountName(const std::string& subKey) {
    const Value key = openedKey(std::string(kAccountsKey) + "\\" + subKey);
    if (key.isNil()) return std::nullopt;
    const Value name = rt::send(key, "GetString", {Value("Account Name"), Value("")});
    rt::send(key, "Destroy");
    return name.isString() ? name.asString() : std::string();
}

std::vector<std::string> accountKeys() {
    std::vector<std::string> keys;
    const Value accounts = openedKey(kAccountsKey);
    if (accounts.isNil()) return keys;
    const Value names = rt::send(accounts, "EnumKeys");
    rt::send(accounts, "Destroy");
    for (const Value& n : names.asArray()->items)
        if (n.isString()) keys.push_back(n.asString());
    return keys;
}

}  // namespace

const rt::Class& XMapi::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XMapi", &TComponent::classRecord(), rt::factoryOf<XMapi>());
        auto text = [&b](const char* name) {
            return b.addProperty({.name = name, .initial = "", .type = "C", .scope = Published});
        };
        kName = text("cName");
        kPassword = text("cPassword");
        kFromName = text("cFromName");
        kFromAddress = text("cFromAddress");
        kSubject = text("cSubject");
        kMessage = text("cMessage");
        kMsgType = text("cMsgType");
        kConversation = text("cConversationID");
        // Empty: the message carries the date and time at which it is sent.
        kDate = b.addProperty({.name = "dDate", .initial = rt::Date{}, .type = "D", .scope = Published});
        kTime = text("cTime");
        kReceipts = b.addProperty({.name = "aReceipts", .initial = Value::array(), .type = "A", .scope = Published});
        kAttachments = b.addProperty({.name = "aAttachments", .initial = Value::array(), .type = "A", .scope = Published});
        for (const FlagProperty& f : kLogonOptions) addFlagProperty(b, f, kLogonFlags);
        for (const FlagProperty& f : kSendOptions) addFlagProperty(b, f, kSendFlags);
        b.addProperty({.name = "lReceipt", .initial = false, .type = "L", .scope = Published});
        kAccount = b.addProperty({.name = "cAccount", .initial = "", .type = "C", .scope = Published,
                                  .getter = rt::method(&XMapi::GetAccount), .setter = rt::method(&XMapi::SetAccount)});
        kLastError = b.addData("nLastError", 0, "N", Exported | ReadOnly);
        kSession = b.addData("hSession", 0, "N", Exported | ReadOnly);
        kLoggedOn = b.addData("lLoggedOn", false, "L", Exported | ReadOnly);
        kLib = b.addData("hLib", 0, "N", Hidden);
        kLogonFlags = b.addData("nLogonFlags", 0, "N", Hidden);
        kSendFlags = b.addData("nSendFlags", 0, "N", Hidden);
        addMembers<XMapi>(b);
        return b.create();
    }();
    return c;
}

Value XMapi::Create(rt::Args args) {
    XComponent::Create(args);
    Initialize({});
    return selfValue();
}

Value XMapi::Destroy(rt::Args args) {
    Uninitialize({});
    return XComponent::Destroy(args);
}

Value XMapi::Initialize(rt::Args) {
    if (!loaded()) field(kLib) = Value(static_cast<int64_t>(mailPort().load()));
    return Value(loaded());
}

Value XMapi::Uninitialize(rt::Args) {
    if (loaded()) mailPort().unload(hLib());
    field(kLib) = Value(0);
    return Value();
}

bool XMapi::offers(const char* function) const { return loaded() && mailPort().has(hLib(), function); }

intptr_t XMapi::owner() const { return ownerWindow(oParent() ? Value(oParent()) : Value()); }

std::string XMapi::text(int f) const { return field(f).isString() ? field(f).asString() : std::string(); }

Value XMapi::Installed(rt::Args) { return Value(mailPort().installed()); }

Value XMapi::Logon(rt::Args) {
    if (lLoggedOn() || !offers("MAPILogon")) return Value(false);
    MailLogon l{owner(), text(kName), text(kPassword), static_cast<uint32_t>(field(kLogonFlags).asInteger())};
    intptr_t session = 0;
    const int64_t result = mailPort().logon(hLib(), l, session);
    field(kLoggedOn) = Value(result == 0);
    field(kSession) = Value(static_cast<int64_t>(result == 0 ? session : 0));
    field(kLastError) = Value(result);
    return Value(result == 0);
}

// A failed logoff ends the session on this side all the same: the library's session is gone or unusable, and
// a state logged on with no session would refuse every later Logon while Send ran without one.
Value XMapi::Logoff(rt::Args) {
    if (!lLoggedOn() || !hSession() || !offers("MAPILogoff")) return Value(false);
    const int64_t result = mailPort().logoff(hLib(), hSession());
    field(kLoggedOn) = Value(false);
    field(kSession) = Value(0);
    field(kLastError) = Value(result);
    return Value(result == 0);
}

MailMessage XMapi::message() const {
    MailMessage m;
    m.subject = text(kSubject);
    m.note = text(kMessage);
    m.messageType = text(kMsgType);
    m.conversationId = text(kConversation);
    const rt::Date date = field(kDate).isDate() && !field(kDate).asDate().empty() ? field(kDate).asDate() : rt::today();
    const std::string time = text(kTime).empty() ? rt::timeOfDay() : text(kTime);
    m.date = mailDateText(rt::year(date), rt::month(date), rt::day(date), time);
    m.originator = {text(kFromName), text(kFromAddress), kMailOriginator};
    m.recipients = recipientsOf(field(kReceipts));
    m.attachments = attachmentsOf(field(kAttachments));
    return m;
}

Value XMapi::Send(rt::Args) {
    if (!lLoggedOn() || !offers("MAPISendMail")) return Value(false);
    const int64_t result =
        mailPort().send(hLib(), hSession(), owner(), message(), static_cast<uint32_t>(field(kSendFlags).asInteger()));
    field(kLastError) = Value(result);
    return Value(result == 0);
}

Value XMapi::AddReceipt(rt::Args args) {
    const Value entry = receiptValue(receiptOf(rt::arg(args, 0), rt::arg(args, 1), rt::arg(args, 2)));
    if (!field(kReceipts).isArray()) field(kReceipts) = Value::array();
    field(kReceipts).asArray()->items.push_back(entry);
    return selfValue();
}

Value XMapi::GetAccountNames(rt::Args args) {
    std::vector<Value> names;
    for (const std::string& key : accountKeys()) names.emplace_back(accountName(key).value_or(""));
    if (rt::arg(args, 0).isLogical() && rt::arg(args, 0).asLogical())
        std::stable_sort(names.begin(), names.end(),
                         [](const Value& a, const Value& b) { return a.asString() < b.asString(); });
    return Value::array(std::move(names));
}

Value XMapi::GetAccount(rt::Args) {
    const Value manager = openedKey(kManagerKey);
    if (manager.isNil()) return field(kAccount);
    const Value subKey = rt::send(manager, "GetString", {Value("Default Mail Account"), Value("")});
    rt::send(manager, "Destroy");
    if (!subKey.isString() || subKey.asString().empty()) return field(kAccount);
    if (const auto name = accountName(subKey.asString())) field(kAccount) = Value(*name);
    return field(kAccount);
}

Value XMapi::SetAccount(rt::Args args) {
    const Value& wanted = rt::arg(args, 0);
    if (!wanted.isString()) return field(kAccount);
    const std::string name = upperTrimmed(wanted.asString());
    for (const std::string& key : accountKeys()) {
        const auto account = accountName(key);
        if (!account || upperTrimmed(*account) != name) continue;
        const Value manager = openedKey(kManagerKey);
        if (manager.isNil()) break;
        rt::send(manager, "SetString", {Value("Default Mail Account"), Value(key)});
        rt::send(manager, "Destroy");
        field(kAccount) = Value(*account);
        break;
    }
    return field(kAccount);
}

}  // namespace vorpex
