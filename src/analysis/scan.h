// Text searches and replacements that every analysis and update pass runs on single source lines.
// Positions are 1-based character positions; 0 means "no occurrence".
#pragma once

#include <cstddef>

#include "platform/text/line.h"
#include "platform/text/text.h"

namespace corvane {

// Position of the first occurrence of `search` in `text` at or after `start`, letter case ignored
// (a-z equal A-Z). A start below 1 counts as 1; a start beyond the end, an empty text or an empty
// search text gives 0.
size_t FindNoCase(TextView text, TextView search, size_t start);
// Whether FindNoCase finds `search` in the line, read without copying it out.
bool LineHasNoCase(const Line& line, TextView search);

// Calls `edit(Text&)` with the text of every line that holds `key` (letter case ignored) and stores
// what it leaves back into the line; lines without the key are not even copied out.
template <typename Edit>
void EditLinesHolding(LineList& lines, TextView key, Edit edit) {
  Text buffer;
  for (Line& stored : lines) {
    if (!LineHasNoCase(stored, key)) continue;
    LineEdit line(stored, buffer);
    edit(line.text());
  }
}

// Position of the last occurrence of `search` in `text` that begins at or before `start` (0 = from
// the end), letter case respected. The occurrence may extend beyond `start`. Empty search gives 0.
size_t FindReverse(TextView text, TextView search, size_t start);

// `text` with every whole-word occurrence of `word` (letter case ignored) replaced by
// `replacement`. Word characters are 0-9, A-Z, a-z and "_"; everything else is a boundary.
// Inserted text is never searched again. An empty word leaves the text unchanged.
Text ReplaceWord(TextView text, TextView word, TextView replacement);

// `text` with every occurrence of `search` replaced, left to right, without searching inserted
// text again; not limited to whole words. An empty search text leaves the text unchanged.
Text ReplaceNoCase(TextView text, TextView search, TextView replacement);  // letter case ignored
Text ReplaceExact(TextView text, TextView search, TextView replacement);   // letter case respected

}  // namespace corvane
