#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Runs the bytes as a source through a whole conversion (all stages, output
// in memory), in modern mode or not, and checks it against ModelConversion:
// the same calls of the sink in the same order, the same outcome, the same
// output bytes. Apart from the model, the output must be the source's lines
// up to where the run stopped, each with CR LF (after a UTF-8 byte-order
// mark that modern mode copies), with nothing between them but linetype
// groups where the mode puts them (in modern mode lineweight groups too)
// and, in the default mode, the replacement LTYPE table before a "0" line.
// Each read hands out at most readChunk bytes (0: as many as asked).
// Returns what went wrong, or "".
std::string CheckConversion(std::string_view source, std::size_t readChunk, bool modern);

// Whether output is the first `lines` lines of source, each with CR LF, with
// nothing between them but the insertions a run in that mode may make: a
// group 6 naming a linetype before a "0" or "1001" line (in modern mode also
// before a "100" line, and a group 370 with a width of 0 or more wherever
// a group 6 may stand).
bool IsSourceWithInsertions(std::string_view output, std::string_view source, std::size_t lines,
                            bool modern);
