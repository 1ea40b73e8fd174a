// Shared pieces of the fuzz targets: a scratch directory per process (removed at exit), writing
// bytes to a file in it, splitting an input into parts, and a check that aborts with a message.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::fuzz {

// The separator between the parts of a multi-part input.
inline constexpr std::string_view kPartSeparator = "\n--8<--\n";

// A directory of its own under /dev/shm or the system temp directory, removed with everything in it
// when the process ends normally. A process that dies (a crash, a timeout) leaves its directory;
// the next one removes the directories of processes that no longer run.
class ScratchDir {
 public:
  ScratchDir() {
    RemoveStale();
    std::string pattern =
        (BaseDirectory() / (kPrefix + std::to_string(getpid()) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    path_ = pattern + "/";
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  // A memory file system when there is one: the engine syncs every file it writes, which on a
  // disk would cost more than the run itself.
  static std::filesystem::path BaseDirectory() {
    std::error_code ignored;
    if (std::filesystem::is_directory("/dev/shm", ignored)) return "/dev/shm";
    return std::filesystem::temp_directory_path();
  }
  // Removes "corvane-fuzz-PID-*" directories whose process is gone.
  static void RemoveStale() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(BaseDirectory(), error)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind(kPrefix, 0) != 0) continue;
      const long pid = std::strtol(name.c_str() + kPrefix.size(), nullptr, 10);
      if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
        std::filesystem::remove_all(entry.path(), error);
      }
    }
  }
  static inline const std::string kPrefix = "corvane-fuzz-";

  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // The directory, ending in "/".
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline ScratchDir& Scratch() {
  static ScratchDir dir;
  return dir;
}

inline void WriteFile(const std::string& path, std::string_view bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) {
    std::perror(path.c_str());
    std::abort();
  }
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
    std::perror(path.c_str());
    std::abort();
  }
  std::fclose(f);
}

// The input cut at each separator; missing parts are empty.
inline std::vector<std::string_view> SplitParts(std::string_view input, size_t count) {
  std::vector<std::string_view> parts(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t at = i + 1 < count ? input.find(kPartSeparator) : std::string_view::npos;
    parts[i] = input.substr(0, at);
    if (at == std::string_view::npos) break;
    input.remove_prefix(at + kPartSeparator.size());
  }
  return parts;
}

inline std::string_view AsBytes(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A property the target checks on every input; a failure is reported like a crash.
#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

}  // namespace corvane::fuzz
