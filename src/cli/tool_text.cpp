#include "cli/tool_text.h"

#include "engine/text.h"

#include <algorithm>

namespace selmarind::cli {

std::string UnavailableMessage(const std::string& what, const std::string& message) {
    return std::string(kToolName) + ": cannot read " + what + ": " + message;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return text;
}

// A batch field without the spaces and tabs around it.
std::string Trimmed(const std::string& text) {
    return std::string(TrimCharacters(text, " \t"));
}

} // namespace selmarind::cli
