#pragma once

#include <string>

// Small DXF drawings for runs started from the dialog.

// A LAYER table with WALL on linetype, and a LINE on WALL without a linetype
// of its own; LF line ends.
std::string WallDrawing(const std::string& linetype);

// What a run makes of WallDrawing: the LINE gets its layer's linetype as its
// last group, and every line ends in CR LF.
std::string WallDrawingConverted(const std::string& linetype);

// A LAYER table of count layers, no entities.
std::string DrawingWithLayers(int count);
