// The update commands are registered here; none exist yet.

#include "cli/commands.h"

namespace dorvanta::cli {

void RegisterUpdateCommands(CLI::App& /*app*/, const GlobalOptions& /*globals*/) {}

} // namespace dorvanta::cli
