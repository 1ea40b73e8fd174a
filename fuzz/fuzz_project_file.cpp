// Reads arbitrary bytes as a project file, then checks that writing what was read and reading it
// again gives the same common files, switches and previous-run lists.
#include "fuzz/fuzz_util.h"
#include "platform/fs/fs.h"
#include "project/project_file.h"

namespace corvane {
namespace {

bool SameState(const PlainProjectHost& a, const SourceModel& ma, const ProjectState& sa,
               const PlainProjectHost& b, const SourceModel& mb, const ProjectState& sb) {
  for (const SwitchInfo& info : kSwitchTable) {
    if (sa.switches.*info.member != sb.switches.*info.member) return false;
  }
  return a.files == b.files && ma.ListOldWindowID == mb.ListOldWindowID &&
         ma.ListOldMenuID == mb.ListOldMenuID && ma.ListOldMenuItemID == mb.ListOldMenuItemID &&
         ma.ListOldStatusBarID == mb.ListOldStatusBarID &&
         ma.ListOldToolBarID == mb.ListOldToolBarID && ma.ListOldGadgetID == mb.ListOldGadgetID;
}

}  // namespace
}  // namespace corvane

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  const std::string path = fuzz::Scratch().path() + "project.pbm";
  const std::string copy = fuzz::Scratch().path() + "copy.pbm";
  fuzz::WriteFile(path, fuzz::AsBytes(data, size));

  PlainProjectHost host;
  SourceModel model;
  ProjectState state;
  FUZZ_CHECK(ReadProject(host, model, state, FromUtf8(path)) == 1);
  if (host.files.empty()) return 0;  // nothing to write back

  FUZZ_CHECK(WriteProject(host, model, state, FromUtf8(copy), kWriteOldLists) == 1);
  PlainProjectHost host2;
  SourceModel model2;
  ProjectState state2;
  FUZZ_CHECK(ReadProject(host2, model2, state2, FromUtf8(copy)) == 1);
  FUZZ_CHECK(SameState(host, model, state, host2, model2, state2));
  return 0;
}
