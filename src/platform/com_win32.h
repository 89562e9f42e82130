// COM for the thread, started on first use: only the commands that use shell objects pay for it.
#pragma once

namespace tovrik {

// Initialises COM as a single-threaded apartment once per process; it is released when the process ends.
void ensureComInitialized();

}  // namespace tovrik
