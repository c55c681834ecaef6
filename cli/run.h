#pragma once
// Runs a parsed request through the core and tells the exit status.

#include "request.h"

namespace mirelant::cli {

// Prepares the operation, runs each worker on a thread of its own and waits
// for all of them. With several workers the worst outcome decides. Prints the
// closing status on stdout when the run is done.
ExitCode RunRequest(const Request& request);

}  // namespace mirelant::cli
