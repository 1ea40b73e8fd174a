// A generation run killed with SIGKILL at any moment leaves every file either as it was before
// the run or as an uninterrupted run writes it, and the project file still reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include "hardening/hardening_util.h"
#include "project/project_file.h"

namespace corvane {
namespace {

using namespace corvane::testing;
using Clock = std::chrono::steady_clock;

constexpr int kTrials = 200;
// Kill delays run from 0 to this much of the measured run time, so the last ones miss the run.
constexpr double kDelaySpan = 1.2;

// The files a run rewrites, in the order it writes them (after the backup).
const std::vector<std::string> kWriteOrder = {
    "lib/Helpers.pbi", "Main.pb",        "CommonFile.pb",  "EventMain.pb",
    "EventMenu.pb",    "EventGadget.pb", "EventWindow.pb", "project.pbm",
};

// The identifier lists stored in a project file's bytes, as ReadProject gives them.
std::vector<Text> ProjectLists(const std::string& path, int* read_result) {
  PlainProjectHost host;
  SourceModel model;
  ProjectState state;
  *read_result = ReadProject(host, model, state, FromUtf8(path));
  std::vector<Text> lists = host.files;
  for (const auto* list : {&model.ListOldWindowID, &model.ListOldMenuID, &model.ListOldMenuItemID,
                           &model.ListOldGadgetID}) {
    lists.push_back(U"|");
    lists.insert(lists.end(), list->begin(), list->end());
  }
  return lists;
}

struct TrialCounts {
  int trials = 0;
  int finished = 0;   // the run ended before the kill
  int all_old = 0;    // killed before it changed any file
  int all_new = 0;    // every file already in its new state
  int between = 0;    // some files new, some old
  int with_temp = 0;  // a temporary file of the writer was left behind
};

class KillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = tmp_ / "project/";
    ASSERT_TRUE(BuildRenameProject(dir_, {.gadgets = 1000, .include_lines = 1000}));
    old_ = TakeSnapshot(dir_);
    args_ = {"generate", dir_ + "project.pbm", "--bind", kRenameBind};
  }

  // Runs once without interruption (from the old state, unless told to run on the tree as it is);
  // the wall time of the whole process.
  Clock::duration ReferenceRun(bool restore = true) {
    if (restore) Restore(dir_, old_);
    const auto start = Clock::now();
    CliProcess run(args_, tmp_ / "reference.log");
    const int status = run.Wait();
    const auto took = Clock::now() - start;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kExitReady)
        << status << "\n"
        << ReadBytes(tmp_ / "reference.log");
    return took;
  }

  // Checks the tree after one killed run; updates the counts.
  void CheckAfterKill(const Snapshot& now, double delay_ms, TrialCounts& counts) {
    SCOPED_TRACE("kill after " + std::to_string(delay_ms) + " ms");
    for (const auto& [path, bytes] : now) {
      if (IsWriterTempName(path)) continue;
      const auto old_file = old_.find(path);
      const auto new_file = new_.find(path);
      const bool is_old = old_file != old_.end() && old_file->second == bytes;
      const bool is_new = new_file != new_.end() && new_file->second == bytes;
      EXPECT_TRUE(is_old || is_new)
          << path << " is neither its old nor its new content (" << bytes.size() << " bytes)";
    }
    // A file of the old tree is never lost; a file the run adds is either absent or complete.
    for (const auto& [path, bytes] : old_) EXPECT_TRUE(now.count(path)) << path << " was lost";

    std::vector<bool> written;
    for (const std::string& path : kWriteOrder) written.push_back(now.at(path) == new_.at(path));
    // Files are replaced one after another, so the new ones are a leading part of the order,
    // and the backup is complete before the first of them.
    EXPECT_TRUE(std::is_sorted(written.rbegin(), written.rend())) << "written out of order";
    if (written.front()) {
      for (const auto& [path, bytes] : new_) {
        if (path.rfind("Backup/", 0) == 0) {
          EXPECT_EQ(now.at(path), bytes) << path;
        }
      }
    }

    int read = 0;
    const std::vector<Text> lists = ProjectLists(dir_ + "project.pbm", &read);
    EXPECT_EQ(read, 1);
    EXPECT_TRUE(lists == old_lists_ || lists == new_lists_) << "project file lists are mixed";

    const bool any_new = std::count(written.begin(), written.end(), true) > 0;
    const bool backup_touched = std::any_of(now.begin(), now.end(), [&](const auto& file) {
      const auto old_file = old_.find(file.first);
      return !IsWriterTempName(file.first) &&
             (old_file == old_.end() || old_file->second != file.second);
    });
    if (!any_new && !backup_touched) {
      ++counts.all_old;
    } else if (written.back()) {
      ++counts.all_new;
    } else {
      ++counts.between;
    }
    if (!TempFilesIn(now).empty()) ++counts.with_temp;
  }

  TempDir tmp_;
  std::string dir_;
  Snapshot old_, new_;
  std::vector<Text> old_lists_, new_lists_;
  std::vector<std::string> args_;
};

TEST_F(KillTest, EveryFileIsOldOrNewWhereverTheRunIsKilled) {
  // The middle of three runs: the first one, with cold caches, is often the slowest by far.
  std::vector<Clock::duration> times;
  for (int i = 0; i < 3; ++i) times.push_back(ReferenceRun());
  std::sort(times.begin(), times.end());
  const Clock::duration run_time = times[1];
  new_ = TakeSnapshot(dir_);
  ASSERT_TRUE(TempFilesIn(new_).empty());
  for (const std::string& path : kWriteOrder) {
    ASSERT_NE(old_.at(path), new_.at(path)) << path << " should change in this run";
  }
  int read = 0;
  new_lists_ = ProjectLists(dir_ + "project.pbm", &read);
  Restore(dir_, old_);
  old_lists_ = ProjectLists(dir_ + "project.pbm", &read);
  ASSERT_NE(old_lists_, new_lists_);

  // Evenly spread delays, each shifted by a little noise from a fixed seed.
  std::mt19937 random(20240611);
  std::uniform_real_distribution<double> jitter(0.0, 1.0);
  const double run_ms = std::chrono::duration<double, std::milli>(run_time).count();
  TrialCounts counts;
  for (int trial = 0; trial < kTrials; ++trial) {
    const double delay_ms = (trial + jitter(random)) / kTrials * kDelaySpan * run_ms;
    Restore(dir_, old_);
    const auto start = Clock::now();
    CliProcess run(args_);
    std::this_thread::sleep_until(start + std::chrono::duration<double, std::milli>(delay_ms));
    run.Kill();
    const int status = run.Wait();
    ++counts.trials;
    if (WIFEXITED(status)) {
      EXPECT_EQ(WEXITSTATUS(status), kExitReady);
      ++counts.finished;
    }
    CheckAfterKill(TakeSnapshot(dir_), delay_ms, counts);
    if (HasFailure()) break;
  }

  std::printf(
      "[ kill     ] %d trials over %.1f ms: %d killed before any change, %d between, %d after "
      "the last write, %d finished; %d left a temporary file\n",
      counts.trials, run_ms, counts.all_old, counts.between, counts.all_new, counts.finished,
      counts.with_temp);
  EXPECT_GE(counts.trials, 200);
  EXPECT_GT(counts.all_old, 0);
  EXPECT_GT(counts.all_new, 0);

  // The next uninterrupted run clears what killed writers left behind and ends as the reference.
  ReferenceRun();
  EXPECT_EQ(TakeSnapshot(dir_), new_);
}

// Temporary files of a writer that is gone are removed by the next run; one of a live process
// (this test) stays, since it may still be renamed into place.
TEST_F(KillTest, NextRunRemovesTemporaryFilesOfDeadWritersOnly) {
  const pid_t dead = DeadPid();
  const std::string stale[] = {TempNameOf("Main.pb", dead),
                               "lib/" + TempNameOf("Helpers.pbi", dead),
                               TempNameOf("project.pbm", dead)};
  const std::string live = TempNameOf("EventMain.pb", getpid());
  const std::string lookalike = ".Main.pb.corvane-notes";  // not of the writer's pattern
  Restore(dir_, old_);
  for (const std::string& name : stale) WriteBytes(dir_ + name, "half");
  WriteBytes(dir_ + live, "busy");
  WriteBytes(dir_ + lookalike, "mine");

  ReferenceRun(/*restore=*/false);
  for (const std::string& name : stale) EXPECT_FALSE(Exists(dir_ + name)) << name;
  EXPECT_EQ(ReadBytes(dir_ + live), "busy");
  EXPECT_EQ(ReadBytes(dir_ + lookalike), "mine");
  // The backup holds sources, not the writers' leftovers.
  for (const auto& [path, bytes] : TakeSnapshot(dir_ + "Backup/")) {
    EXPECT_FALSE(IsWriterTempName(path)) << path;
  }
}

}  // namespace
}  // namespace corvane
