// The DBF header and field descriptors: encoding, decoding and the checks that turn a damaged file into a
// clear error instead of a crash.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rt::rdd {

struct Field {
    std::string name;  // upper case, at most 10 characters
    char type = 'C';   // C N D L M
    uint32_t length = 0;
    uint32_t decimals = 0;
    uint32_t offset = 0;  // within the record, after the deleted flag
};

namespace dbfver {
inline constexpr uint8_t Plain = 0x03, WithDbt = 0x83, WithFpt = 0xF5;
}

struct DbfHeader {
    uint8_t version = dbfver::Plain;
    int year = 0, month = 0, day = 0;  // last update
    uint32_t recCount = 0;
    uint16_t headerLength = 0;
    uint16_t recordLength = 0;
    std::vector<Field> fields;

    bool hasMemo() const;
};

inline constexpr size_t kDbfPrefix = 32;
inline constexpr size_t kFieldDescriptor = 32;
inline constexpr uint8_t kHeaderEnd = 0x0D;
inline constexpr uint8_t kEofMarker = 0x1A;
inline constexpr uint32_t kMaxRecordLength = 65535;
// The widest numeric field the engine reads and writes (digits, sign and point).
inline constexpr uint32_t kMaxNumericWidth = 20;

// Checks a structure (as DBCREATE receives it) and fills offsets; answers an empty string or the fault.
std::string layoutFields(std::vector<Field>& fields);

// The bytes of a header for these fields; recordLength and headerLength are computed.
std::vector<uint8_t> encodeHeader(DbfHeader& h);

// Decodes the fixed 32 bytes; nullopt when they cannot be a DBF header.
std::optional<DbfHeader> decodePrefix(std::string_view bytes, std::string& fault);
// Decodes the field descriptors from the bytes after the prefix, up to the header length; validates the
// record length against the fields.
bool decodeFields(DbfHeader& h, std::string_view descriptorBytes, std::string& fault);
// Checks the record count against the file's size (a count beyond the records on disk is damage, except for
// the last record being partly written when the writer died: then the count is trimmed).
bool checkSize(DbfHeader& h, uint64_t fileSize, std::string& fault);

}  // namespace rt::rdd
