// The font and image sections of the common file, and the form-code rewrites that make every image
// a constant of its own.
#pragma once

#include "analysis/source_model.h"
#include "project/project_state.h"

namespace corvane {

// LinesFonts becomes ";- Load Font", the Line of every ListFont record, and an empty line.
void BuildFontSection(SourceModel& model);

// Replaces the first LoadImage( call of every LinesSource line by ImageID(<constant>), reusing the
// ListImage record of the same file (letter case ignored) or adding "#MyImage_<n>". A call without
// a quoted file name or without a ")" after it stays as it is.
void ReplaceLoadImageCalls(SourceModel& model);

// LinesImages becomes the decoder lines the image files need, then code that loads every image at
// run time, or (SwitchImageInclude) catches it from data compiled into the program.
void BuildImageSection(SourceModel& model, const Switches& switches);

// Cuts every ImageGadget(# line after its fifth comma and ends it with the image argument 0; a line
// with fewer commas stays as it is.
void ClearImageGadgetImages(SourceModel& model);

}  // namespace corvane
