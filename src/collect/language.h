// Translatable texts: the menu-item tab escape, wrapping the form code's texts in MyLanguage(),
// gathering every wrapped text of the project into MapLanguage, and the default-text block of
// LoadLanguage.pb.
#pragma once

#include "analysis/run_log.h"
#include "analysis/source_model.h"

namespace corvane {

// In every MenuItem(# line of LinesSource, replaces each \t (either case) by `" + #TAB$ + "`.
void ExpandMenuItemTab(SourceModel& model);

// Wraps the first quoted text of every LinesSource line in MyLanguage("..."), except on lines that
// open a window or load or catch an image, and on lines whose first quote is never closed.
void WrapLanguageTexts(SourceModel& model);

// For every line of `lines` that contains MyLanguage(, adds the line's first quoted text (when not
// empty) to MapLanguage with itself as value; existing keys keep their value.
void CollectLanguageKeys(SourceModel& model, const TextList& lines);

// CollectLanguageKeys over LinesSource, LinesMain, the three handler lists and then every include
// file of ListIncludeFile; an include file that cannot be opened is logged and skipped.
void CollectLanguageTexts(SourceModel& model, RunLog& log);

// Sets #MaxLanguage in LinesLoadLanguage to the number of MapLanguage entries and makes the lines
// after DefaultLanguage: one Data.s line per key, in map order.
void UpdateLoadLanguage(SourceModel& model);

}  // namespace corvane
