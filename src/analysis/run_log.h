// Where the steps of a generation run report their lines.
#pragma once

#include <vector>

#include "platform/text/text.h"

namespace corvane {

class RunLog {
 public:
  virtual ~RunLog() = default;
  // Shows `line` as the next line of the run's log; returns when it is shown.
  virtual void WriteLog(const Text& line) = 0;
};

// Keeps the lines in memory (tests, and passes that run outside a whole run).
class RecordingLog : public RunLog {
 public:
  void WriteLog(const Text& line) override { lines.push_back(line); }
  std::vector<Text> lines;
};

}  // namespace corvane
