// What the name field and the four coordinate fields of the birth-data form
// accept, whether a character is typed or text arrives by any other route
// (paste, drag and drop, an input method).
#pragma once

#include "input/validation.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace selmarind {

inline constexpr std::string_view kOnlyNumbersMessage = "Only Numbers Are Accepted";
inline constexpr std::string_view kOnlyLettersMessage = "Please Enter only Letters";

// Character codes of the keys that are not printable characters.
inline constexpr char32_t kBackspaceCode = 8;
inline constexpr char32_t kEnterCode = 13;

// Most characters each coordinate field holds.
inline constexpr std::size_t kLatitudeDegreesMaxLength = 2;  // txtLatD
inline constexpr std::size_t kLatitudeMinutesMaxLength = 2;  // txtLatM
inline constexpr std::size_t kLongitudeDegreesMaxLength = 3; // txtLonD
inline constexpr std::size_t kLongitudeMinutesMaxLength = 2; // txtLonM

// The outcome of one typed character.
struct KeyFilterResult {
    char32_t code = 0;        // the character that reaches the field; 0 = discarded
    std::string_view message; // when discarded: the message to show
    MessageIcon icon = MessageIcon::Error;
};

// A coordinate field takes the digits 0..9 and Backspace; every other code,
// Enter and control characters included, is discarded with
// kOnlyNumbersMessage (error icon).
KeyFilterResult FilterCoordinateKey(char32_t code);

// The name field takes A..Z, a..z (a lower-case letter arrives as its
// capital), space, Enter and Backspace; every other code is discarded with
// kOnlyLettersMessage (information icon).
KeyFilterResult FilterNameKey(char32_t code);

enum class TextVerdict {
    Accepted,
    WrongCharacters, // refused with the message of the field's key filter
    TooLong,         // refused without a message, as a typed key would be
};

// The outcome of a whole field text after an edit by any route.
struct TextFilterResult {
    TextVerdict verdict = TextVerdict::Accepted;
    std::u32string text; // when accepted: the text as the field holds it
    std::string_view message;
    MessageIcon icon = MessageIcon::Error;
};

// A coordinate field text: digits only, at most maxLength of them.
TextFilterResult FilterCoordinateText(std::u32string_view text, std::size_t maxLength);

// A name field text: letters A..Z, a..z and spaces, any length; the letters
// come back as capitals.
TextFilterResult FilterNameText(std::u32string_view text);

} // namespace selmarind
