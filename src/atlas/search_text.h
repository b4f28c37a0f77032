// How place names and typed queries are brought to one comparable form.
//
// A search text is case-folded UTF-8 words separated by single spaces, with
// Latin letters reduced to ASCII: "São Paulo" and "sao  PAULO" both become
// "sao paulo", "St. John's" becomes "st johns", "Saint-Denis" becomes
// "saint denis", "Кёльн" becomes "кельн", and "मुंबई" and "北京" keep their
// script.
//
// The atlas generator writes the search text of every name into the atlas
// file, so loading the atlas needs no Unicode work and only a typed query
// that is not plain ASCII goes through ICU.
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

// The search text of anything a user types, and of every name of the
// atlas: the text in compatibility composition (NFKC, so full-width
// letters are plain ones), accents of the combining-diacritics block
// (U+0300..U+036F) dropped from every script, ICU's "Latin-ASCII" for what
// is left of Latin letters, then Unicode case folding. Apostrophes and
// quotation marks (also U+2018, U+2019, U+02BB, U+02BC, U+00B4) are dropped,
// format characters (zero-width joiners) too; letters, digits and marks of
// every script make words; everything else separates words. Plain ASCII
// gives NormalizeSearchText(utf8) without ICU. When ICU cannot provide the
// transliterator, non-ASCII text keeps its Latin letters as they are.
// Thread-safe.
std::string FoldForSearch(std::string_view utf8);

// The German spelling of umlauts without them: "ä", "ö", "ü" become "ae",
// "oe", "ue" ("Ä" "Ae" and so on); other text is kept. The atlas keeps a
// name with umlauts under both FoldForSearch(name) ("koln") and
// FoldForSearch(SpellOutUmlauts(name)) ("koeln"), so a query matches
// whichever way it is typed. Composed or decomposed umlauts alike; the
// output is NFC for the umlauts it changed only.
std::string SpellOutUmlauts(std::string_view utf8);

} // namespace selmarind
