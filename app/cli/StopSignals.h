// SIGINT and SIGTERM turned into a stop request that the running job sees
// at its next stop question. A second signal ends the program at once.
#pragma once

namespace stop_signals {

// From here on the two signals request a stop instead of ending the program.
void Install();
bool Requested();

} // namespace stop_signals
