#include "input/key_filters.h"

#include "input/entry_number.h"

#include <algorithm>
#include <utility>

namespace selmarind {

namespace {

bool IsCapital(char32_t c) {
    return c >= U'A' && c <= U'Z';
}

bool IsSmallLetter(char32_t c) {
    return c >= U'a' && c <= U'z';
}

KeyFilterResult Discarded(std::string_view message, MessageIcon icon) {
    return {0, message, icon};
}

TextFilterResult Refused(std::string_view message, MessageIcon icon) {
    return {TextVerdict::WrongCharacters, {}, message, icon};
}

} // namespace

KeyFilterResult FilterCoordinateKey(char32_t code) {
    if (IsAsciiDigit(code) || code == kBackspaceCode) {
        return {code, {}, MessageIcon::Error};
    }
    return Discarded(kOnlyNumbersMessage, MessageIcon::Error);
}

KeyFilterResult FilterNameKey(char32_t code) {
    if (IsSmallLetter(code)) {
        return {code - (U'a' - U'A'), {}, MessageIcon::Information};
    }
    if (IsCapital(code) || code == U' ' || code == kEnterCode || code == kBackspaceCode) {
        return {code, {}, MessageIcon::Information};
    }
    return Discarded(kOnlyLettersMessage, MessageIcon::Information);
}

TextFilterResult FilterCoordinateText(std::u32string_view text, std::size_t maxLength) {
    if (!std::all_of(text.begin(), text.end(), IsAsciiDigit)) {
        return Refused(kOnlyNumbersMessage, MessageIcon::Error);
    }
    if (text.size() > maxLength) {
        return {TextVerdict::TooLong, {}, {}, MessageIcon::Error};
    }
    return {TextVerdict::Accepted, std::u32string(text), {}, MessageIcon::Error};
}

TextFilterResult FilterNameText(std::u32string_view text) {
    std::u32string accepted;
    accepted.reserve(text.size());
    for (char32_t c : text) {
        if (IsSmallLetter(c)) {
            accepted.push_back(c - (U'a' - U'A'));
        } else if (IsCapital(c) || c == U' ') {
            accepted.push_back(c);
        } else {
            return Refused(kOnlyLettersMessage, MessageIcon::Information);
        }
    }
    return {TextVerdict::Accepted, std::move(accepted), {}, MessageIcon::Information};
}

} // namespace selmarind
