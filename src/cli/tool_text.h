// Small texts that the parts of the command-line tool share: its name, the
// message of a file it cannot read, and the clean-up of a field.
#pragma once

#include <string>

namespace selmarind::cli {

inline constexpr const char* kToolName = "selmarind-chart";

std::string UnavailableMessage(const std::string& what, const std::string& message);

std::string Lower(std::string text);

// A batch field without the spaces and tabs around it.
std::string Trimmed(const std::string& text);

} // namespace selmarind::cli
