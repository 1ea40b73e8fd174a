// The Info box and the licence window.
#pragma once

#include "app/app.h"

namespace corvane {

// Title of the Info box, and of the search-and-replace dialog's question.
inline constexpr TextView kInfoTitle = U"Info";

// The Info text: the product line, "Rev. " and the revision, an empty line, a notice.
Text ComposeInfoText();
int ShowInfo(App& app);
// Shows the licence in a window of its own with its own event loop; `owner` is disabled meanwhile.
int ShowLicence(App& app, int owner);

}  // namespace corvane
