// The masked edit's decisions, kept apart from windows so that they are tested natively: how a picture splits
// into its function part and its mask, which mask characters take input and which are literals, what a typed
// character does to the text and the caret, how a deletion keeps the literals in their places, and how the
// text reads back as a value. Positions are zero-based here; the class converts the window's selection.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorpex::mask {

// Mask characters that take input when formatting; "." does too, except in a date mask.
bool isInputPosition(char maskChar, bool isDate);
// Mask characters that take a typed character in a text value; every other one is written and stepped over.
bool isTypingPosition(char maskChar);
// A mask with at least one literal character; a date mask always is.
bool isComplex(std::string_view mask, bool isDate);
// The date format with each of y, m, d (either case) replaced by "9".
std::string dateMask(std::string_view dateFormat);
// The mask of a number without a picture, from its Str() form: at least ten positions, the decimal point kept
// where Str() put it.
std::string numberMask(std::string_view strText);

struct Picture {
    std::string function;  // upper case, with its "@"; empty when there is none or only "@"
    std::string mask;
    bool complex = false;
};
// Splits a picture: a leading "@" part up to the first blank is the function, the rest (trimmed) the mask.
// "D" in the function makes the mask the date format's; a date mask is left-trimmed.
Picture splitPicture(std::string_view picture, bool isDate, std::string_view dateFormat);
// The picture as stored: the function and the mask joined by a blank, trimmed.
std::string joinPicture(std::string_view function, std::string_view mask);
// The function without "Z" (the focused form); "" when only "@" is left.
std::string focusedFunction(std::string_view function);
// A number mask as typing sees it: "*" and "$" stand for digits and the thousands commas are left out.
std::string focusedNumberMask(std::string mask);

// Whether a mask position takes the character ("!" and "X" take any, "*" and "$" too).
bool accepts(char maskChar, char ch);

struct Typed {
    enum Kind { Refused, Placed, ClearSelectionFirst } kind = Refused;
    std::string text;
    int64_t caret = 0;
};
// A character typed into a text value at the caret. With text selected, an accepted character answers
// ClearSelectionFirst (the window clears the selection and the key comes again).
Typed typeText(std::string_view text, std::string_view mask, bool complex, int64_t caret, bool selected, char ch,
               int64_t maxLength);
// Text pasted at the caret: each character goes through the rules of typing, and one a position refuses is
// left out. Placed when at least one character was taken.
Typed pasteText(std::string_view text, std::string_view mask, bool complex, int64_t caret, std::string_view pasted,
                int64_t maxLength);
// A digit or blank typed into a date text; digits inside the selection [selStart, selEnd) are blanked first.
Typed typeDate(std::string_view text, std::string_view mask, int64_t selStart, int64_t selEnd, char ch,
               int64_t maxLength);

struct NumberKey {
    enum Kind { Refuse, Accept, ClearAndRepost, SelectDecimals, WriteSeparator } kind = Refuse;
    int64_t at = 0;  // SelectDecimals: where the selection starts; WriteSeparator: where sep is written
};
// A key typed into a number's text; sep is the decimal separator in use.
NumberKey numberKey(std::string_view text, std::string_view mask, int64_t selStart, int64_t selEnd, char ch,
                    char sep);

struct Deleted {
    std::string text;
    int64_t caret = 0;
};
// Delete or Backspace in a complex mask over the selection [selStart, selEnd): input characters of each field
// go, the field is refilled with blanks before its literal so that later fields keep their places.
Deleted deleteInMask(std::string_view text, std::string_view mask, bool isDate, bool isNumber, int64_t selStart,
                     int64_t selEnd, bool backspace);
// After a cut or clear: blanks inserted at `at` so that the text is the mask's length again.
std::string restoreWidth(std::string_view text, size_t maskLength, int64_t at);

// Read back: a text value under "R" keeps only the characters at the mask's data positions, right-trimmed.
std::string stripLiterals(std::string_view text, std::string_view mask);
struct NumberText {
    std::string digits;  // digits and at most the one "." Val() reads
    bool negative = false;
};
NumberText numberText(std::string_view text, std::string_view function);
bool logicalFromText(std::string_view text);
// Under "E" the first two fields of a date text are swapped before conversion, unless the date format puts the
// year first.
std::string dateTextForConversion(std::string_view text, std::string_view function, std::string_view dateFormat);
// The zero-filled form of a text value: trimmed, left-padded with "0" to the length.
std::string zeroFilled(std::string_view text, int64_t length);

// CHRCOUNT(cText, cChars) and ALGUNDIGITO(cText) become callable by name. Safe to call more than once.
void registerMaskFunctions();

}  // namespace vorpex::mask
