// corvane-cli: the generation run without a window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace corvane {

inline constexpr int kExitReady = 0;
inline constexpr int kExitCancel = 1;
inline constexpr int kExitUsage = 2;

// Runs the command line `args` (without the program name). Standard output gets the run's log,
// standard error the messages for the user. Returns the exit status.
int CliMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace corvane
