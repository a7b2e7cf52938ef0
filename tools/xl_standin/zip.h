// A minimal zip writer: entries stored without compression, enough for an .xlsx package. Platform-neutral.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xl {

// CRC-32 as zip uses it (polynomial 0xEDB88320).
uint32_t crc32(std::string_view bytes);

class StoredZip {
public:
    void add(std::string_view name, std::string_view bytes);
    // The archive: the entries, their central directory and its end record.
    std::string finish() const;

private:
    std::string entries_;
    std::string directory_;
    uint16_t count_ = 0;
};

}  // namespace xl
