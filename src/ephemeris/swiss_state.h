// Internal to the precise source: the per-thread state of the Swiss
// Ephemeris and the checks every call shares. Not installed for callers.
#pragma once

#include "ephemeris/ephemeris_types.h"

#include <string>

namespace selmarind::ephemeris::detail {

// Brings the calling thread's library state (data folder) in line with the
// process-wide setting; cheap when nothing changed.
// Every function that calls the library calls this first. A thread starts
// with the library's own defaults (another ayanamsa, a folder list that
// begins with the working directory), so skipping it gives wrong results
// silently, not an error.
void PrepareThread();

// Sets the library's sidereal mode on this thread for the next sidereal
// computation. Called before every one, so that no mode of an earlier chart
// (or of anything else calling the library on this thread) carries over.
// The choice must have passed CheckAyanamsa.
void ApplyAyanamsa(const AyanamsaChoice& choice);

// Files or Analytical from the flags a position call returned (>= 0).
Source SourceOfReturnedFlags(int returnedFlags);

// The data files the library keeps open, by its own numbering.
enum class DataFile {
    Planetary = 0,
    Lunar = 1,
};

// Whether the file of that kind that the library last opened on this thread
// covers jdUt: true exactly when the last computation that needed it was
// served from it. A file that was looked for and not found covers nothing.
bool DataFileCovers(DataFile file, double jdUt);

// The library's message text without its trailing spaces and separators;
// a fixed text when the library left it empty.
std::string LibraryMessage(const char* text);

// Empty when the instant is accepted, else why not.
std::string CheckInstant(double jdUt);

// Empty when the place is accepted, else why not.
std::string CheckPlace(const Place& place);

// x reduced to [0, 360).
double NormalizeDegrees(double x);

} // namespace selmarind::ephemeris::detail
