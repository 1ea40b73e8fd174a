// Converts arbitrary form code: the input's first part as a ".pb" common file, the second as a
// ".pbf" form file, and a third common file that does not exist.
#include "analysis/run_log.h"
#include "collect/form_conversion.h"
#include "fuzz/fuzz_util.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  const std::vector<std::string_view> parts = fuzz::SplitParts(fuzz::AsBytes(data, size), 2);
  const std::string dir = fuzz::Scratch().path();
  fuzz::WriteFile(dir + "Form.pb", parts[0]);
  fuzz::WriteFile(dir + "Form.pbf", parts[1]);

  SourceModel model;
  BuildKeySets(model);
  model.ListCommonFile = {FromUtf8(dir + "Form.pb"), FromUtf8(dir + "Form.pbf"),
                          FromUtf8(dir + "Missing.pb")};
  RecordingLog log;
  ConvertFormFiles(model, log);
  FUZZ_CHECK(!log.lines.empty());  // the missing file is reported
  return 0;
}
