// The program's own resources, embedded at build time: the twelve icons and the licence text.
#pragma once

#include <string_view>

#include "platform/toolkit/toolkit.h"

namespace corvane {

inline constexpr int kIconCount = 12;

// The PNG bytes of icon `index` (0..11).
std::string_view IconPng(int index);
// The licence text: 34 lines, German then English, each ending with CR LF.
std::string_view LicenceText();
// Decodes the twelve icons and creates them as images 0..11. False when one fails.
bool CreateIconImages(Toolkit& tk);

}  // namespace corvane
