#pragma once

// Ctrl-C and a polite kill (SIGINT, SIGTERM) during an update: the transfer
// is stopped at its next pause, the files it had begun are removed, and the
// program then ends by the same signal, as the shell expects. A second
// signal ends it at once.
namespace dorvanta::cli {

void CatchStopSignals();

// The signal caught, 0 when none.
int StopSignal();

// Ends the program by the caught signal, if there was one.
void EndByStopSignal();

} // namespace dorvanta::cli
