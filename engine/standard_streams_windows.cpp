#include "standard_streams.h"

// The C runtime keeps descriptors 0, 1 and 2 for the standard streams
// whether or not the process got handles for them, and never gives them to
// a file the program opens: nothing to do.
bool OpenStandardStreams() {
    return true;
}
