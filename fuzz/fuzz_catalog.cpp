// Reads arbitrary bytes as a Catalog and checks that the entries, written back in the catalog's
// "key";"value" form, read back as the same map.
#include "analysis/source_loading.h"
#include "fuzz/fuzz_util.h"
#include "platform/text/textfile.h"

namespace corvane {
namespace {

// Keys and values that the written form can hold unchanged: no ";" inside, no quote at an end.
bool Writable(const Text& text) {
  return text.find(U';') == Text::npos &&
         (text.empty() || (text.front() != U'"' && text.back() != U'"'));
}

}  // namespace
}  // namespace corvane

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  TextMap map;
  ParseCatalog(DecodeLines(fuzz::AsBytes(data, size), Unmarked::kLatin1), map);

  LineList lines{U"Default;Language"};
  for (const auto& [key, value] : map.Entries()) {
    FUZZ_CHECK(!key.empty());
    FUZZ_CHECK(map.Find(key) != nullptr && *map.Find(key) == value);
    if (!Writable(key) || !Writable(value)) return 0;
    lines.push_back(U"\"" + key + U"\";\"" + (value == key ? Text() : value) + U"\"");
  }
  TextMap again;
  ParseCatalog(lines, again);
  FUZZ_CHECK(again.Entries() == map.Entries());
  return 0;
}
