#include "cli/cli.h"

#include <optional>
#include <thread>

#include "analysis/generation_run.h"
#include "cli/cli_gui.h"
#include "platform/fs/fs.h"
#include "project/user_gadget_list.h"

namespace corvane {

namespace {

constexpr char kUsage[] =
    "Usage:\n"
    "  corvane-cli generate PROJECT.pbm [--bind OLD=NEW]... [--unbound cancel|continue]\n"
    "                                   [--switch KEY=0|1]... [--user-gadgets FILE]\n"
    "  corvane-cli init PROJECT.pbm COMMONFILE...\n"
    "  corvane-cli --help | --version\n"
    "\n"
    "generate  runs one generation on the project; the log goes to standard output.\n"
    "          Exit status 0 after \"Ready.\", 1 after \"Cancel.\", 2 for a usage error.\n"
    "          --bind binds a vanished name of the last run to a new one (names without \"#\",\n"
    "          e.g. --bind Window_0_Button_0=Window_0_Button_Ok); --unbound says what happens to\n"
    "          vanished names left unbound (default: cancel the run); --switch sets a switch\n"
    "          (Parend, PB_Ignore, Multilang, Image_Include, Image_Null, UseCallFast, Utf8,\n"
    "          MacMenuEvents) for this run; --user-gadgets names the user gadget list (default:\n"
    "          UserList.INI beside the program, if it exists).\n"
    "init      writes a new project file naming the common files, with the default switches.\n";

constexpr char kVersion[] = "corvane-cli 5.20\n";

struct GenerateArgs {
  std::string project;
  CliOptions options;
  std::vector<std::pair<const SwitchInfo*, int64_t>> switches;
  std::optional<std::string> user_gadgets;
};

int UsageError(std::ostream& err, const std::string& message) {
  err << "corvane-cli: " << message << "\n\n" << kUsage;
  return kExitUsage;
}

const SwitchInfo* FindSwitch(const std::string& key) {
  for (const SwitchInfo& info : kSwitchTable) {
    if (FromUtf8(key) == info.key) return &info;
  }
  return nullptr;
}

// Splits "A=B" into A and B; false when there is no "=" or a side is empty.
bool SplitPair(const std::string& text, std::string& left, std::string& right) {
  const size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0 || eq + 1 == text.size()) return false;
  left = text.substr(0, eq);
  right = text.substr(eq + 1);
  return true;
}

// Parses the arguments after "generate"; an empty string means success, else the error.
std::string ParseGenerate(const std::vector<std::string>& args, GenerateArgs& out) {
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    if (arg == "--bind" || arg == "--unbound" || arg == "--switch" || arg == "--user-gadgets") {
      if (!has_value) return arg + " needs a value";
      const std::string& value = args[++i];
      std::string left, right;
      if (arg == "--bind") {
        if (!SplitPair(value, left, right)) return "--bind takes OLD=NEW, not " + value;
        out.options.bindings.push_back({Trim(FromUtf8(left)), Trim(FromUtf8(right))});
      } else if (arg == "--unbound") {
        if (value != "cancel" && value != "continue") return "--unbound takes cancel or continue";
        out.options.continue_unbound = value == "continue";
      } else if (arg == "--switch") {
        const SwitchInfo* info = SplitPair(value, left, right) ? FindSwitch(left) : nullptr;
        if (info == nullptr || (right != "0" && right != "1")) {
          return "--switch takes KEY=0 or KEY=1 with one of the eight switch keys, not " + value;
        }
        out.switches.emplace_back(info, right == "1" ? 1 : 0);
      } else {
        out.user_gadgets = value;
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return "unknown option " + arg;
    } else if (out.project.empty()) {
      out.project = arg;
    } else {
      return "more than one project file: " + arg;
    }
  }
  return out.project.empty() ? "generate needs a project file" : "";
}

// The user gadget names from the named file (which must exist) or from UserList.INI beside the
// program (when it exists).
bool LoadUserGadgets(const GenerateArgs& args, SourceModel& model, std::ostream& err) {
  const std::string path = args.user_gadgets.value_or(ExecutableDirectory() + "UserList.INI");
  if (!args.user_gadgets && FileSize(path) < 0) return true;
  if (!ReadUserGadgetFile(path, model.ListUserGadget)) {
    err << "corvane-cli: cannot read the user gadget list " << path << "\n";
    return false;
  }
  return true;
}

int Generate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  GenerateArgs parsed;
  if (const std::string error = ParseGenerate(args, parsed); !error.empty()) {
    return UsageError(err, error);
  }
  const std::string project = AbsolutePath(parsed.project);
  std::string bytes;
  if (FileSize(project) < 0 || !ReadFileBytes(project, bytes)) {
    err << "corvane-cli: cannot read the project file " << project << "\n";
    return kExitUsage;
  }

  // One run per process; a model of its own keeps repeated calls (tests) independent.
  SourceModel model;
  ProjectState state;
  if (!LoadUserGadgets(parsed, model, err)) return kExitUsage;
  BuildKeySets(model);
  PlainProjectHost project_host;
  state.ProjectFile = FromUtf8(project);
  if (!ReadProject(project_host, model, state, state.ProjectFile)) {
    err << "corvane-cli: cannot read the project file " << project << "\n";
    return kExitUsage;
  }
  for (const auto& [info, value] : parsed.switches) {
    state.switches.*info->member = value;
    state.ProjectSaved = 0;
  }

  CliGui gui(model, state, project_host, parsed.options, out, err);
  RequestChannel channel([&gui](int type, GuiRequest* request) { gui.Post(type, request); });
  ChannelRunHost host(channel);
  RunContext run{model, state, host};
  std::thread worker([&] {
    GenerateThread(run);
    gui.PostWorkerDone();
  });
  gui.Run();
  worker.join();
  return gui.ready() ? kExitReady : kExitCancel;
}

int Init(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 3) return UsageError(err, "init needs a project file and common files");
  const std::string project = AbsolutePath(args[1]);
  if (FileSize(project) != kPathMissing) {
    err << "corvane-cli: " << project << " exists already; init does not overwrite it\n";
    return kExitUsage;
  }
  PlainProjectHost host;
  for (size_t i = 2; i < args.size(); ++i) host.files.push_back(FromUtf8(AbsolutePath(args[i])));
  SourceModel model;
  ProjectState state;
  for (const SwitchInfo& info : kSwitchTable) state.switches.*info.member = info.settings_default;
  if (!WriteProject(host, model, state, FromUtf8(project), kWriteOldLists)) {
    err << "corvane-cli: cannot write " << project << "\n";
    return kExitUsage;
  }
  out << "Created " << project << " with " << host.files.size() << " common file"
      << (host.files.size() == 1 ? "" : "s") << ".\n";
  return kExitReady;
}

}  // namespace

int CliMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError(err, "no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h") {
    out << kUsage;
    return kExitReady;
  }
  if (command == "--version") {
    out << kVersion;
    return kExitReady;
  }
  if (command == "generate") return Generate(args, out, err);
  if (command == "init") return Init(args, out, err);
  return UsageError(err, "unknown command " + command);
}

}  // namespace corvane
