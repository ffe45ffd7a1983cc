#pragma once

#include <string>
#include <string_view>

// Runs the bytes as a source through a whole conversion (all stages, output
// in memory) and checks what any run must give, whatever the input:
// - a binary DXF source, and one that starts with a UTF-16 byte-order mark,
//   is refused with its one message and nothing else;
// - the sink sees a well-formed sequence: the busy cursor on and off once,
//   one closing message, the layer notice only while the cursor is on;
// - a run stops exactly at the first line of 98 bytes or more, or at a
//   structure error that names its line and its keyword;
// - the output is the source's lines up to there, each with CR LF, with
//   nothing between them but linetype groups of known linetypes before a
//   "0" or "1001" line and the replacement LTYPE table before a "0" line.
// Each read hands out at most readChunk bytes (0: as many as asked).
// Returns what went wrong, or "".
std::string CheckConversion(std::string_view source, std::size_t readChunk);

// Whether output is the first `lines` lines of source, each with CR LF, with
// nothing between them but the insertions a run may make.
bool IsSourceWithInsertions(std::string_view output, std::string_view source, std::size_t lines);
