// Choosing the cursor image of a cursor group resource that matches the system's cursor-shadow setting: the
// first 32-bit image when the shadow is on (its alpha channel draws the shadow), the first image of any other
// depth when it is off. Platform-neutral: the resource arrives as bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace vorpex {

// The resource id of the chosen image; nothing when no image qualifies or the directory is malformed (shorter
// than its header, not a cursor group, or fewer bytes than its entry count needs).
std::optional<uint16_t> pickCursorImage(std::span<const uint8_t> groupDirectory, bool shadowOn);

}  // namespace vorpex
