#pragma once

#include "stage.h"

// When the LTYPE table's header ends with the value 6, writes a table of the
// first six known linetypes, each with its name only, and the table's end.
bool ReplaceLtypeTable(ConversionState& state, const KnownLinetypes& knownLinetypes,
                       MessageSink& sink);
