#include "dbf_header.h"

#include <cstring>

#include "runtime/core/symbol.h"
#include "runtime/rdd/byte_order.h"

namespace rt::rdd {

namespace {

bool validName(std::string_view n) {
    if (n.empty() || n.size() > 10) return false;
    for (char c : n)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

std::string checkField(Field& f) {
    switch (f.type) {
    case 'C':
        if (f.length < 1 || f.length > 65535) return "bad width for character field " + f.name;
        f.decimals = 0;
        return {};
    case 'N':
        if (f.length < 1 || f.length > kMaxNumericWidth) return "bad width for numeric field " + f.name;
        if (f.decimals > 15 || (f.decimals > 0 && f.decimals + 2 > f.length)) return "bad decimals for " + f.name;
        return {};
    case 'D': f.length = 8; f.decimals = 0; return {};
    case 'L': f.length = 1; f.decimals = 0; return {};
    case 'M': f.length = 10; f.decimals = 0; return {};
    default: return std::string("unknown field type '") + f.type + "' for " + f.name;
    }
}

// A descriptor read from a file, checked against what the engine can store in a field of its type: every
// read and write of a field is bounded by the width checked here. Answers the fault, or "".
std::string checkStoredField(const Field& f, uint8_t version) {
    const std::string which = "field " + f.name + " (" + f.type + ")";
    auto width = [&](uint32_t need) {
        return f.length == need ? std::string() : which + " needs width " + std::to_string(need) + ", has " +
                                                      std::to_string(f.length);
    };
    switch (f.type) {
    case 'C': return {};  // any width: the record length bounds it
    case 'N':
    case 'F':
        if (f.length > kMaxNumericWidth) return which + " wider than " + std::to_string(kMaxNumericWidth);
        if (f.decimals > 15 || (f.decimals > 0 && f.decimals >= f.length)) return which + " has bad decimals";
        return {};
    case 'D': return width(8);
    case 'L': return width(1);
    case 'M':
        // Block numbers are ten digits, or four binary bytes in a memo file of the FoxPro kind.
        if (f.length == 4 && version == dbfver::WithFpt) return {};
        return width(10);
    default: return which + " has a type the engine cannot read";
    }
}

}  // namespace

bool DbfHeader::hasMemo() const {
    for (const Field& f : fields)
        if (f.type == 'M') return true;
    return false;
}

std::string layoutFields(std::vector<Field>& fields) {
    if (fields.empty()) return "no fields";
    if (fields.size() > 2046) return "too many fields";
    uint32_t offset = 1;
    for (size_t i = 0; i < fields.size(); ++i) {
        Field& f = fields[i];
        f.name = upper(f.name);
        f.type = static_cast<char>(std::toupper(static_cast<unsigned char>(f.type)));
        if (!validName(f.name)) return "bad field name '" + f.name + "'";
        for (size_t j = 0; j < i; ++j)
            if (fields[j].name == f.name) return "duplicate field name " + f.name;
        if (std::string fault = checkField(f); !fault.empty()) return fault;
        f.offset = offset;
        offset += f.length;
        if (offset > kMaxRecordLength) return "record too long";
    }
    return {};
}

std::vector<uint8_t> encodeHeader(DbfHeader& h) {
    uint32_t recLen = 1;
    for (const Field& f : h.fields) recLen += f.length;
    h.recordLength = static_cast<uint16_t>(recLen);
    h.headerLength = static_cast<uint16_t>(kDbfPrefix + kFieldDescriptor * h.fields.size() + 1);
    std::vector<uint8_t> out(h.headerLength, 0);
    out[0] = h.version;
    out[1] = static_cast<uint8_t>(h.year - 1900);
    out[2] = static_cast<uint8_t>(h.month);
    out[3] = static_cast<uint8_t>(h.day);
    putLE32(&out[4], h.recCount);
    putLE16(&out[8], h.headerLength);
    putLE16(&out[10], h.recordLength);
    for (size_t i = 0; i < h.fields.size(); ++i) {
        const Field& f = h.fields[i];
        uint8_t* d = &out[kDbfPrefix + i * kFieldDescriptor];
        std::memcpy(d, f.name.data(), f.name.size());
        d[11] = static_cast<uint8_t>(f.type);
        // Character fields wider than 255 keep the high byte of their width in the decimals byte.
        d[16] = static_cast<uint8_t>(f.length & 0xFF);
        d[17] = static_cast<uint8_t>(f.type == 'C' ? f.length >> 8 : f.decimals);
    }
    out[h.headerLength - 1] = kHeaderEnd;
    return out;
}

std::optional<DbfHeader> decodePrefix(std::string_view b, std::string& fault) {
    if (b.size() < kDbfPrefix) {
        fault = "file shorter than a table header";
        return std::nullopt;
    }
    DbfHeader h;
    h.version = static_cast<uint8_t>(b[0]);
    h.year = 1900 + static_cast<uint8_t>(b[1]);
    h.month = static_cast<uint8_t>(b[2]);
    h.day = static_cast<uint8_t>(b[3]);
    h.recCount = getLE32(b.data() + 4);
    h.headerLength = static_cast<uint16_t>(getLE16(b.data() + 8));
    h.recordLength = static_cast<uint16_t>(getLE16(b.data() + 10));
    if (h.headerLength < kDbfPrefix + kFieldDescriptor + 1) {
        fault = "header length too small";
        return std::nullopt;
    }
    if (h.recordLength < 2) {
        fault = "record length too small";
        return std::nullopt;
    }
    return h;
}

bool decodeFields(DbfHeader& h, std::string_view d, std::string& fault) {
    size_t pos = 0;
    uint32_t offset = 1;
    for (;;) {
        if (pos >= d.size()) {
            fault = "field descriptors run past the header";
            return false;
        }
        if (static_cast<uint8_t>(d[pos]) == kHeaderEnd) break;
        if (pos + kFieldDescriptor > d.size()) {
            fault = "field descriptors run past the header";
            return false;
        }
        const char* p = d.data() + pos;
        Field f;
        f.name.assign(p, strnlen(p, 11));
        f.name = upper(f.name);
        f.type = static_cast<char>(std::toupper(static_cast<unsigned char>(p[11])));
        f.length = static_cast<uint8_t>(p[16]);
        f.decimals = static_cast<uint8_t>(p[17]);
        if (f.type == 'C') {
            f.length |= f.decimals << 8;
            f.decimals = 0;
        }
        if (f.name.empty() || f.length == 0) {
            fault = "bad field descriptor " + std::to_string(h.fields.size() + 1);
            return false;
        }
        if (fault = checkStoredField(f, h.version); !fault.empty()) return false;
        if (f.type == 'F') f.type = 'N';  // dBASE IV float: stored as numeric text
        f.offset = offset;
        offset += f.length;
        h.fields.push_back(std::move(f));
        pos += kFieldDescriptor;
    }
    if (h.fields.empty()) {
        fault = "no fields";
        return false;
    }
    if (offset != h.recordLength) {
        fault = "record length does not match the fields";
        return false;
    }
    return true;
}

bool checkSize(DbfHeader& h, uint64_t fileSize, std::string& fault) {
    if (fileSize < h.headerLength) {
        fault = "file shorter than its header";
        return false;
    }
    uint64_t whole = (fileSize - h.headerLength) / h.recordLength;
    if (h.recCount <= whole) return true;
    // Records are written before the count that includes them, so a count beyond them means the file was cut.
    fault = "record count beyond the end of the file";
    return false;
}

}  // namespace rt::rdd
