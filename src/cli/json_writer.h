// A small writer of JSON text: objects, arrays, strings, numbers, booleans
// and null, compact on one line or indented.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selmarind::cli {

class JsonWriter {
public:
    explicit JsonWriter(bool indented = false) : indented_(indented) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // Key of the next member; only inside an object.
    void Key(std::string_view key);

    void String(std::string_view text);
    void Number(double value);
    void Integer(long long value);
    void Bool(bool value);
    void Null();
    void OptionalString(const std::optional<std::string>& text);

    const std::string& Text() const { return text_; }

private:
    void BeforeValue();
    void NewLine();
    void Close(char bracket);

    bool indented_;
    std::string text_;
    // One entry per open object or array: whether it holds a member yet.
    std::vector<bool> hasMember_;
    bool afterKey_ = false;
};

// The JSON string literal of a text, quotes included. Valid UTF-8 is kept as
// it stands; a byte that is not part of valid UTF-8 becomes U+FFFD.
std::string JsonQuote(std::string_view text);

// JsonQuote(text) appended to `out`.
void AppendJsonQuoted(std::string& out, std::string_view text);

} // namespace selmarind::cli
