// Where the precise source looks for the Swiss Ephemeris data files.
//
// The folder is one setting for the whole process, applied to each thread
// before that thread's next computation (the library keeps its state per
// thread). Until SetDataFolder is called it is DefaultDataFolder().
//
// The environment variable SE_EPHE_PATH, when set to a non-empty value of at
// most 242 characters, overrides the folder: the library reads it whenever
// the folder is applied to a thread and then searches only the folders it
// lists (separated by ':' or ';'). A missing file there gives the analytical
// fallback, which every result reports. EffectiveDataFolder() tells which
// setting is in force.
#pragma once

#include <string>
#include <string_view>

namespace selmarind::ephemeris {

// The folder found when the build was configured (CMake cache variable
// SWE_EPHE_DIR; /usr/share/libswe/ephe on Debian with swe-basic-data).
std::string_view DefaultDataFolder();

// The folder in force for the next computation on every thread.
std::string DataFolder();

// Sets the folder for every thread. Returns an empty text when accepted,
// else why not, and the previous folder stays. Refused: an empty text (the
// library would search its own default list, the working directory first), a
// text containing ':' or ';' (the library would split it into several
// folders), or one longer than 242 characters (the library would silently
// use its default list instead). A folder that does not exist or lacks files
// is accepted: the analytical fallback serves and is reported.
std::string SetDataFolder(const std::string& folder);

// SE_EPHE_PATH when it overrides the folder, else DataFolder().
std::string EffectiveDataFolder();

} // namespace selmarind::ephemeris
