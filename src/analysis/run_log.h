// Where the steps of a generation run report their lines.
#pragma once

#include <vector>

#include "platform/text/text.h"

namespace corvane {

// The last lines of a run: "Ready." after a run that wrote its files, "Cancel." after a stop; each
// is followed by an empty line.
inline constexpr TextView kLogReady = U"Ready.";
inline constexpr TextView kLogCancel = U"Cancel.";

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
