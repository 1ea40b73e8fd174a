// A whole generation run on a project made from the fuzzer's bytes, with bindings. The input is cut
// into parts (see kPart...); empty parts leave their file out, so the run falls back to its
// templates. The project lives in a fresh directory inside the scratch directory, removed after
// each run.
#include <sstream>

#include "cli/cli.h"
#include "fuzz/fuzz_util.h"
#include "platform/text/textfile.h"
#include "project/project_state.h"

namespace corvane {
namespace {

enum Part {
  kPartForm,       // the common file Form.pb
  kPartMain,       // Main.pb (a line including Inc.pbi is added when it names none)
  kPartEventMenu,  // the three handler files
  kPartEventGadget,
  kPartEventWindow,
  kPartInclude,      // Inc.pbi, the user include file Main.pb names
  kPartCatalog,      // Catalog
  kPartOldLists,     // the previous-run sections of the project file ("[WINDOW]" ... "[GADGET]")
  kPartUserGadgets,  // a user gadget list, passed with --user-gadgets when not empty
  kPartControl,      // byte 0: the eight switches; byte 1 bit 0: continue with unbound names;
                     // then one binding "OLD=NEW" per line
  kPartCount
};

constexpr size_t kMaxInput = 1 << 16;

// Include names that reach outside the project directory would let the run change files
// elsewhere; such inputs are skipped.
bool ReachesOutside(std::string_view main_bytes) {
  for (Unmarked unmarked : {Unmarked::kLatin1, Unmarked::kUtf8}) {
    for (const Line& line : DecodeLines(main_bytes, unmarked)) {
      if (line.text().find(U"..") != Text::npos) return true;
    }
  }
  return false;
}

void WriteIfPresent(const std::string& path, std::string_view bytes) {
  if (!bytes.empty()) fuzz::WriteFile(path, bytes);
}

std::string ProjectFile(std::string_view control, std::string_view old_lists) {
  const unsigned bits = control.empty() ? 0xFF : static_cast<unsigned char>(control[0]);
  std::string text = "[FILES]\nForm.pb\n\n[SWITCH]\n";
  for (size_t i = 0; i < kSwitchTable.size(); ++i) {
    text += ToUtf8(kSwitchTable[i].key) + ((bits >> i) & 1 ? "=1\n" : "=0\n");
  }
  text += "\n";
  text += old_lists;
  return text;
}

// The bindings of the control part: lines with text on both sides of a "=".
void AddBindings(std::string_view control, std::vector<std::string>& args) {
  std::string_view rest = control.size() > 2 ? control.substr(2) : std::string_view();
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    const size_t eq = line.find('=');
    if (eq != std::string_view::npos && eq > 0 && eq + 1 < line.size()) {
      args.push_back("--bind");
      args.emplace_back(line);
    }
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
}

}  // namespace
}  // namespace corvane

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  if (size > kMaxInput) return 0;
  const std::vector<std::string_view> parts =
      fuzz::SplitParts(fuzz::AsBytes(data, size), kPartCount);
  if (ReachesOutside(parts[kPartMain])) return 0;

  const std::string dir = fuzz::Scratch().path() + "project/";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directory(dir);
  fuzz::WriteFile(dir + "project.pbm", ProjectFile(parts[kPartControl], parts[kPartOldLists]));
  fuzz::WriteFile(dir + "Form.pb", parts[kPartForm]);
  std::string main(parts[kPartMain]);
  if (!main.empty() && main.find("Inc.pbi") == std::string::npos)
    main += "\nIncludeFile \"Inc.pbi\"\n";
  WriteIfPresent(dir + "Main.pb", main);
  WriteIfPresent(dir + "EventMenu.pb", parts[kPartEventMenu]);
  WriteIfPresent(dir + "EventGadget.pb", parts[kPartEventGadget]);
  WriteIfPresent(dir + "EventWindow.pb", parts[kPartEventWindow]);
  WriteIfPresent(dir + "Inc.pbi", parts[kPartInclude]);
  WriteIfPresent(dir + "Catalog", parts[kPartCatalog]);
  WriteIfPresent(dir + "UserList.INI", parts[kPartUserGadgets]);

  const std::string_view control = parts[kPartControl];
  std::vector<std::string> args = {"generate", dir + "project.pbm", "--unbound",
                                   control.size() > 1 && (control[1] & 1) ? "continue" : "cancel"};
  if (!parts[kPartUserGadgets].empty()) {
    args.push_back("--user-gadgets");
    args.push_back(dir + "UserList.INI");
  }
  AddBindings(control, args);

  std::ostringstream out, err;
  const int status = CliMain(args, out, err);
  FUZZ_CHECK(status == kExitReady || status == kExitCancel || status == kExitUsage);
  std::filesystem::remove_all(dir);
  return 0;
}
