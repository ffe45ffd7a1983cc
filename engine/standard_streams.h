#pragma once

// Makes sure that standard input, output and error are open, on /dev/null
// where they were closed, as careful Unix tools do at start-up. Otherwise
// the first file a program opens takes a free number among 0, 1 and 2, and
// what is written to that stream ends up in the file: an output drawing
// would begin with a message. False when a stream could not be opened;
// the program must then not go on.
bool OpenStandardStreams();
