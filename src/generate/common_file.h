// CommonFile.pb: the constant enumerations of every object kind, the font and image code, the
// language include and the collected form code, rebuilt from nothing on every run.
#pragma once

#include "analysis/source_model.h"
#include "project/project_state.h"

namespace corvane {

// Appends to LinesConstants one enumeration section per object kind (windows, menus, menu items,
// gadgets, status bars, toolbars, fonts, images), each listing its constants in list order.
void BuildConstantSections(SourceModel& model);

// Appends the whole of CommonFile.pb to LinesCommonFile: header line, constants, font and image
// code, the LoadLanguage include when SwitchMultilang is on, then LinesSource. LinesConstants and
// LinesSource, which nothing reads after this, are moved rather than copied and are left empty.
void BuildCommonFile(SourceModel& model, const Switches& switches);

}  // namespace corvane
