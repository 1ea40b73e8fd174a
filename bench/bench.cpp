// Times whole generation runs on synthetic projects of growing size: W windows with G gadgets each
// (buttons, strings, texts, lists), a menu item per ten gadgets, and, for the timed second run,
// the handler files and Main.pb the first run wrote (so the existing files have the same size).
//
// Every run and every floor runs in a process of its own. "second s" is the best of three runs over
// the unchanged project, "floor s" the best of three copies of its files, "peak MiB" the largest
// peak of those runs.
//
//   corvane-bench [--quick]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "platform/fs/fs.h"
#include "platform/memory.h"

namespace {

namespace fs = std::filesystem;

struct Size {
  int windows;
  int gadgets;  // per window
};

// Writes the form file and returns its line count.
size_t WriteForm(const fs::path& file, const Size& size) {
  std::ofstream out(file);
  size_t lines = 0;
  for (int w = 0; w < size.windows; ++w) {
    out << "Procedure OpenWindow_" << w << "(x = 0, y = 0, width = 800, height = 600)\n";
    out << "  OpenWindow(#Window_" << w
        << ", x, y, width, height, \"Window\", #PB_Window_SystemMenu)\n";
    out << "  CreateMenu(0, WindowID(#Window_" << w << "))\n";
    out << "  MenuTitle(\"File\")\n";
    lines += 4;
    for (int g = 0; g < size.gadgets; ++g) {
      if (g % 10 == 0) {
        out << "  MenuItem(#MenuItem_" << g << ", \"Item " << g << "\\tCtrl+" << g % 10 << "\")\n";
        ++lines;
      }
      static const char* kKinds[] = {"ButtonGadget", "StringGadget", "TextGadget",
                                     "ListViewGadget"};
      out << "  " << kKinds[g % 4] << "(#Gadget_" << g << ", 10, " << g << ", 100, 20, \"G" << g
          << "\")\n";
      ++lines;
    }
    out << "EndProcedure\n\n";
    lines += 2;
  }
  return lines;
}

double Seconds(const std::chrono::steady_clock::time_point& start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double TimedGenerate(const fs::path& project) {
  std::ostringstream out, err;
  const auto start = std::chrono::steady_clock::now();
  const int status = corvane::CliMain({"generate", project.string()}, out, err);
  const double seconds = Seconds(start);
  if (status != corvane::kExitReady) {
    std::fprintf(stderr, "run failed (%d):\n%s%s", status, out.str().c_str(), err.str().c_str());
    std::exit(1);
  }
  return seconds;
}

// The floor: reading every file of the project once and writing the same bytes to where the run
// writes them, through the same atomic writer the run uses: beside the project's files, and a
// second time into the backup for the files the run backs up. `bytes` is the project's text.
double TimedFloor(const fs::path& dir, const fs::path& scratch, uint64_t& bytes) {
  fs::create_directories(scratch / "Backup");
  bytes = 0;
  const auto start = std::chrono::steady_clock::now();
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::string content;
    corvane::ReadFileBytes(entry.path().string(), content);
    const fs::path name = entry.path().filename();
    corvane::WriteFileAtomic((scratch / name).string(), content);
    if (fs::exists(dir / "Backup" / name)) {
      corvane::WriteFileAtomic((scratch / "Backup" / name).string(), content);
    }
    bytes += content.size();
  }
  return Seconds(start);
}

double PeakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

size_t CountLines(const fs::path& dir) {
  size_t lines = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path());
    for (std::string line; std::getline(in, line);) ++lines;
  }
  return lines;
}

constexpr int kRepeats = 3;

struct Figures {
  size_t form_lines = 0;
  size_t lines = 0;
  double first = 0;
  double second = 0;
  double floor = 0;
  uint64_t bytes = 0;
  double peak_mib = 0;
};

// Runs `step` in a fresh process, as a user's corvane-cli runs, so that no run profits from the
// memory an earlier one left behind and the peak memory is that run's own. The child's figures
// come back through a pipe.
template <typename Step>
bool InChild(Step step, Figures& figures) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    close(fds[0]);
    corvane::TuneAllocatorForLargeRuns();
    Figures f = figures;
    step(f);
    f.peak_mib = PeakMiB();
    const bool sent = write(fds[1], &f, sizeof f) == static_cast<ssize_t>(sizeof f);
    _exit(sent ? 0 : 1);
  }
  close(fds[1]);
  const bool received =
      read(fds[0], &figures, sizeof figures) == static_cast<ssize_t>(sizeof figures);
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return received && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The first run, then runs over the unchanged project and copies of its files (the floor), each in
// its own process. A run over unchanged files does the same work each time, so the best of a few
// runs and of a few floors keeps a busy machine's pauses out of the ratio.
bool MeasureSize(const Size& size, const fs::path& root, Figures& f) {
  fs::remove_all(root);
  fs::create_directories(root);
  f.form_lines = WriteForm(root / "form.pbf", size);
  std::ostringstream out, err;
  corvane::CliMain({"init", (root / "project.pbm").string(), (root / "form.pbf").string()}, out,
                   err);
  const fs::path project = root / "project.pbm";
  if (!InChild([&](Figures& g) { g.first = TimedGenerate(project); }, f)) return false;
  double peak = 0;
  double best = 0;
  for (int i = 0; i < kRepeats; ++i) {
    if (!InChild([&](Figures& g) { g.second = TimedGenerate(project); }, f)) return false;
    best = i == 0 ? f.second : std::min(best, f.second);
    peak = std::max(peak, f.peak_mib);
  }
  f.second = best;
  f.peak_mib = peak;
  // Lines read and written by each of those runs: every file of the project after them.
  f.lines = CountLines(root);
  const fs::path scratch = fs::temp_directory_path() / "corvane-bench-floor";
  for (int i = 0; i < kRepeats; ++i) {
    const Figures before = f;
    if (!InChild([&](Figures& g) { g.floor = TimedFloor(root, scratch, g.bytes); }, f))
      return false;
    f.floor = i == 0 ? f.floor : std::min(before.floor, f.floor);
    f.peak_mib = before.peak_mib;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
  std::vector<Size> sizes = {{10, 100}, {32, 313}, {100, 1000}};
  if (quick) sizes = {{10, 100}, {32, 313}};
  const fs::path root = fs::temp_directory_path() / "corvane-bench";
  std::printf("%8s %8s %10s %9s %9s %11s %7s %8s %7s %9s %9s\n", "windows", "gadgets", "form lines",
              "first s", "second s", "lines/s", "growth", "floor s", "ratio", "text MiB",
              "peak MiB");
  double previous = 0;
  for (const Size& size : sizes) {
    Figures f;
    if (!MeasureSize(size, root, f)) {
      std::fprintf(stderr, "corvane-bench: the measurement of %d x %d failed\n", size.windows,
                   size.gadgets);
      return 1;
    }
    const double growth = previous > 0 ? f.second / previous : 0;
    std::printf("%8d %8d %10zu %9.3f %9.3f %11.0f %7.2f %8.3f %7.1f %9.1f %9.1f\n", size.windows,
                size.windows * size.gadgets, f.form_lines, f.first, f.second, f.lines / f.second,
                growth, f.floor, f.second / f.floor, f.bytes / 1048576.0, f.peak_mib);
    std::fflush(stdout);
    previous = f.second;
  }
  fs::remove_all(root);
  fs::remove_all(fs::temp_directory_path() / "corvane-bench-floor");
  return 0;
}
