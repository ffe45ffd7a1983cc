#pragma once

#include "conversion_state.h"
#include "known_linetypes.h"
#include "message_sink.h"

// Every stage of a pass sees the run's state together with the known
// linetypes and the sink. A stage that can stop the run returns false after
// it has ended the run through AbortRun; the pass then stops at once.

// Ends a run whose files are both open and whose busy cursor is on: the
// cursor ends, the message is shown, the source and then the output are
// closed, each with its own message if closing fails. What was written stays.
void AbortRun(ConversionState& state, MessageSink& sink, std::string_view message);

// Whether everything handed to the output so far has been written; waits
// for the writer's thread. A message shown mid-run asks first: had a write
// failed, the run would have ended with the write error before it.
bool WrittenSoFar(ConversionState& state);
