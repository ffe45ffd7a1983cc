#pragma once

#include "file_ops.h"

// The real file system for reading the source, but an output that is
// never created: its name is never taken and everything written to it is
// discarded, so a run tells whether a file would convert and leaves no trace.
FileOps CheckFileOps();
