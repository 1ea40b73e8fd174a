// The detail text of a failed file operation.
#pragma once

#include <cstdint>

#include "platform/text/text.h"

namespace corvane {

// "Errorcode: " followed by `code` in upper-case hexadecimal, without leading zeros or prefix.
Text ErrorText(uint64_t code);

// The code given to ErrorText after a failed file operation. The operating system is not asked:
// it is always 1, so every such text is the same.
uint64_t LastErrorCode();

}  // namespace corvane
