// The saved window state of a form (SaveState / RestoreState): 17 characters, the restored position's left,
// top, width and height as four upper-case hexadecimal digits each (their low 16 bits), then "X" maximised,
// "M" minimised or "N", in lower case when the form was hidden.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorpex {

struct FormState {
    int16_t left = 0, top = 0, width = 0, height = 0;
    char mode = 'N';  // 'X', 'M' or 'N'
    bool visible = true;
    friend bool operator==(const FormState&, const FormState&) = default;
};

std::string encodeFormState(int64_t left, int64_t top, int64_t width, int64_t height, char mode, bool visible);

// Nothing unless the text has 17 characters, the first 16 are hexadecimal digits and the last is one of
// X, M, N in either case: a damaged saved state must not move the form to nonsense bounds.
std::optional<FormState> decodeFormState(std::string_view text);

}  // namespace vorpex
