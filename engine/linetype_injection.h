#pragma once

#include "stage.h"

// The slot of the first captured layer named name, searching slots 0 up to
// layerIndex (never past the last slot); -1 when none matches.
int FindLayerIndex(const LayerTable& layers, int layerIndex, const LineText& name);

// Follow the records of the ENTITIES section and of each BLOCK definition,
// and give a record that names a captured layer with a known linetype, but
// has no linetype of its own, a group 6 with that linetype as its last group:
// written before the "0" line that ends the record, or before the record's
// extended data ("1001"), which must stay the last part of a record. In
// modern mode the record also takes its layer's lineweight (group 370) when
// that is a width and the record has none of its own, after the linetype.
void ScanEntityLine(ConversionState& state, const KnownLinetypes& knownLinetypes,
                    MessageSink& sink);
void ScanBlockLine(ConversionState& state, const KnownLinetypes& knownLinetypes, MessageSink& sink);
