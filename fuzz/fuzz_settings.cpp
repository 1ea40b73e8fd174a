// Reads arbitrary bytes as a settings file, looks up a few entries, changes one and checks that
// reading the written file gives the new value and leaves the other entries as they were.
#include "fuzz/fuzz_util.h"
#include "platform/prefs/prefs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  const std::string path = fuzz::Scratch().path() + "settings.ini";
  fuzz::WriteFile(path, fuzz::AsBytes(data, size));

  PreferencesFile prefs;
  FUZZ_CHECK(prefs.Open(path));
  const bool had_group = prefs.SelectGroup(U"Main");
  const Text other_before = prefs.Read(U"Other", U"-");
  prefs.Write(U"Fuzz", U"42");
  FUZZ_CHECK(prefs.Read(U"Fuzz", U"") == U"42");
  prefs.SelectGroup(U"Path");
  const Text path_before = prefs.Read(U"Project", U"-");
  FUZZ_CHECK(prefs.Close());

  FUZZ_CHECK(ReadSetting(U"main", U"FUZZ", path, U"") == U"42");
  FUZZ_CHECK(ReadSetting(U"Main", U"Other", path, U"-") == other_before);
  FUZZ_CHECK(ReadSetting(U"Path", U"Project", path, U"-") == path_before);
  PreferencesFile again;
  FUZZ_CHECK(again.Open(path));
  FUZZ_CHECK(again.SelectGroup(U"MAIN") || !had_group);
  return 0;
}
