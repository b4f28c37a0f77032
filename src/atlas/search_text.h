// How place names and typed queries are brought to one comparable form.
//
// A search text is lower-case ASCII words separated by single spaces:
// "São Paulo" and "sao  PAULO" both become "sao paulo", "St. John's" becomes
// "st johns", "Saint-Denis" becomes "saint denis".
//
// The atlas generator uses the same transliteration (ICU's "Latin-ASCII") to
// write an ASCII form of every name the search compares, so loading the
// atlas needs no Unicode work and only a typed query that is not plain ASCII
// goes through ICU.
#pragma once

#include <string>
#include <string_view>

namespace selmarind {

// True when every byte is 7-bit ASCII.
bool IsAscii(std::string_view text);

// ICU's "Latin-ASCII" transliteration of UTF-8 text, which is then plain
// ASCII: accents dropped, Latin letters without an ASCII base spelled out
// ("ß" -> "ss", "Æ" -> "AE", "ł" -> "l"), typographic quotes made plain;
// whatever has no ASCII spelling after that (letters of other scripts, "ǝ")
// is left out. Case is kept. Malformed UTF-8 counts as such a character.
// When ICU cannot provide the transliterator, only the ASCII characters of
// the text are kept.
std::string TransliterateToAscii(std::string_view utf8);

// The search text of ASCII text: letters lower-cased; apostrophes and
// quotation marks (' ` ") dropped, so that "John's" joins up as "johns";
// every other character that is not a letter or a digit separates words;
// runs of separators collapse into one space, none at either end. Bytes
// above 0x7F are dropped like apostrophes.
std::string NormalizeSearchText(std::string_view text);

// The search text of anything a user types:
// NormalizeSearchText(TransliterateToAscii(utf8)), without ICU for plain
// ASCII. Thread-safe.
std::string FoldForSearch(std::string_view utf8);

} // namespace selmarind
