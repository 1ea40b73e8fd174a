// Reads arbitrary bytes as a user gadget list and checks that the file written for the names
// reads back as the same names.
#include "fuzz/fuzz_util.h"
#include "platform/text/textfile.h"
#include "project/user_gadget_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  const std::string path = fuzz::Scratch().path() + "UserList.INI";
  fuzz::WriteFile(path, fuzz::AsBytes(data, size));

  std::vector<Text> names;
  FUZZ_CHECK(ReadUserGadgetFile(path, names));
  FUZZ_CHECK(names == ParseUserGadgetList(DecodeLines(fuzz::AsBytes(data, size), Unmarked::kUtf8)));
  // An empty name or one starting with "[" cannot be written as a line of the section.
  bool writable = true;
  for (const Text& name : names) writable = writable && !name.empty() && name[0] != U'[';
  if (writable) FUZZ_CHECK(ParseUserGadgetList(UserGadgetFileLines(names)) == names);
  return 0;
}
