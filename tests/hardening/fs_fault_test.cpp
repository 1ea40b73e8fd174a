// Whole runs on a file system that fails: a full disk, read-only files and directories, a project
// directory that vanishes, a symlinked handler file. The log reports each failure, a file logged
// as written holds its new content, and a file that failed keeps its old one.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <functional>
#include <set>
#include <streambuf>

#include "hardening/hardening_util.h"
#include "project/project_file.h"

namespace corvane {
namespace {

using namespace corvane::testing;

constexpr char kWritten[] = " -> Write File ";
constexpr char kFailed[] = " -> Error File ";
constexpr char kIncludeOpenFailed[] = " -> Error OpenFile ";
constexpr char kIncludeWriteFailed[] = " -> Error WriteFile ";
constexpr char kErrorSuffix[] = " / Errorcode: 1";
constexpr char kGeneratedFiles[][16] = {"Main.pb",      "CommonFile.pb",  "EventMain.pb",
                                        "EventMenu.pb", "EventGadget.pb", "EventWindow.pb"};

std::vector<std::string> LogLines(const std::string& log) {
  std::vector<std::string> lines;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool HasLine(const std::string& log, const std::string& line) {
  const std::vector<std::string> lines = LogLines(log);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A run's log ends with "Ready." or "Cancel." and an empty line.
bool EndsRun(const std::string& log) {
  return log.size() >= 8 && (log.ends_with("\nReady.\n\n") || log.ends_with("\nCancel.\n\n"));
}

class FsFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = tmp_ / "project/";
    ASSERT_TRUE(BuildRenameProject(dir_, {.gadgets = 300, .include_lines = 600}));
    old_ = TakeSnapshot(dir_);
    args_ = {"generate", dir_ + "project.pbm", "--bind", kRenameBind};
    ASSERT_EQ(RunInProcess(args_, &reference_log_), kExitReady);
    new_ = TakeSnapshot(dir_);
    Restore(dir_, old_);
  }

  // Every generated file the log names as written holds its new content, every one it names as
  // failed its old content, found below `base` (the project directory, or where it went). Each
  // generated file is named exactly once. Returns the number of failed files.
  int CheckReportedWrites(const std::string& log, const std::string& base) {
    int failed = 0;
    std::set<std::string> named;
    for (const std::string& line : LogLines(log)) {
      const bool written = line.starts_with(kWritten);
      if (!written && !line.starts_with(kFailed)) continue;
      std::string path = line.substr(std::string_view(written ? kWritten : kFailed).size());
      if (!written) {
        EXPECT_TRUE(path.ends_with(kErrorSuffix)) << line;
        path.resize(path.size() - std::string_view(kErrorSuffix).size());
        ++failed;
      }
      EXPECT_TRUE(path.starts_with(dir_)) << line;
      const std::string name = path.substr(dir_.size());
      named.insert(name);
      const Snapshot& expected = written ? new_ : old_;
      EXPECT_EQ(ReadBytes(base + name), expected.at(name))
          << name << (written ? " logged as written" : " logged as failed");
    }
    EXPECT_EQ(named.size(), std::size(kGeneratedFiles)) << log;
    return failed;
  }

  // No file of the old tree is lost or left half-written: each is old or new, and nothing but
  // files of the new tree was added (no temporary files).
  void CheckNothingLost(const std::string& base) {
    const Snapshot now = TakeSnapshot(base);
    for (const auto& [path, bytes] : old_) {
      ASSERT_TRUE(now.count(path)) << path << " was lost";
      EXPECT_TRUE(now.at(path) == bytes || (new_.count(path) && now.at(path) == new_.at(path)))
          << path << " is neither old nor new";
    }
    for (const auto& [path, bytes] : now) {
      EXPECT_TRUE(old_.count(path) || new_.count(path)) << "stray file " << path;
    }
  }

  TempDir tmp_;
  std::string dir_;
  Snapshot old_, new_;
  std::string reference_log_;
  std::vector<std::string> args_;
};

// Reads the output of a child process through a pipe (which no file size limit applies to).
std::string RunCliCapturing(const std::vector<std::string>& args, void (*setup)(), int* status) {
  TempDir out_dir;
  const std::string fifo = out_dir / "log";
  EXPECT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  CliProcess run(args, fifo, setup);
  std::string log = ReadBytes(fifo);  // blocks until the child opens its end, then reads to EOF
  *status = run.Wait();
  return log;
}

constexpr rlim_t kFileSizeLimit = 16 * 1024;
// The limit the next child gets (it inherits this process's memory at fork).
rlim_t file_size_limit = kFileSizeLimit;

void LimitFileSize() {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{file_size_limit, file_size_limit};
  if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
}

// The disk fills up: every file beyond the size limit fails midway through its write.
TEST_F(FsFaultTest, FullDiskFailsLargeFilesAndKeepsTheirOldContent) {
  int status = 0;
  const std::string log = RunCliCapturing(args_, LimitFileSize, &status);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), kExitReady) << log;
  EXPECT_TRUE(EndsRun(log)) << log;

  const int failed = CheckReportedWrites(log, dir_);
  EXPECT_GT(failed, 0) << "the limit should stop the large files";
  EXPECT_LT(failed, static_cast<int>(std::size(kGeneratedFiles))) << "and not the small ones";
  ASSERT_GT(old_.at("lib/Helpers.pbi").size(), kFileSizeLimit);
  EXPECT_TRUE(HasLine(log, kIncludeWriteFailed + dir_ + "lib/Helpers.pbi" + kErrorSuffix)) << log;
  EXPECT_TRUE(HasLine(log, "- Error CopyDirectory")) << log;
  CheckNothingLost(dir_);
}

// Read-only files, the super-user's included: the run reports them and leaves them as they were.
TEST_F(FsFaultTest, ReadOnlyFilesAreReportedAndKeptAsTheyWere) {
  const std::string read_only[] = {"EventMain.pb", "EventGadget.pb", "lib/Helpers.pbi"};
  for (const std::string& name : read_only) ASSERT_EQ(chmod((dir_ + name).c_str(), 0444), 0);
  std::string log;
  EXPECT_EQ(RunInProcess(args_, &log), kExitReady) << log;

  EXPECT_EQ(CheckReportedWrites(log, dir_), 2);
  EXPECT_TRUE(HasLine(log, kFailed + dir_ + "EventMain.pb" + kErrorSuffix)) << log;
  EXPECT_TRUE(HasLine(log, kFailed + dir_ + "EventGadget.pb" + kErrorSuffix)) << log;
  EXPECT_TRUE(HasLine(log, kIncludeOpenFailed + dir_ + "lib/Helpers.pbi" + kErrorSuffix)) << log;
  for (const std::string& name : read_only) {
    struct stat st;
    ASSERT_EQ(stat((dir_ + name).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u) << name;
  }
  CheckNothingLost(dir_);
}

constexpr uid_t kNobody = 65534;

void BecomeNobody() {
  if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(125);
}

// A project directory nobody but its owner may write to, run as another user: nothing can be
// created there, so only a file that user owns is written (in place); everything else fails.
TEST_F(FsFaultTest, ReadOnlyDirectoryFailsEveryWriteButAFileOfTheUser) {
  if (geteuid() != 0) GTEST_SKIP() << "needs to switch users";
  ASSERT_EQ(chmod(tmp_.path().c_str(), 0755), 0);
  ASSERT_EQ(chown((dir_ + "EventMenu.pb").c_str(), kNobody, kNobody), 0);
  for (const char* sub : {"lib", "Backup", ""}) ASSERT_EQ(chmod((dir_ + sub).c_str(), 0555), 0);
  int status = 0;
  const std::string log = RunCliCapturing(args_, BecomeNobody, &status);
  for (const char* sub : {"lib", "Backup", ""}) chmod((dir_ + sub).c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status)) << status << log;
  EXPECT_NE(WEXITSTATUS(status), 125) << "could not switch users";
  EXPECT_TRUE(EndsRun(log)) << log;

  EXPECT_EQ(CheckReportedWrites(log, dir_), 5);
  EXPECT_TRUE(HasLine(log, kWritten + dir_ + "EventMenu.pb")) << log;
  EXPECT_TRUE(HasLine(log, kIncludeOpenFailed + dir_ + "lib/Helpers.pbi" + kErrorSuffix)) << log;
  EXPECT_TRUE(HasLine(log, "- Error CopyDirectory")) << log;
  EXPECT_EQ(ReadBytes(dir_ + "project.pbm"), old_.at("project.pbm"));
  CheckNothingLost(dir_);
}

void BecomeNobodyWithFullDisk() {
  LimitFileSize();
  BecomeNobody();
}

// The same, when the disk fills up while the user's file is rewritten in place: the file is not
// left cut short, it keeps its old content.
TEST_F(FsFaultTest, FileWrittenInPlaceSurvivesAFullDisk) {
  if (geteuid() != 0) GTEST_SKIP() << "needs to switch users";
  const size_t old_size = old_.at("EventGadget.pb").size();
  const size_t new_size = new_.at("EventGadget.pb").size();
  ASSERT_LT(old_size + 64, new_size);
  file_size_limit = (old_size + new_size) / 2;
  ASSERT_EQ(chmod(tmp_.path().c_str(), 0755), 0);
  ASSERT_EQ(chown((dir_ + "EventGadget.pb").c_str(), kNobody, kNobody), 0);
  for (const char* sub : {"lib", "Backup", ""}) ASSERT_EQ(chmod((dir_ + sub).c_str(), 0555), 0);
  int status = 0;
  const std::string log = RunCliCapturing(args_, BecomeNobodyWithFullDisk, &status);
  file_size_limit = kFileSizeLimit;
  for (const char* sub : {"lib", "Backup", ""}) chmod((dir_ + sub).c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status)) << status << log;
  EXPECT_TRUE(EndsRun(log)) << log;

  EXPECT_EQ(CheckReportedWrites(log, dir_), 6);
  EXPECT_TRUE(HasLine(log, kFailed + dir_ + "EventGadget.pb" + kErrorSuffix)) << log;
  CheckNothingLost(dir_);
}

TEST_F(FsFaultTest, MissingProjectDirectoryIsAUsageErrorAndCreatesNothing) {
  std::filesystem::remove_all(dir_);
  int status = 0;
  const std::string log = RunCliCapturing(args_, nullptr, &status);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), kExitUsage);
  EXPECT_NE(log.find("cannot read the project file"), std::string::npos) << log;
  EXPECT_FALSE(Exists(dir_));
}

// An output stream that calls `action` once, right after the line `trigger` was written. The run
// waits for each log line to be shown, so the action happens at that exact point of the run.
class TriggerBuffer : public std::streambuf {
 public:
  TriggerBuffer(std::string trigger, std::function<void()> action)
      : trigger_(std::move(trigger)), action_(std::move(action)) {}
  const std::string& str() const { return text_; }
  bool fired() const { return fired_; }

 protected:
  // No put area: every character comes through here.
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    text_.push_back(traits_type::to_char_type(c));
    if (c == '\n' && !fired_ &&
        (text_.ends_with("\n" + trigger_ + "\n") || text_ == trigger_ + "\n")) {
      fired_ = true;
      action_();
    }
    return c;
  }

 private:
  std::string trigger_;
  std::function<void()> action_;
  std::string text_;
  bool fired_ = false;
};

// The project directory is moved away or deleted at several points of the run. The run ends
// normally, files it logs as written were written before the directory went, files it logs as
// failed are as they were, and nothing is created at the old place.
TEST_F(FsFaultTest, ProjectDirectoryThatVanishesDuringTheRun) {
  struct Case {
    std::string trigger;
    bool remove;  // deleted, else moved away
  };
  const std::vector<Case> cases = {
      {"Generate Code Step 3 ...", false},
      {"- Update IncludeFiles", false},
      {"- Write Files...", false},
      {kWritten + dir_ + "EventMain.pb", false},
      {kWritten + dir_ + "EventWindow.pb", false},
      {"Generate Code Step 2 ...", true},
      {kWritten + dir_ + "CommonFile.pb", true},
  };
  const std::string moved = tmp_ / "moved/";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.trigger + (c.remove ? " (deleted)" : " (moved)"));
    std::filesystem::remove_all(moved);
    std::filesystem::create_directories(dir_);
    Restore(dir_, old_);
    TriggerBuffer buffer(c.trigger, [&] {
      if (c.remove) {
        std::filesystem::remove_all(dir_);
      } else {
        std::filesystem::rename(dir_, moved);
      }
    });
    std::ostream out(&buffer);
    std::ostringstream err;
    const int status = CliMain(args_, out, err);
    const std::string log = buffer.str();
    ASSERT_TRUE(buffer.fired()) << log;
    EXPECT_EQ(status, kExitReady) << log << err.str();
    EXPECT_TRUE(EndsRun(log)) << log;
    EXPECT_FALSE(Exists(dir_)) << "recreated";
    if (c.remove) {
      const std::string after = log.substr(log.find(c.trigger) + c.trigger.size());
      EXPECT_EQ(after.find(kWritten), std::string::npos) << log;
      continue;
    }
    CheckReportedWrites(log, moved);
    CheckNothingLost(moved);
  }
}

// A handler file that is a symlink stays one; the file it names gets the new content, and the
// backup holds a copy of the old content.
TEST_F(FsFaultTest, SymlinkedHandlerFileKeepsTheLink) {
  const std::string elsewhere = tmp_ / "shared/";
  std::filesystem::create_directories(elsewhere);
  WriteBytes(elsewhere + "EventGadget.pb", old_.at("EventGadget.pb"));
  std::filesystem::remove(dir_ + "EventGadget.pb");
  std::filesystem::create_symlink("../shared/EventGadget.pb", dir_ + "EventGadget.pb");

  std::string log;
  EXPECT_EQ(RunInProcess(args_, &log), kExitReady) << log;
  EXPECT_EQ(CheckReportedWrites(log, dir_), 0);
  ASSERT_TRUE(std::filesystem::is_symlink(dir_ + "EventGadget.pb"));
  EXPECT_EQ(std::filesystem::read_symlink(dir_ + "EventGadget.pb"), "../shared/EventGadget.pb");
  EXPECT_EQ(ReadBytes(elsewhere + "EventGadget.pb"), new_.at("EventGadget.pb"));
  EXPECT_FALSE(std::filesystem::is_symlink(dir_ + "Backup/EventGadget.pb"));
  EXPECT_EQ(ReadBytes(dir_ + "Backup/EventGadget.pb"), old_.at("EventGadget.pb"));
  EXPECT_EQ(TakeSnapshot(elsewhere).size(), 1u) << "temporary file left beside the target";
}

}  // namespace
}  // namespace corvane
