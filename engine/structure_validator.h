#pragma once

#include "stage.h"

// Follows the file's sections, tables and blocks in sectionState and stops
// the run at a structural keyword that stands where the structure does not
// allow it, naming the line and the keyword.
bool ValidateStructure(ConversionState& state, const KnownLinetypes& knownLinetypes,
                       MessageSink& sink);
