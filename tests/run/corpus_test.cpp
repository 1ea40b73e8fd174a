// Every form file of the shared corpus goes through a whole run without a crash or a hang, with
// the default switches and with every switch on.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "test_util.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles() {
  std::vector<fs::path> files;
  const fs::path root = fs::path(CORVANE_CORPUS) / "forms";
  if (!fs::exists(root)) return files;
  for (const auto& entry : fs::directory_iterator(root)) {
    const std::string ext = entry.path().extension().string();
    if (entry.is_regular_file() && ext.size() >= 3 && ext.substr(0, 3) == ".pb") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

int Generate(const std::string& project, std::vector<std::string> extra) {
  std::vector<std::string> args = {"generate", project, "--unbound", "continue"};
  args.insert(args.end(), extra.begin(), extra.end());
  std::ostringstream out, err;
  return CliMain(args, out, err);
}

TEST(CorpusTest, EveryFormFileRunsToAnEnd) {
  const std::vector<fs::path> files = CorpusFiles();
  if (files.empty()) GTEST_SKIP() << "no corpus at " << CORVANE_CORPUS;
  const std::vector<std::vector<std::string>> variants = {
      {},
      {"--switch", "Multilang=1", "--switch", "Image_Include=1", "--switch", "UseCallFast=0",
       "--switch", "MacMenuEvents=0", "--switch", "Utf8=0"},
  };
  for (const fs::path& file : files) {
    for (const auto& variant : variants) {
      SCOPED_TRACE(file.filename().string());
      testing::TempDir dir;
      fs::copy_file(file, dir / file.filename().string());
      std::ostringstream init_out, init_err;
      ASSERT_EQ(CliMain({"init", dir / "project.pbm", dir / file.filename().string()}, init_out,
                        init_err),
                kExitReady);
      // Twice: the second run reads back what the first one wrote.
      for (int run = 0; run < 2; ++run) {
        const int status = Generate(dir / "project.pbm", variant);
        EXPECT_TRUE(status == kExitReady || status == kExitCancel) << status;
      }
    }
  }
}

}  // namespace
}  // namespace corvane
