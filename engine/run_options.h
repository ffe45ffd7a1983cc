#pragma once

#include <string>

#include "known_linetypes.h"

// What a run is asked to do besides its source and output name.
struct RunOptions {
    // Appended to the output name.
    std::string extension = kOutputExtension;
    KnownLinetypes knownLinetypes = kKnownLinetypes;
    // For drawings saved in R13 and later formats: lines of any length, the
    // LTYPE table copied as it is and its names known, linetype names compared
    // without regard to ASCII case, no layer limit, the group placed where
    // those formats keep an entity's linetype, a UTF-8 byte-order mark let
    // through. Everything else stays as without it.
    bool modern = false;
};
