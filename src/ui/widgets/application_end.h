// Ending the program.
#pragma once

namespace selmarind {

// Closes every top-level window (each runs its close handling) and ends the
// event loop, so the process exits.
void CloseAllAndEnd();

} // namespace selmarind
