#pragma once

#include "stage.h"

// Records the name of every LAYER table entry and, when it is one of the
// known linetypes, its linetype, into the run's layer table. In modern mode
// any linetype and the lineweight, and the names of the LTYPE table's
// entries.
void CaptureLayerLine(ConversionState& state, const KnownLinetypes& knownLinetypes,
                      MessageSink& sink);
