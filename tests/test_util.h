// Small helpers shared by the tests: a temporary directory and whole-file access.
#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text/line.h"
#include "platform/text/text.h"

namespace corvane::testing {

using Lines = std::vector<std::string>;

// Lines of text as UTF-8 strings, which gtest prints readably, and back.
// Either kind of list: lines or names.
template <typename List>
Lines Utf8(const List& lines) {
  Lines out;
  for (const auto& line : lines) out.push_back(ToUtf8(Text(line)));
  return out;
}

inline LineList FromLines(const Lines& lines) {
  LineList out;
  for (const std::string& line : lines) out.push_back(FromUtf8(line));
  return out;
}

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    path_ += "/";
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory with a trailing "/".
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

inline bool Exists(const std::string& path) { return std::filesystem::exists(path); }

// While it lives, writes past `bytes` fail as on a full disk (SIGXFSZ is ignored meanwhile).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_handler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved_;
    small.rlim_cur = bytes;
    active_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previous_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  // False when the limit could not be set.
  bool active() const { return active_; }

 private:
  rlimit saved_{};
  sighandler_t previous_handler_ = SIG_DFL;
  bool active_ = false;
};

}  // namespace corvane::testing
