// Index keys as the classic NTX files hold them: fixed-size byte strings compared byte by byte. Character
// keys are the text padded with blanks; numbers are their Str() text with leading zeros, negative numbers
// with their digits mirrored below "0" so that byte order is numeric order; dates are "yyyymmdd" (blanks
// when empty); logicals are "T" or "F".
#pragma once

#include <cstdint>
#include <string>

#include "runtime/core/value.h"

namespace rt::ntx {

enum class KeyType : char { Character = 'C', Numeric = 'N', Date = 'D', Logical = 'L' };

struct KeySpec {
    KeyType type = KeyType::Character;
    uint16_t size = 0;
    uint16_t decimals = 0;
};

// The key's type and size from one evaluation of the key expression. Throws NtxError (data type) for a
// value that cannot be a key (NIL, array, object, block).
KeySpec keySpecOf(const Value& sample);

// The stored key for a value of the key expression: exactly spec.size bytes.
std::string encodeKey(const Value& v, const KeySpec& spec);

// A value to seek with: a string is used as given (a prefix when shorter than the key); other types are
// encoded as full keys.
std::string encodeSeekKey(const Value& v, const KeySpec& spec);

// The numeric key text: Str(n, width, decimals) with leading zeros and the negative mirroring.
std::string encodeNumber(double n, uint16_t width, uint16_t decimals);
// Back from a stored numeric key to its value.
double decodeNumber(const std::string& key);

// Back from a stored key to a value of the key's type (ORDKEYVAL).
Value decodeKey(const std::string& key, const KeySpec& spec);

}  // namespace rt::ntx
