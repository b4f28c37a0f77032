// The one place that configures the Swiss Ephemeris. The library keeps its
// data folder, open files and sidereal mode in thread-local storage, so each
// thread is configured on its first call and again whenever the folder
// changes; a generation number tells a thread that its state is stale.

#include "ephemeris/swiss_state.h"
#include "ephemeris/data_folder.h"

#include <swephexp.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <mutex>

namespace selmarind::ephemeris {

namespace {

// Longest folder text the library takes; a longer one makes it fall back to
// its built-in list without a word (AS_MAXCH - 1 - 13 in its sources).
constexpr std::size_t kMaxFolderLength = AS_MAXCH - 1 - 13;

std::mutex& FolderMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string& ConfiguredFolder() {
    static std::string folder(DefaultDataFolder());
    return folder;
}

constexpr double kJ2000JdTt = 2451545.0;

// Starts at 1 so that a thread's 0 means "never configured".
std::atomic<std::uint64_t> folderGeneration{1};

struct ThreadState {
    std::uint64_t appliedGeneration = 0;

    ThreadState() = default;
    ThreadState(const ThreadState&) = delete;
    ThreadState& operator=(const ThreadState&) = delete;
    // Closes this thread's data files and frees its buffers when the thread
    // ends; the library would otherwise keep them until the process ends.
    ~ThreadState() {
        if (appliedGeneration != 0) {
            swe_close();
        }
    }
};

thread_local ThreadState threadState;

} // namespace

std::string_view SourceName(Source source) {
    return source == Source::Files ? "swiss-files" : "swiss-analytical";
}

std::string CheckAyanamsa(const AyanamsaChoice& choice) {
    switch (choice.mode) {
    case AyanamsaMode::Lahiri:
    case AyanamsaMode::TrueChitra:
    case AyanamsaMode::Raman:
    case AyanamsaMode::Krishnamurti:
    case AyanamsaMode::Yukteshwar:
    case AyanamsaMode::FaganBradley:
    case AyanamsaMode::TruePushya:
        return {};
    case AyanamsaMode::User:
        // Written so that NaN fails too.
        if (std::isfinite(choice.userDegreesAtJ2000) &&
            choice.userDegreesAtJ2000 >= kUserAyanamsaMinDeg &&
            choice.userDegreesAtJ2000 <= kUserAyanamsaMaxDeg) {
            return {};
        }
        return "The user ayanamsa must be a number of degrees from 0 to 40 at J2000.";
    }
    return "The ayanamsa is not one of the known choices.";
}

std::string_view DefaultDataFolder() {
    return SELMARIND_SWE_EPHE_DIR;
}

std::string DataFolder() {
    const std::lock_guard lock(FolderMutex());
    return ConfiguredFolder();
}

std::string SetDataFolder(const std::string& folder) {
    if (folder.empty()) {
        return "The ephemeris data folder is empty.";
    }
    if (folder.find_first_of(":;") != std::string::npos) {
        return "The ephemeris data folder \"" + folder +
               "\" contains ':' or ';', which separate folders in a search list.";
    }
    if (folder.size() > kMaxFolderLength) {
        return "The ephemeris data folder is longer than " + std::to_string(kMaxFolderLength) +
               " characters.";
    }
    const std::lock_guard lock(FolderMutex());
    ConfiguredFolder() = folder;
    folderGeneration.fetch_add(1, std::memory_order_release);
    return {};
}

std::string EffectiveDataFolder() {
    // The library's own rule, read at the moment a folder is applied.
    const char* environment = std::getenv("SE_EPHE_PATH");
    if (environment != nullptr && *environment != '\0' &&
        std::string_view(environment).size() <= kMaxFolderLength) {
        return environment;
    }
    return DataFolder();
}

namespace detail {

void PrepareThread() {
    if (threadState.appliedGeneration == folderGeneration.load(std::memory_order_acquire)) {
        return;
    }
    std::string folder;
    std::uint64_t generation = 0;
    {
        const std::lock_guard lock(FolderMutex());
        folder = ConfiguredFolder();
        generation = folderGeneration.load(std::memory_order_relaxed);
    }
    // Closes the files of the previous folder and forgets cached positions.
    swe_set_ephe_path(folder.c_str());
    threadState.appliedGeneration = generation;
}

void ApplyAyanamsa(const AyanamsaChoice& choice) {
    switch (choice.mode) {
    case AyanamsaMode::Lahiri:
        swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);
        return;
    case AyanamsaMode::TrueChitra:
        swe_set_sid_mode(SE_SIDM_TRUE_CITRA, 0, 0);
        return;
    case AyanamsaMode::Raman:
        swe_set_sid_mode(SE_SIDM_RAMAN, 0, 0);
        return;
    case AyanamsaMode::Krishnamurti:
        swe_set_sid_mode(SE_SIDM_KRISHNAMURTI, 0, 0);
        return;
    case AyanamsaMode::Yukteshwar:
        swe_set_sid_mode(SE_SIDM_YUKTESHWAR, 0, 0);
        return;
    case AyanamsaMode::FaganBradley:
        swe_set_sid_mode(SE_SIDM_FAGAN_BRADLEY, 0, 0);
        return;
    case AyanamsaMode::TruePushya:
        swe_set_sid_mode(SE_SIDM_TRUE_PUSHYA, 0, 0);
        return;
    case AyanamsaMode::User:
        // t0 is terrestrial time for SE_SIDM_USER.
        swe_set_sid_mode(SE_SIDM_USER, kJ2000JdTt, choice.userDegreesAtJ2000);
        return;
    }
}

Source SourceOfReturnedFlags(int returnedFlags) {
    return (returnedFlags & SEFLG_SWIEPH) != 0 ? Source::Files : Source::Analytical;
}

bool DataFileCovers(DataFile file, double jdUt) {
    double firstJdTt = 0;
    double lastJdTt = 0;
    int jplNumber = 0;
    const char* path =
        swe_get_current_file_data(static_cast<int>(file), &firstJdTt, &lastJdTt, &jplNumber);
    char message[AS_MAXCH] = "";
    const double jdTt = jdUt + swe_deltat_ex(jdUt, SEFLG_SWIEPH, message);
    return path != nullptr && firstJdTt <= jdTt && jdTt <= lastJdTt;
}

std::string LibraryMessage(const char* text) {
    std::string message(text);
    while (!message.empty() &&
           (message.back() == ' ' || message.back() == ';' || message.back() == '\n')) {
        message.pop_back();
    }
    if (message.empty()) {
        return "The Swiss Ephemeris reported an error without a message.";
    }
    return message;
}

std::string CheckInstant(double jdUt) {
    if (!std::isfinite(jdUt)) {
        return "The instant is not a finite Julian day.";
    }
    if (jdUt < kFirstJdUt || jdUt >= kEndJdUt) {
        return "The instant lies outside the years -2999 to 2999 that the ephemeris covers.";
    }
    return {};
}

std::string CheckPlace(const Place& place) {
    if (!std::isfinite(place.latitudeDeg) || std::fabs(place.latitudeDeg) >= 90) {
        return "The latitude must lie strictly between -90 and 90 degrees.";
    }
    if (!std::isfinite(place.longitudeDeg) || std::fabs(place.longitudeDeg) > 180) {
        return "The longitude must lie between -180 and 180 degrees.";
    }
    return {};
}

double NormalizeDegrees(double x) {
    x = std::fmod(x, 360.0);
    if (x < 0) {
        x += 360.0;
    }
    // A tiny negative x comes back as exactly 360 after the addition.
    return x >= 360.0 ? 0.0 : x;
}

} // namespace detail

} // namespace selmarind::ephemeris
