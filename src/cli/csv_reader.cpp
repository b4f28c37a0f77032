#include "cli/csv_reader.h"

namespace selmarind::cli {

bool CsvReader::ReadLine(std::string& text, bool& tooLong) {
    text.clear();
    tooLong = false;
    std::streambuf* buffer = in_.rdbuf();
    bool any = false;
    for (;;) {
        const std::istream::int_type c =
            buffer ? buffer->sbumpc() : std::istream::traits_type::eof();
        if (std::istream::traits_type::eq_int_type(c, std::istream::traits_type::eof())) {
            in_.setstate(std::ios::eofbit);
            if (!any) {
                return false;
            }
            break;
        }
        any = true;
        const char ch = std::istream::traits_type::to_char_type(c);
        if (ch == '\n') {
            break;
        }
        // One byte over the limit is kept so that a CR before the line
        // feed does not count; the rest of a long line is only skipped.
        if (text.size() <= kCsvMaxLineBytes) {
            text += ch;
        } else {
            tooLong = true;
        }
    }
    ++line_;
    if (!text.empty() && text.back() == '\r') {
        text.pop_back();
    }
    tooLong = tooLong || text.size() > kCsvMaxLineBytes;
    if (tooLong) {
        text.clear();
    }
    if (line_ == 1 && text.rfind("\xEF\xBB\xBF", 0) == 0) {
        text.erase(0, 3);
    }
    return true;
}

std::optional<CsvRecord> CsvReader::Next() {
    std::string text;
    CsvRecord record;
    if (!ReadLine(text, record.tooLong)) {
        return std::nullopt;
    }
    record.line = line_;
    if (record.tooLong) {
        return record;
    }
    record.blank = text.empty();
    std::string field;
    std::size_t i = 0;
    for (;;) {
        // At the start of a field.
        if (i < text.size() && text[i] == '"') {
            ++i;
            bool closed = false;
            while (i < text.size()) {
                const char c = text[i++];
                if (c != '"') {
                    field += c;
                } else if (i < text.size() && text[i] == '"') {
                    field += '"';
                    ++i;
                } else {
                    closed = true;
                    break;
                }
            }
            if (!closed) {
                record.unterminatedQuote = true;
                break;
            }
        }
        // The rest of the field, quotes included, is text as it stands.
        while (i < text.size() && text[i] != ',') {
            field += text[i++];
        }
        record.fields.push_back(std::move(field));
        field.clear();
        if (i == text.size()) {
            break;
        }
        ++i; // the comma
    }
    if (record.unterminatedQuote) {
        record.fields.clear();
    }
    return record;
}

} // namespace selmarind::cli
