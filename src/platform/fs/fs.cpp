#include "platform/fs/fs.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <unordered_set>

#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

namespace corvane {

namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr int kMaxSymlinkHops = 40;
constexpr int kMaxTempAttempts = 100;

// Distinguishes temporary files created by concurrent writers of this process.
std::atomic<uint64_t> temp_counter{0};

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty() || dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

// Closes a descriptor when it goes out of scope unless it was released.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and reports whether the close succeeded (a failed close can mean lost data).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, p, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    p += written;
    left -= static_cast<size_t>(written);
  }
  return true;
}

// Copies everything readable from `in` to `out`: inside the kernel where it can, else through a
// buffer (other file systems, older kernels, special files).
bool CopyAll(int in, int out) {
#if defined(__linux__)
  for (bool copied_any = false;;) {
    const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, size_t{1} << 30, 0);
    // Some file systems report nothing to copy for files they only fill when read; a first empty
    // answer is checked by reading.
    if (copied == 0 && copied_any) return true;
    if (copied == 0) break;
    if (copied > 0) {
      copied_any = true;
      continue;
    }
    if (errno == EINTR) continue;
    if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP &&
        errno != EBADF) {
      return false;
    }
    break;  // fall back from where the kernel stopped
  }
#endif
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    if (!WriteAll(out, std::string_view(buffer, static_cast<size_t>(got)))) return false;
  }
}

bool SyncData(int fd) {
#ifdef __APPLE__
  return ::fsync(fd) == 0;
#else
  return ::fdatasync(fd) == 0;
#endif
}

// Follows a chain of symlinks to the path of the file that is finally written. A dangling link
// resolves to the path it names. False on a loop.
bool ResolveSymlinks(const std::string& path, std::string& out) {
  std::string current = path;
  for (int hop = 0; hop < kMaxSymlinkHops; ++hop) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      out = current;
      return true;
    }
    std::string target(PATH_MAX, '\0');
    const ssize_t len = ::readlink(current.c_str(), target.data(), target.size());
    if (len < 0 || static_cast<size_t>(len) >= target.size()) return false;
    target.resize(static_cast<size_t>(len));
    current = target.front() == '/' ? target : DirectoryPart(current) + target;
  }
  return false;
}

// Marks the temporary files of WriteFileAtomic: ".<file>.corvane-<pid>-<count>-<ticks>".
constexpr char kTempMark[] = ".corvane-";

std::string TempName(const std::string& target) {
  const uint64_t count = temp_counter.fetch_add(1, std::memory_order_relaxed);
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, "%s%lx-%llx-%lx", kTempMark, static_cast<long>(::getpid()),
                static_cast<unsigned long long>(count), static_cast<long>(ticks & 0xFFFFFF));
  return DirectoryPart(target) + "." + FilePart(target) + suffix;
}

bool IsHexRun(std::string_view text) {
  return !text.empty() && text.size() <= 16 &&
         text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// The writing process of a name made by TempName (all three numbers in lower-case hex). False for
// any other name.
bool ParseTempName(std::string_view name, pid_t& pid) {
  const std::string_view mark_text = kTempMark;
  const size_t mark = name.rfind(mark_text);
  if (name.size() < 2 || name[0] != '.' || mark == std::string_view::npos || mark < 2) return false;
  std::string_view rest = name.substr(mark + mark_text.size());
  const size_t first = rest.find('-');
  const size_t second = first == std::string_view::npos ? first : rest.find('-', first + 1);
  if (second == std::string_view::npos) return false;
  const std::string_view digits = rest.substr(0, first);
  if (!IsHexRun(digits) || digits.size() > 8 ||
      !IsHexRun(rest.substr(first + 1, second - first - 1)) || !IsHexRun(rest.substr(second + 1))) {
    return false;
  }
  pid = static_cast<pid_t>(std::strtoll(std::string(digits).c_str(), nullptr, 16));
  return pid > 0;
}

bool ProcessIsGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// A killed writer leaves its temporary file behind (the target itself is intact). Removes the
// regular files of that pattern in `dir` whose process no longer exists; a live writer's file,
// this process's own included, is left alone.
void RemoveStaleTempFiles(const std::string& dir) {
  DIR* listing = ::opendir(dir.empty() ? "." : dir.c_str());
  if (listing == nullptr) return;
  while (const struct dirent* entry = ::readdir(listing)) {
    pid_t pid = 0;
    if (!ParseTempName(entry->d_name, pid) || !ProcessIsGone(pid)) continue;
    const std::string path = JoinPath(dir, entry->d_name);
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
  }
  ::closedir(listing);
}

// Cleans each directory once per process, before the first file written into it.
void RemoveStaleTempFilesOnce(const std::string& dir) {
  static std::mutex mutex;
  static std::unordered_set<std::string> cleaned;
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (!cleaned.insert(dir).second) return;
  }
  RemoveStaleTempFiles(dir);
}

// Creates a new temporary file beside `target`; sets `temp` to its name. -1 with errno on failure.
int CreateTempBeside(const std::string& target, std::string& temp) {
  for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
    temp = TempName(target);
    const int fd = OpenRetrying(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Gives the new file the owner and permissions of the file it replaces.
bool TakeOverAttributes(int fd, const struct stat& old) {
  // Only the super-user may give a file away; fchown before fchmod because a change of owner
  // clears set-user-ID bits.
  if (::geteuid() == 0) (void)::fchown(fd, old.st_uid, old.st_gid);
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// Fills `fd` with `fill`, makes the data durable and closes it.
bool FillAndClose(FileDescriptor& fd, const std::function<bool(int)>& fill) {
  const bool ok = fill(fd.get()) && SyncData(fd.get());
  return fd.Close() && ok;
}

// Best effort: makes the rename itself durable.
void SyncDirectory(const std::string& target) {
  const std::string dir = DirectoryPart(target);
  const int fd = OpenRetrying(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

// Cuts the file at the current offset and makes its data durable.
bool EndHere(int fd) {
  const off_t end = ::lseek(fd, 0, SEEK_CUR);
  return end >= 0 && ::ftruncate(fd, end) == 0 && SyncData(fd);
}

// Writes `target` in place. Not atomic: only used when no temporary file can be made beside it.
// The new bytes are written over the old ones and the file is cut to their length afterwards; if
// a write fails (a full disk), the old bytes are written back, which needs no space they did not
// already have, so the file is never left cut short.
bool WriteInPlace(const std::string& target, const std::function<bool(int)>& fill) {
  std::string old;
  if (!ReadFileBytes(target, old)) return false;
  FileDescriptor fd(OpenRetrying(target.c_str(), O_WRONLY));
  if (!fd.valid()) return false;
  if (fill(fd.get()) && EndHere(fd.get())) return fd.Close();
  (void)(::lseek(fd.get(), 0, SEEK_SET) == 0 && WriteAll(fd.get(), old) && EndHere(fd.get()));
  fd.Close();
  return false;
}

// Replaces the file at `path` (symlinks followed) with what `fill` writes, through a temporary file
// renamed over it.
bool ReplaceFile(const std::string& path, const std::function<bool(int)>& fill) {
  std::string target;
  if (!ResolveSymlinks(path, target)) return false;
  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && (!S_ISREG(old.st_mode) || IsReadOnly(target))) return false;

  RemoveStaleTempFilesOnce(DirectoryPart(target));
  std::string temp;
  FileDescriptor fd(CreateTempBeside(target, temp));
  if (!fd.valid()) {
    // The directory does not let us create a file, but the file itself may be writable (a
    // writable file in a directory owned by someone else): then overwriting it is the only way.
    const int error = errno;
    if (exists && (error == EACCES || error == EPERM) && ::access(target.c_str(), W_OK) == 0) {
      return WriteInPlace(target, fill);
    }
    return false;
  }
  const bool written = (!exists || TakeOverAttributes(fd.get(), old)) && FillAndClose(fd, fill);
  if (!written || ::rename(temp.c_str(), target.c_str()) != 0) {
    fd.Close();
    ::unlink(temp.c_str());
    return false;
  }
  SyncDirectory(target);
  return true;
}

bool CopyFile(const std::string& from, const std::string& to) {
  FileDescriptor in(OpenRetrying(from.c_str(), O_RDONLY));
  if (!in.valid()) return false;
  return ReplaceFile(to, [&in](int out) { return CopyAll(in.get(), out); });
}

bool IsWritableDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(path.c_str(), W_OK) == 0;
}

}  // namespace

std::string DirectoryPart(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string FilePart(std::string_view path) {
  const size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtensionPart(std::string_view path) {
  const std::string file = FilePart(path);
  const size_t dot = file.rfind('.');
  return dot == std::string::npos ? std::string() : file.substr(dot + 1);
}

int64_t FileSize(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return kPathMissing;
  if (S_ISDIR(st.st_mode)) return kPathIsDirectory;
  return static_cast<int64_t>(st.st_size);
}

bool CreateDirectory(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

// Greedy matching with backtracking to the last "*" only: linear in practice, never exponential.
bool WildcardMatch(std::string_view pattern, std::string_view name) {
  size_t p = 0;
  size_t n = 0;
  size_t star = std::string_view::npos;
  size_t star_name = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_name = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool CopyDirectory(const std::string& from, const std::string& to, std::string_view pattern) {
  DIR* dir = ::opendir(from.c_str());
  if (dir == nullptr) return false;
  bool ok = IsWritableDirectory(to);
  if (ok) {
    while (const struct dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      pid_t writer = 0;
      // A writer's temporary file is never a source to copy, finished or not.
      if (name == "." || name == ".." || !WildcardMatch(pattern, name) ||
          ParseTempName(name, writer)) {
        continue;
      }
      const std::string source = JoinPath(from, name);
      struct stat st;
      // stat, not lstat: a symlink to a regular file is copied as that file.
      if (::stat(source.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      if (!CopyFile(source, JoinPath(to, name))) ok = false;
    }
  }
  ::closedir(dir);
  return ok;
}

bool ReadFileBytes(const std::string& path, std::string& out, size_t limit) {
  FileDescriptor fd(OpenRetrying(path.c_str(), O_RDONLY));
  if (!fd.valid()) return false;
  struct stat st;
  if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  std::string bytes;
  if (S_ISREG(st.st_mode)) bytes.reserve(std::min(static_cast<size_t>(st.st_size), limit));
  char buffer[64 * 1024];
  while (bytes.size() < limit) {
    const size_t want = std::min(sizeof buffer, limit - bytes.size());
    const ssize_t got = ::read(fd.get(), buffer, want);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
  }
  out = std::move(bytes);
  return true;
}

bool OpenOrCreate(const std::string& path) {
  if (IsReadOnly(path)) return false;
  FileDescriptor fd(OpenRetrying(path.c_str(), O_RDWR | O_CREAT, 0666));
  return fd.valid() && fd.Close();
}

bool IsReadOnly(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  // The super-user passes access(W_OK) for any file, so the mode bits are checked on their own.
  if ((st.st_mode & kAnyWriteBit) == 0) return true;
  if (::access(path.c_str(), W_OK) != 0) return true;
  struct statvfs fs;
  return ::statvfs(path.c_str(), &fs) == 0 && (fs.f_flag & ST_RDONLY) != 0;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
  return ReplaceFile(path, [bytes](int fd) { return WriteAll(fd, bytes); });
}

bool WriteFileAtomicStream(const std::string& path,
                           const std::function<bool(const ByteSink&)>& produce) {
  return ReplaceFile(path, [&produce](int fd) {
    return produce([fd](std::string_view piece) { return WriteAll(fd, piece); });
  });
}

std::string ExecutableDirectory() {
#ifdef __APPLE__
  uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::string path(size, '\0');
  if (_NSGetExecutablePath(path.data(), &size) != 0) return std::string();
  path.resize(path.find('\0'));
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) != nullptr) path = resolved;
#else
  std::string path(PATH_MAX, '\0');
  const ssize_t len = ::readlink("/proc/self/exe", path.data(), path.size());
  if (len <= 0 || static_cast<size_t>(len) >= path.size()) return std::string();
  path.resize(static_cast<size_t>(len));
#endif
  return DirectoryPart(path);
}

std::string AbsolutePath(const std::string& path) {
  if (!path.empty() && path.front() == '/') return path;
  std::string cwd(PATH_MAX, '\0');
  while (::getcwd(cwd.data(), cwd.size()) == nullptr) {
    if (errno != ERANGE) return path;
    cwd.resize(cwd.size() * 2);
  }
  cwd.resize(cwd.find('\0'));
  return JoinPath(cwd, path);
}

}  // namespace corvane
