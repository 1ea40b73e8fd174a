// The desktop program: the application on the wx toolkit.
#include <cstdio>
#include <memory>

#include "analysis/source_model.h"
#include "app/app.h"
#include "app/application.h"
#include "platform/memory.h"
#include "platform/toolkit/wx/wx_toolkit.h"
#include "project/project_state.h"

int main(int argc, char** argv) {
  corvane::TuneAllocatorForLargeRuns();
  std::unique_ptr<corvane::Toolkit> toolkit = corvane::CreateWxToolkit(argc, argv);
  if (toolkit == nullptr) {
    std::fprintf(stderr, "corvane: cannot open the display (is DISPLAY set?)\n");
    return 1;
  }
  corvane::App app(*toolkit, corvane::GlobalSourceModel(), corvane::GlobalProjectState());
  // The toolkit has taken its own options out of argv; the rest are the program's parameters.
  for (int i = 1; i < argc; ++i) app.arguments.emplace_back(argv[i]);
  return corvane::Main(app);
}
