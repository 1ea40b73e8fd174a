#include "analysis/error_text.h"

namespace corvane {

Text ErrorText(uint64_t code) {
  static constexpr char32_t kDigits[] = U"0123456789ABCDEF";
  Text digits;
  do {
    digits.insert(digits.begin(), kDigits[code % 16]);
    code /= 16;
  } while (code != 0);
  return U"Errorcode: " + digits;
}

uint64_t LastErrorCode() { return 1; }

}  // namespace corvane
