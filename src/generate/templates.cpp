#include "generate/templates.h"

#include <string>

namespace corvane {
namespace embedded {
extern const std::string_view kEmbedded_EventMainSelect_pb;
extern const std::string_view kEmbedded_EventMainSelectMac_pb;
extern const std::string_view kEmbedded_EventMainTable_pb;
extern const std::string_view kEmbedded_EventMainTableMac_pb;
extern const std::string_view kEmbedded_Main_pb;
extern const std::string_view kEmbedded_LoadLanguage_pb;
}  // namespace embedded

std::string_view TemplateText(Template which) {
  switch (which) {
    case Template::kEventMainSelect:
      return embedded::kEmbedded_EventMainSelect_pb;
    case Template::kEventMainSelectMac:
      return embedded::kEmbedded_EventMainSelectMac_pb;
    case Template::kEventMainTable:
      return embedded::kEmbedded_EventMainTable_pb;
    case Template::kEventMainTableMac:
      return embedded::kEmbedded_EventMainTableMac_pb;
    case Template::kMain:
      return embedded::kEmbedded_Main_pb;
    case Template::kLoadLanguage:
      return embedded::kEmbedded_LoadLanguage_pb;
  }
  return {};
}

Template EventMainTemplate(bool use_call_fast, bool mac_menu_events) {
  if (use_call_fast) {
    return mac_menu_events ? Template::kEventMainTableMac : Template::kEventMainTable;
  }
  return mac_menu_events ? Template::kEventMainSelectMac : Template::kEventMainSelect;
}

LineList CutTemplate(std::string_view text) {
  LineList lines;
  std::string piece;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      lines.push_back(FromUtf8(piece));
      piece.clear();
    } else {
      piece.push_back(c);
    }
  }
  return lines;
}

LineList TemplateLines(Template which) { return CutTemplate(TemplateText(which)); }

}  // namespace corvane
