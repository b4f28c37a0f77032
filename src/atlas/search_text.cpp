#include "atlas/search_text.h"

#include "engine/text.h"

#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>

namespace selmarind {

namespace {

// ICU documents Transliterator objects as not safe for concurrent use, so the
// one shared instance is used under a lock. Creating it costs about 10 ms
// (25 ms while ICU's data is first paged in); it is made on first use.
class SharedTransliterator {
public:
    explicit SharedTransliterator(const char* id) {
        UErrorCode status = U_ZERO_ERROR;
        transliterator_.reset(icu::Transliterator::createInstance(id, UTRANS_FORWARD, status));
        if (U_FAILURE(status)) {
            transliterator_.reset();
        }
    }

    void transliterate(icu::UnicodeString& text) {
        if (transliterator_) {
            const std::lock_guard<std::mutex> guard(lock_);
            transliterator_->transliterate(text);
        }
    }

private:
    std::mutex lock_;
    std::unique_ptr<icu::Transliterator> transliterator_;
};

std::string AsciiOnly(const icu::UnicodeString& text) {
    std::string utf8;
    text.toUTF8String(utf8);
    utf8.erase(std::remove_if(utf8.begin(), utf8.end(),
                              [](char c) { return static_cast<unsigned char>(c) >= 0x80; }),
               utf8.end());
    return utf8;
}

bool IsAsciiLetterOrDigit(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsAsciiDigit(c);
}

// Marks that stand for a dropped letter or an apostrophe inside a name
// ("Xi’an", "Hawaiʻi"): dropped like "'", so the two halves join up.
bool IsApostrophe(UChar32 c) {
    return c == '\'' || c == '`' || c == '"' || c == 0x2018 || c == 0x2019 || c == 0x02BB ||
           c == 0x02BC || c == 0x00B4 || c == 0x02B9 || c == 0x02BE || c == 0x02BF;
}

bool IsWordCharacter(UChar32 c) {
    if (c < 0x80) {
        return IsAsciiLetterOrDigit(static_cast<unsigned char>(c));
    }
    const auto type = static_cast<UCharCategory>(u_charType(c));
    // Vowel signs and viramas are marks, and belong to their word.
    return u_isalnum(c) || type == U_NON_SPACING_MARK || type == U_COMBINING_SPACING_MARK ||
           type == U_ENCLOSING_MARK;
}

void AppendUtf8(std::string& out, UChar32 c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The words of case-folded text, joined by single spaces.
std::string WordsOf(const icu::UnicodeString& text) {
    std::string out;
    bool pendingSpace = false;
    for (std::int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
        const UChar32 c = text.char32At(i);
        // U+FFFD stands for malformed UTF-8, which is dropped like an apostrophe.
        if (IsApostrophe(c) || c == 0xFFFD || u_charType(c) == U_FORMAT_CHAR) {
            continue;
        }
        if (IsWordCharacter(c)) {
            if (pendingSpace && !out.empty()) {
                out.push_back(' ');
            }
            pendingSpace = false;
            AppendUtf8(out, c);
        } else {
            pendingSpace = true;
        }
    }
    return out;
}

} // namespace

bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string TransliterateToAscii(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
    static SharedTransliterator latinToAscii("Latin-ASCII");
    latinToAscii.transliterate(text);
    return AsciiOnly(text);
}

std::string NormalizeSearchText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool pendingSpace = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\'' || c == '`' || c == '"' || byte >= 0x80) {
            continue;
        }
        if (IsAsciiLetterOrDigit(byte)) {
            if (pendingSpace && !out.empty()) {
                out.push_back(' ');
            }
            pendingSpace = false;
            out.push_back(byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : c);
        } else {
            pendingSpace = true;
        }
    }
    return out;
}

std::string FoldForSearch(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return NormalizeSearchText(utf8);
    }
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfkc = icu::Normalizer2::getNFKCInstance(status);
    if (U_SUCCESS(status)) {
        text = nfkc->normalize(text, status);
    }
    static SharedTransliterator accentsToAscii("NFD; [\\u0300-\\u036F] Remove; NFC; Latin-ASCII");
    accentsToAscii.transliterate(text);
    text.foldCase();
    return WordsOf(text);
}

std::string SpellOutUmlauts(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 4);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        if (byte == 0xC3) {
            // U+00C4 Ä, U+00D6 Ö, U+00DC Ü, U+00E4 ä, U+00F6 ö, U+00FC ü
            const char* spelled = nullptr;
            switch (next) {
            case 0x84:
                spelled = "Ae";
                break;
            case 0x96:
                spelled = "Oe";
                break;
            case 0x9C:
                spelled = "Ue";
                break;
            case 0xA4:
                spelled = "ae";
                break;
            case 0xB6:
                spelled = "oe";
                break;
            case 0xBC:
                spelled = "ue";
                break;
            default:
                break;
            }
            if (spelled) {
                out += spelled;
                ++i;
                continue;
            }
        }
        // A, O or U followed by U+0308 COMBINING DIAERESIS (CC 88)
        if (byte == 0xCC && next == 0x88 && !out.empty() &&
            std::string_view("aouAOU").find(out.back()) != std::string_view::npos) {
            out.push_back('e');
            ++i;
            continue;
        }
        out.push_back(static_cast<char>(byte));
    }
    return out;
}

} // namespace selmarind
