#pragma once

// What a run learned about its source besides what its messages say, for
// callers that act on it (the command line). The dialog does not ask.
struct RunFacts {
    // How the run stopped, where it did: on a line of 98 or more bytes, or
    // on a misplaced keyword.
    bool stoppedOnLongLine = false;
    bool stoppedOnKeyword = false;
    // An LTYPE table whose header ends with the value 6 was replaced.
    bool ltypeTableReplaced = false;
    // So far, the source ends as a whole drawing does: a line "0", a line
    // "EOF", and nothing but empty lines after them (lines as compared).
    bool sourceComplete = false;
};
