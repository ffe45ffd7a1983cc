#pragma once

#include "file_ops.h"

// The outputs that runs in progress have created, so that a program ended
// by a signal or by a lack of memory takes them away instead of leaving a
// cut drawing under its final name. An output counts from its creation
// until it is closed; one that a run has closed stays, finished or not.

// Makes room for this many runs at once; call once, before any run.
void PrepareCreatedOutputs(unsigned concurrentRuns);

// The same file services, with every output created through them recorded
// until it is closed.
FileOps TrackCreatedOutputs(FileOps files);

// Removes every recorded output whose path still names the file that was
// created there, and keeps any run from creating another. Safe in a signal
// handler; the caller must end the program next.
void RemoveCreatedOutputs();

// Removes the output that the last run on this thread created, closed by
// now, if its path still names that file: for a run that did not finish.
// Not for a signal handler.
void RemoveRunOutput();
