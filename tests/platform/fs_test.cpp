#include "platform/fs/fs.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "test_util.h"

namespace corvane {
namespace {

// A fresh directory under /tmp for each test, removed with everything in it afterwards.
class FsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char templ[] = "/tmp/corvane-fs-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    dir_ = templ;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(dir_, ignored);
  }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }

  std::string Read(const std::string& name) const { return ReadPath(Path(name)); }

  static std::string ReadPath(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }

  static std::set<std::string> Names(const std::string& path) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  mode_t Mode(const std::string& name) const {
    struct stat st;
    EXPECT_EQ(lstat(Path(name).c_str(), &st), 0);
    return st.st_mode & 07777;
  }

  std::string dir_;
};

TEST(PathPartsTest, SplitsDirectoryFileAndExtension) {
  const struct {
    const char* path;
    const char* directory;
    const char* file;
    const char* extension;
  } cases[] = {
      {"/a/b/c.pb", "/a/b/", "c.pb", "pb"},
      {"a/b.tar.gz", "a/", "b.tar.gz", "gz"},
      {"a.dir/file", "a.dir/", "file", ""},
      {"file", "", "file", ""},
      {"/a/b/", "/a/b/", "", ""},
      {"/", "/", "", ""},
      {"", "", "", ""},
      {"x/name.", "x/", "name.", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DirectoryPart(c.path), c.directory) << c.path;
    EXPECT_EQ(FilePart(c.path), c.file) << c.path;
    EXPECT_EQ(ExtensionPart(c.path), c.extension) << c.path;
  }
}

TEST(WildcardMatchTest, MatchesStarAndQuestionMark) {
  const struct {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {
      {"*.pb*", "a.pb", true},
      {"*.pb*", "b.pbi", true},
      {"*.pb*", "c.pbf", true},
      {"*.pb*", "readme.txt", false},
      {"*.pb*", "pb", false},
      {"*", "", true},
      {"", "", true},
      {"", "a", false},
      {"?", "", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"*a*b", "xaxxb", true},
      {"*a*b", "xaxxbc", false},
      {"**", "x", true},
      {"a*", "a", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " vs " << c.name;
  }
}

// Backtracking over every "*" would never finish on this.
TEST(WildcardMatchTest, ManyStarsDoNotBlowUp) {
  const std::string name(5000, 'a');
  EXPECT_FALSE(WildcardMatch("*a*a*a*a*a*a*a*a*a*a*b", name));
}

TEST_F(FsTest, FileSizeReportsMissingDirectoryAndBytes) {
  Write("five", "12345");
  Write("empty", "");
  EXPECT_EQ(FileSize(Path("five")), 5);
  EXPECT_EQ(FileSize(Path("empty")), 0);
  EXPECT_EQ(FileSize(Path("missing")), kPathMissing);
  EXPECT_EQ(FileSize(dir_), kPathIsDirectory);
}

TEST_F(FsTest, CreateDirectoryFailsWhenItExists) {
  EXPECT_TRUE(CreateDirectory(Path("sub")));
  EXPECT_EQ(FileSize(Path("sub")), kPathIsDirectory);
  EXPECT_FALSE(CreateDirectory(Path("sub")));
  EXPECT_FALSE(CreateDirectory(Path("no/such/parent")));
}

TEST_F(FsTest, CopyDirectoryCopiesMatchingRegularFilesOnly) {
  ASSERT_TRUE(CreateDirectory(Path("from")));
  ASSERT_TRUE(CreateDirectory(Path("to")));
  const std::string binary("\0\xFF\r\n\x1A", 5);
  Write("from/a.pb", binary);
  Write("from/b.pbi", "include");
  Write("from/c.pbf", "form");
  Write("from/x.pbm", "");
  Write("from/readme.txt", "not copied");
  ASSERT_TRUE(CreateDirectory(Path("from/sub.pbd")));
  Write("from/sub.pbd/inner.pb", "not copied");
  Write("outside", "through a link");
  ASSERT_EQ(symlink(Path("outside").c_str(), Path("from/link.pb").c_str()), 0);
  Write("to/b.pbi", "old content that is longer");

  EXPECT_TRUE(CopyDirectory(Path("from"), Path("to"), "*.pb*"));
  EXPECT_EQ(Names(Path("to")),
            (std::set<std::string>{"a.pb", "b.pbi", "c.pbf", "x.pbm", "link.pb"}));
  EXPECT_EQ(Read("to/a.pb"), binary);
  EXPECT_EQ(Read("to/b.pbi"), "include");
  EXPECT_EQ(Read("to/link.pb"), "through a link");
  EXPECT_FALSE(std::filesystem::is_symlink(Path("to/link.pb")));
}

TEST_F(FsTest, CopyDirectoryFailsOnUnusableDirectories) {
  ASSERT_TRUE(CreateDirectory(Path("from")));
  Write("from/a.pb", "x");
  Write("plain", "");
  EXPECT_FALSE(CopyDirectory(Path("missing"), dir_, "*"));
  EXPECT_FALSE(CopyDirectory(Path("from"), Path("missing"), "*"));
  EXPECT_FALSE(CopyDirectory(Path("from"), Path("plain"), "*"));
}

TEST_F(FsTest, ReadFileBytesIsExact) {
  const std::string bytes = std::string("\0a\r\n\xFF", 5) + std::string(200000, 'z');
  Write("f", bytes);
  std::string out = "stale";
  ASSERT_TRUE(ReadFileBytes(Path("f"), out));
  EXPECT_EQ(out, bytes);
  ASSERT_TRUE(ReadFileBytes(Path("f"), out, 4));
  EXPECT_EQ(out, bytes.substr(0, 4));
  ASSERT_TRUE(ReadFileBytes(Path("f"), out, 100000));  // past the first read's buffer
  EXPECT_EQ(out, bytes.substr(0, 100000));
  EXPECT_FALSE(ReadFileBytes(Path("missing"), out));
  EXPECT_FALSE(ReadFileBytes(dir_, out));
}

TEST_F(FsTest, OpenOrCreateCreatesButKeepsContent) {
  EXPECT_TRUE(OpenOrCreate(Path("new.ini")));
  EXPECT_EQ(FileSize(Path("new.ini")), 0);
  Write("old.ini", "[Group]");
  EXPECT_TRUE(OpenOrCreate(Path("old.ini")));
  EXPECT_EQ(Read("old.ini"), "[Group]");
  chmod(Path("old.ini").c_str(), 0444);
  EXPECT_FALSE(OpenOrCreate(Path("old.ini")));
  EXPECT_FALSE(OpenOrCreate(Path("missing/dir.ini")));
  EXPECT_FALSE(OpenOrCreate(dir_));
}

TEST_F(FsTest, IsReadOnlyLooksAtWriteBitsEvenForSuperUser) {
  Write("f", "x");
  EXPECT_FALSE(IsReadOnly(Path("f")));
  EXPECT_FALSE(IsReadOnly(Path("missing")));
  chmod(Path("f").c_str(), 0444);
  EXPECT_TRUE(IsReadOnly(Path("f")));
  chmod(Path("f").c_str(), 0200);
  EXPECT_FALSE(IsReadOnly(Path("f")));
}

TEST_F(FsTest, WriteFileAtomicCreatesNewFile) {
  const std::string bytes("a\0b", 3);
  ASSERT_TRUE(WriteFileAtomic(Path("new.pb"), bytes));
  EXPECT_EQ(Read("new.pb"), bytes);
  EXPECT_EQ(Names(dir_), std::set<std::string>{"new.pb"});
  EXPECT_FALSE(WriteFileAtomic(Path("missing/new.pb"), "x"));
}

TEST_F(FsTest, WriteFileAtomicReplacesAndKeepsPermissions) {
  Write("f.pb", "old content, longer than the new one");
  ASSERT_EQ(chmod(Path("f.pb").c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileAtomic(Path("f.pb"), "new"));
  EXPECT_EQ(Read("f.pb"), "new");
  EXPECT_EQ(Mode("f.pb"), 0640u);
  ASSERT_TRUE(WriteFileAtomic(Path("f.pb"), ""));
  EXPECT_EQ(FileSize(Path("f.pb")), 0);
  EXPECT_EQ(Names(dir_), std::set<std::string>{"f.pb"});
}

TEST_F(FsTest, WriteFileAtomicFollowsSymlinkChain) {
  ASSERT_TRUE(CreateDirectory(Path("real")));
  Write("real/target.pb", "old");
  ASSERT_EQ(symlink("real/target.pb", Path("link1").c_str()), 0);  // relative link
  ASSERT_EQ(symlink(Path("link1").c_str(), Path("link2").c_str()), 0);
  ASSERT_TRUE(WriteFileAtomic(Path("link2"), "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link1")));
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link2")));
  EXPECT_EQ(Read("real/target.pb"), "new");
  EXPECT_EQ(Names(Path("real")), std::set<std::string>{"target.pb"});
}

TEST_F(FsTest, WriteFileAtomicThroughDanglingLinkCreatesItsTarget) {
  ASSERT_EQ(symlink("created.pb", Path("dangling").c_str()), 0);
  ASSERT_TRUE(WriteFileAtomic(Path("dangling"), "x"));
  EXPECT_TRUE(std::filesystem::is_symlink(Path("dangling")));
  EXPECT_EQ(Read("created.pb"), "x");
}

TEST_F(FsTest, WriteFileAtomicRefusesReadOnlyFileDirectoryAndLoop) {
  Write("ro.pb", "keep");
  ASSERT_EQ(chmod(Path("ro.pb").c_str(), 0444), 0);
  EXPECT_FALSE(WriteFileAtomic(Path("ro.pb"), "lost"));
  EXPECT_EQ(Read("ro.pb"), "keep");
  EXPECT_EQ(Mode("ro.pb"), 0444u);

  ASSERT_TRUE(CreateDirectory(Path("d")));
  EXPECT_FALSE(WriteFileAtomic(Path("d"), "x"));
  EXPECT_EQ(FileSize(Path("d")), kPathIsDirectory);

  ASSERT_EQ(symlink("loop", Path("loop").c_str()), 0);
  EXPECT_FALSE(WriteFileAtomic(Path("loop"), "x"));
  EXPECT_EQ(Names(dir_), (std::set<std::string>{"ro.pb", "d", "loop"}));
}

// A write cut off by the file size limit stands for a full disk: the old file stays as it was and
// no temporary file is left behind.
TEST_F(FsTest, WriteFileAtomicFailingMidwayKeepsOldFile) {
  const std::string old(3000, 'o');
  Write("f.pb", old);
  bool written;
  {
    testing::FileSizeLimit limit(1024);
    ASSERT_TRUE(limit.active());
    written = WriteFileAtomic(Path("f.pb"), std::string(100000, 'n'));
  }

  EXPECT_FALSE(written);
  EXPECT_EQ(Read("f.pb"), old);
  EXPECT_EQ(Names(dir_), std::set<std::string>{"f.pb"});
}

TEST_F(FsTest, WriteFileAtomicStreamJoinsPiecesOrKeepsOldFile) {
  Write("f.pb", "old");
  EXPECT_TRUE(WriteFileAtomicStream(Path("f.pb"), [](const ByteSink& sink) {
    return sink("new ") && sink("") && sink("content");
  }));
  EXPECT_EQ(Read("f.pb"), "new content");
  EXPECT_FALSE(WriteFileAtomicStream(Path("f.pb"), [](const ByteSink& sink) {
    return sink("half") && false;  // the producer gives up
  }));
  EXPECT_EQ(Read("f.pb"), "new content");
  EXPECT_EQ(Names(dir_), std::set<std::string>{"f.pb"});
}

// As an ordinary user in a directory it may not write to, a file it owns is still written, in
// place. Runs in a child process that gives up the super-user's rights.
TEST_F(FsTest, WriteFileAtomicFallsBackToInPlaceWithoutDirectoryRights) {
  if (geteuid() != 0) GTEST_SKIP() << "needs to switch users";
  constexpr uid_t kNobody = 65534;
  Write("mine.pb", "old");
  Write("theirs.pb", "old");
  ASSERT_EQ(chown(Path("mine.pb").c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(chmod(dir_.c_str(), 0755), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
    const bool mine = WriteFileAtomic(Path("mine.pb"), "new");
    const bool theirs = WriteFileAtomic(Path("theirs.pb"), "new");
    _exit(mine && !theirs ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(Read("mine.pb"), "new");
  EXPECT_EQ(Read("theirs.pb"), "old");
}

TEST(ExecutableDirectoryTest, NamesDirectoryOfThisTest) {
  const std::string dir = ExecutableDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.front(), '/');
  EXPECT_EQ(dir.back(), '/');
  EXPECT_EQ(FileSize(dir), kPathIsDirectory);
}

TEST(AbsolutePathTest, PrependsWorkingDirectoryToRelativePaths) {
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(AbsolutePath("/x/y"), "/x/y");
  EXPECT_EQ(AbsolutePath("not/there.pb"), cwd + "/not/there.pb");
}

}  // namespace
}  // namespace corvane
