// Text transformations behind LT and LT2.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vorpex::texts {

// Replaces "%1".."%9" by the matching argument in one left-to-right pass, so
// an argument that itself contains "%2" is copied as it is. A digit beyond the
// arguments given, "%0", "%s" and any other "%" are left unchanged. Never a
// printf format: a translated text may carry a "%" of its own.
std::string fillPlaceholders(std::string_view text, std::span<const std::string> args);

// Drops the accelerator marks: every single "&" goes, "&&" leaves one "&".
std::string removeAccelerators(std::string_view text);

} // namespace vorpex::texts
