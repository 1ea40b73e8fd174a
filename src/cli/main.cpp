#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "platform/memory.h"

int main(int argc, char** argv) {
  corvane::TuneAllocatorForLargeRuns();
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return corvane::CliMain(args, std::cout, std::cerr);
}
