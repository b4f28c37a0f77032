// The texts of --help and --version.
#pragma once

#include <string>

namespace selmarind::cli {

// The text of --help.
std::string HelpText();

// The usage lines at the head of HelpText().
std::string UsageText();

// The text of --version: "selmarind-chart 1.25" and a line break, the
// version of the CMake project.
std::string VersionText();

} // namespace selmarind::cli
