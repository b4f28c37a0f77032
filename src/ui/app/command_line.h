// What the program does when started from a shell with one of its own
// options instead of opening its windows: --version, and --self-test, the
// start-and-exit check packaging runs on an installed tree.
#pragma once

namespace selmarind {

enum class StartMode {
    Windows,  // the ordinary start
    Version,  // --version: "selmarind 1.25" on standard output, status 0
    SelfTest, // --self-test: see RunSelfTest
};

// The mode `argv` asks for. Qt's own options (-platform, -style ...) and
// file names pass through to the ordinary start.
StartMode StartModeOf(int argc, char* argv[]);

// Prints the version line; returns the exit status (0).
int PrintVersion();

// Makes the self-test run without a display. Call before the QApplication
// is made.
void PrepareSelfTest();

// Builds and shows the birth form offscreen and checks that the help page,
// the notices and the atlas are found and readable and that the tz database
// answers. Prints each fault (naming the file) to standard error and one
// summary line to standard output; returns 0 when all is well, 1 otherwise.
// Takes no single-instance lock, so it runs beside a running copy.
int RunSelfTest();

} // namespace selmarind
