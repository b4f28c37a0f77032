#include "cli/csv_reader.h"

namespace selmarind::cli {

bool CsvReader::ReadLine(std::string& text) {
    if (!std::getline(in_, text)) {
        return false;
    }
    ++line_;
    if (!text.empty() && text.back() == '\r') {
        text.pop_back();
    }
    if (line_ == 1 && text.rfind("\xEF\xBB\xBF", 0) == 0) {
        text.erase(0, 3);
    }
    return true;
}

std::optional<CsvRecord> CsvReader::Next() {
    std::string text;
    if (!ReadLine(text)) {
        return std::nullopt;
    }

    CsvRecord record;
    record.line = line_;
    record.blank = text.empty();
    std::string field;
    bool quoted = false;
    std::size_t i = 0;
    while (true) {
        if (i == text.size()) {
            if (!quoted) {
                break;
            }
            // A quoted field goes on over the line break.
            if (!ReadLine(text)) {
                record.unterminatedQuote = true;
                break;
            }
            field += '\n';
            i = 0;
            continue;
        }
        const char c = text[i++];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i < text.size() && text[i] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record.fields.push_back(std::move(field));
            field.clear();
        } else {
            field += c;
        }
    }
    record.fields.push_back(std::move(field));
    return record;
}

} // namespace selmarind::cli
