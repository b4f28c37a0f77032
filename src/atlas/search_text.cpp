#include "atlas/search_text.h"

#include <unicode/translit.h>
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
    SharedTransliterator() {
        UErrorCode status = U_ZERO_ERROR;
        transliterator_.reset(
            icu::Transliterator::createInstance("Latin-ASCII", UTRANS_FORWARD, status));
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
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
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
    static SharedTransliterator latinToAscii;
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
    return NormalizeSearchText(TransliterateToAscii(utf8));
}

} // namespace selmarind
