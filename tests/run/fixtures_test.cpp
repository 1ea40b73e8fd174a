// Whole runs of corvane-cli on the fixture projects under tests/fixtures/, compared byte for byte.
//
// A fixture is a folder with `input/` (the project as the user has it, project file "project.pbm")
// and one or more steps `run1/`, `run2/`, ... Each step may hold `args` (extra command-line words,
// one per line), `changes/` (files copied over the project before the run, as the user's edits) and
// `expected/`: every file there must exist in the project with exactly that content, except
// `log.txt` (the standard output; "$DIR/" stands for the project directory), `exit` (the exit
// status) and `NAME.absent` (the file NAME must not exist).
//
// CORVANE_BLESS=1 writes what a run produced (log, exit status, every file of the project)
// into `expected/` instead of comparing; read every such change before committing it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "test_util.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

std::vector<std::string> ReadArgs(const fs::path& file) {
  std::vector<std::string> args;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) args.push_back(line);
  }
  return args;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

void CopyTree(const fs::path& from, const fs::path& to) {
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void CheckExpected(const fs::path& expected, const std::string& dir, const std::string& log,
                   int status) {
  for (const auto& entry : fs::recursive_directory_iterator(expected)) {
    if (!entry.is_regular_file()) continue;
    const std::string rel = fs::relative(entry.path(), expected).string();
    const std::string want = ReadBytes(entry.path().string());
    if (rel == "log.txt") {
      EXPECT_EQ(ReplaceAll(log, dir, "$DIR/"), want) << "standard output";
    } else if (rel == "exit") {
      EXPECT_EQ(std::to_string(status) + "\n", want) << "exit status";
    } else if (rel.size() > 7 && rel.substr(rel.size() - 7) == ".absent") {
      EXPECT_FALSE(fs::exists(dir + rel.substr(0, rel.size() - 7))) << rel;
    } else {
      ASSERT_TRUE(fs::exists(dir + rel)) << rel << " was not written";
      EXPECT_EQ(ReplaceAll(ReadBytes(dir + rel), dir, "$DIR/"), want) << rel;
    }
  }
}

void Bless(const fs::path& expected, const std::string& dir, const std::string& log, int status) {
  fs::create_directories(expected);
  testing::WriteBytes((expected / "log.txt").string(), ReplaceAll(log, dir, "$DIR/"));
  testing::WriteBytes((expected / "exit").string(), std::to_string(status) + "\n");
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    const fs::path target = expected / fs::relative(entry.path(), dir);
    fs::create_directories(target.parent_path());
    testing::WriteBytes(target.string(), ReplaceAll(ReadBytes(entry.path().string()), dir, "$DIR/"));
  }
}

class FixtureTest : public ::testing::TestWithParam<std::string> {};

TEST_P(FixtureTest, MatchesExpectedFiles) {
  const fs::path fixture = fs::path(CORVANE_FIXTURES) / "runs" / GetParam();
  TempDir tmp;
  const std::string dir = tmp.path();
  CopyTree(fixture / "input", dir);
  for (int step = 1; fs::exists(fixture / ("run" + std::to_string(step))); ++step) {
    SCOPED_TRACE("run" + std::to_string(step));
    const fs::path run = fixture / ("run" + std::to_string(step));
    if (fs::exists(run / "changes")) CopyTree(run / "changes", dir);
    std::vector<std::string> args = {"generate", dir + "project.pbm"};
    if (fs::exists(run / "args")) {
      for (std::string& arg : ReadArgs(run / "args")) args.push_back(ReplaceAll(arg, "$DIR/", dir));
    }
    std::ostringstream out, err;
    const int status = CliMain(args, out, err);
    if (std::getenv("CORVANE_BLESS") != nullptr) {
      Bless(run / "expected", dir, out.str(), status);
    } else {
      CheckExpected(run / "expected", dir, out.str(), status);
    }
  }
}

std::vector<std::string> FixtureNames() {
  std::vector<std::string> names;
  const fs::path root = fs::path(CORVANE_FIXTURES) / "runs";
  if (!fs::exists(root)) return names;
  for (const auto& entry : fs::directory_iterator(root)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Runs, FixtureTest, ::testing::ValuesIn(FixtureNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace corvane
