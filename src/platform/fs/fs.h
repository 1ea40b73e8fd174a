// Files and directories. Paths are byte strings (UTF-8 on macOS and Linux) with "/" as separator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// "/a/b/c.pb" gives "/a/b/"; a path without "/" gives "".
std::string DirectoryPart(std::string_view path);
// "/a/b/c.pb" gives "c.pb".
std::string FilePart(std::string_view path);
// The text after the last "." of the file part, without the dot; "" when there is none.
std::string ExtensionPart(std::string_view path);

inline constexpr int64_t kPathMissing = -1;
inline constexpr int64_t kPathIsDirectory = -2;
// Size of a file in bytes, kPathMissing or kPathIsDirectory.
int64_t FileSize(const std::string& path);

// Creates one directory. False when it cannot be created (also when it exists).
bool CreateDirectory(const std::string& path);

// True when `name` matches the wildcard `pattern` ("*" any run of characters, "?" one character).
bool WildcardMatch(std::string_view pattern, std::string_view name);

// Copies every regular file directly in `from` whose name matches `pattern` into the directory
// `to`, replacing files of the same name. Subdirectories are not entered. False when `from` cannot
// be listed or any one file cannot be copied (the others are still copied).
bool CopyDirectory(const std::string& from, const std::string& to, std::string_view pattern);

// Reads a whole file, or its first `limit` bytes. False when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& out, size_t limit = SIZE_MAX);

// Makes sure a file exists, creating it empty when it is missing, and that it may be read and
// written (the "open for reading and writing" of a missing file). False when it cannot.
bool OpenOrCreate(const std::string& path);

// True when `path` names an existing file that may not be written (no write permission, even for
// the super-user, or a read-only file system).
bool IsReadOnly(const std::string& path);

// Replaces the file at `path` with `bytes` atomically: the bytes go to a temporary file in the same
// directory, which is then renamed over the target, so a crash or a full disk never leaves a
// half-written file. A symlink is followed to the file it names; an existing file keeps its
// permissions. Fails, leaving the old file as it was, when the target is read-only or any step
// fails.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

// Receives the pieces of a file's content in order; false stops the writing.
using ByteSink = std::function<bool(std::string_view)>;
// The same as WriteFileAtomic with the content produced piece by piece, so that a large file is
// never held whole: `produce` hands every piece to the sink and returns false to give up (the old
// file then stays as it was).
bool WriteFileAtomicStream(const std::string& path,
                           const std::function<bool(const ByteSink&)>& produce);

// Directory of the running executable, with trailing "/".
std::string ExecutableDirectory();

// Absolute form of `path` (relative to the working directory); the path itself need not exist.
std::string AbsolutePath(const std::string& path);

}  // namespace corvane
