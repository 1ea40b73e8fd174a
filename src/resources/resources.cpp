// The embedded icons and licence text, and the creation of the icon images.
#include "resources/resources.h"

#include <array>
#include <span>

#include "platform/image/png_image.h"

namespace corvane::embedded {
extern const std::string_view kEmbedded_icon00_png;
extern const std::string_view kEmbedded_icon01_png;
extern const std::string_view kEmbedded_icon02_png;
extern const std::string_view kEmbedded_icon03_png;
extern const std::string_view kEmbedded_icon04_png;
extern const std::string_view kEmbedded_icon05_png;
extern const std::string_view kEmbedded_icon06_png;
extern const std::string_view kEmbedded_icon07_png;
extern const std::string_view kEmbedded_icon08_png;
extern const std::string_view kEmbedded_icon09_png;
extern const std::string_view kEmbedded_icon10_png;
extern const std::string_view kEmbedded_icon11_png;
extern const std::string_view kEmbedded_licence_txt;
}  // namespace corvane::embedded

namespace corvane {
namespace {

// Addresses, not values: the embedded views are initialised in other translation units.
constexpr std::array<const std::string_view*, kIconCount> kIcons = {
    &embedded::kEmbedded_icon00_png, &embedded::kEmbedded_icon01_png,
    &embedded::kEmbedded_icon02_png, &embedded::kEmbedded_icon03_png,
    &embedded::kEmbedded_icon04_png, &embedded::kEmbedded_icon05_png,
    &embedded::kEmbedded_icon06_png, &embedded::kEmbedded_icon07_png,
    &embedded::kEmbedded_icon08_png, &embedded::kEmbedded_icon09_png,
    &embedded::kEmbedded_icon10_png, &embedded::kEmbedded_icon11_png,
};

}  // namespace

std::string_view IconPng(int index) {
  if (index < 0 || index >= kIconCount) return {};
  return *kIcons[index];
}

std::string_view LicenceText() { return embedded::kEmbedded_licence_txt; }

bool CreateIconImages(Toolkit& tk) {
  for (int i = 0; i < kIconCount; ++i) {
    RgbaImage image;
    if (!DecodePng(IconPng(i), image)) return false;
    if (tk.CreateImage(i, image.width, image.height, std::span<const uint8_t>(image.pixels)) ==
        kNoObject) {
      return false;
    }
  }
  return true;
}

}  // namespace corvane
