#include "cli/json_writer.h"

#include "input/utf8_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace selmarind::cli {

namespace {

// Printable ASCII other than the quote and the backslash: copied as it is.
constexpr std::array<bool, 256> kPlainAscii = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c) {
        plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    }
    return plain;
}();

} // namespace

std::string JsonQuote(std::string_view text) {
    std::string out;
    AppendJsonQuoted(out, text);
    return out;
}

void AppendJsonQuoted(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size() + 2);
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        // Printable ASCII other than the quote and backslash goes over as a run.
        std::size_t run = i;
        while (run < text.size() && kPlainAscii[static_cast<unsigned char>(text[run])]) {
            ++run;
        }
        if (run > i) {
            out.append(text.substr(i, run - i));
            i = run;
            continue;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    static constexpr char kHex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 0x0F];
                } else {
                    out += static_cast<char>(c);
                }
            }
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD"; // U+FFFD REPLACEMENT CHARACTER
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    out += '"';
}

void JsonWriter::NewLine() {
    if (indented_) {
        text_ += '\n';
        text_.append(2 * hasMember_.size(), ' ');
    }
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasMember_.empty()) {
        if (hasMember_.back()) {
            text_ += ',';
        }
        hasMember_.back() = true;
        NewLine();
    }
}

void JsonWriter::BeginObject() {
    BeforeValue();
    text_ += '{';
    hasMember_.push_back(false);
}

void JsonWriter::Close(char bracket) {
    const bool hadMember = hasMember_.back();
    hasMember_.pop_back();
    if (hadMember) {
        NewLine();
    }
    text_ += bracket;
}

void JsonWriter::EndObject() {
    Close('}');
}

void JsonWriter::BeginArray() {
    BeforeValue();
    text_ += '[';
    hasMember_.push_back(false);
}

void JsonWriter::EndArray() {
    Close(']');
}

void JsonWriter::Key(std::string_view key) {
    BeforeValue();
    AppendJsonQuoted(text_, key);
    text_ += indented_ ? ": " : ":";
    afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
    BeforeValue();
    AppendJsonQuoted(text_, text);
}

void JsonWriter::Number(double value) {
    if (!std::isfinite(value)) {
        Null();
        return;
    }
    BeforeValue();
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    text_.append(buffer.data(), result.ptr);
}

void JsonWriter::Integer(long long value) {
    BeforeValue();
    text_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
}

void JsonWriter::OptionalString(const std::optional<std::string>& text) {
    if (text) {
        String(*text);
    } else {
        Null();
    }
}

} // namespace selmarind::cli
